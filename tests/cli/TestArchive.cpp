#include "TestArchive.h"

#include "archive/PngImage.h"

#include <stdexcept>
#include <zip.h>

namespace krel::testing {

void WriteArchive(const std::filesystem::path& archive, const std::vector<Member>& members) {
    int code = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!zip)
        throw std::runtime_error("cannot create " + archive.string());
    for (const Member& member : members) {
        if (member.Name.ends_with('/')) {
            zip_dir_add(zip, member.Name.c_str(), ZIP_FL_ENC_GUESS);
            continue;
        }
        zip_source_t* source = zip_source_buffer(zip, member.Bytes.data(), member.Bytes.size(), 0);
        if (zip_file_add(zip, member.Name.c_str(), source, ZIP_FL_ENC_GUESS) < 0) {
            zip_source_free(source);
            zip_discard(zip);
            throw std::runtime_error("cannot add " + member.Name);
        }
    }
    if (zip_close(zip) != 0)
        throw std::runtime_error("cannot write " + archive.string());
}

std::string PngBytes(uint32_t width, uint32_t height) {
    PngImage image{width, height, std::vector<uint8_t>(size_t{width} * height * 4, 0x80)};
    return EncodePng(image);
}

} // namespace krel::testing
