#include "TestZip.h"

#include "archive/PngImage.h"

#include <stdexcept>
#include <zip.h>

namespace krel::test {

void WriteTestZip(const std::filesystem::path& archive, const std::vector<ZipMember>& members) {
    std::filesystem::create_directories(archive.parent_path());
    int code = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!zip)
        throw std::runtime_error("cannot create " + archive.string());
    for (const ZipMember& member : members) {
        if (member.Name.ends_with('/')) {
            zip_dir_add(zip, member.Name.c_str(), ZIP_FL_ENC_RAW);
            continue;
        }
        zip_source_t* source = zip_source_buffer(zip, member.Bytes.data(), member.Bytes.size(), 0);
        if (zip_file_add(zip, member.Name.c_str(), source, ZIP_FL_ENC_RAW) < 0) {
            zip_source_free(source);
            zip_discard(zip);
            throw std::runtime_error("cannot add " + member.Name);
        }
    }
    if (zip_close(zip) != 0)
        throw std::runtime_error("cannot write " + archive.string());
}

std::string PngBytes(int width, int height, uint32_t colour) {
    PngImage image{static_cast<uint32_t>(width), static_cast<uint32_t>(height), {}};
    for (int i = 0; i < width * height; ++i)
        for (int shift : {16, 8, 0, 24})
            image.Rgba.push_back(static_cast<uint8_t>(shift == 24 ? 0xFF : colour >> shift));
    return EncodePng(image);
}

} // namespace krel::test
