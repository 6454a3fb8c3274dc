#include "archive/ZipHandle.h"

#include "common/PathText.h"

namespace krel {
namespace {

std::string openErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

} // namespace

ZipHandle OpenArchive(const std::filesystem::path& archive, int flags) {
    int code = ZIP_ER_OK;
    zip_t* opened = zip_open(archive.c_str(), flags, &code);
    if (opened)
        return ZipHandle(opened);
    if (code == ZIP_ER_NOZIP)
        throw ZipFailure("Error: input file is not a zip file");
    if (code == ZIP_ER_INCONS)
        throw ZipFailure("Error: zip file is damaged: " + PathText(archive));
    throw ZipFailure("Error: cannot open zip file " + PathText(archive) + ": " +
                     openErrorText(code));
}

std::string LastErrorText(zip_t* archive) {
    return zip_error_strerror(zip_get_error(archive));
}

} // namespace krel
