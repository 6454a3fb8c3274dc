#include "TestZip.h"

#include "archive/PngImage.h"

#include <stdexcept>
#include <zip.h>
#include <zlib.h>

namespace krel::test {

void WriteTestZip(const std::filesystem::path& archive, const std::vector<ZipMember>& members,
                  bool stored) {
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
        zip_int64_t index = zip_file_add(zip, member.Name.c_str(), source, ZIP_FL_ENC_RAW);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(zip);
            throw std::runtime_error("cannot add " + member.Name);
        }
        if (stored)
            zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(zip) != 0)
        throw std::runtime_error("cannot write " + archive.string());
}

namespace {

std::string memberData(zip_t* zip, zip_uint64_t index, zip_uint64_t size, zip_flags_t flags) {
    std::string data(size, '\0');
    zip_file_t* file = zip_fopen_index(zip, index, flags);
    if (!file || zip_fread(file, data.data(), size) != zip_int64_t(size))
        data = "<unreadable>";
    if (file)
        zip_fclose(file);
    return data;
}

void putBigEndian(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = static_cast<char>(value >> (24 - 8 * i));
}

} // namespace

std::vector<StoredMember> ReadTestZip(const std::filesystem::path& archive) {
    int code = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, &code);
    std::vector<StoredMember> members;
    for (zip_uint64_t i = 0; zip && i < zip_uint64_t(zip_get_num_entries(zip, 0)); ++i) {
        zip_stat_t stat;
        zip_stat_index(zip, i, ZIP_FL_ENC_RAW, &stat);
        members.push_back({stat.name, memberData(zip, i, stat.size, 0), stat.comp_method,
                           memberData(zip, i, stat.comp_size, ZIP_FL_COMPRESSED)});
    }
    if (zip)
        zip_discard(zip);
    return members;
}

std::string PngBytes(int width, int height, uint32_t colour) {
    PngImage image{static_cast<uint32_t>(width), static_cast<uint32_t>(height), {}};
    for (int i = 0; i < width * height; ++i)
        for (int shift : {16, 8, 0, 24})
            image.Rgba.push_back(static_cast<uint8_t>(shift == 24 ? 0xFF : colour >> shift));
    return EncodePng(image);
}

std::string WithPngHeader(std::string png, uint32_t width, uint32_t height, uint8_t colour) {
    putBigEndian(png, 16, width);
    putBigEndian(png, 20, height);
    png[25] = static_cast<char>(colour);
    putBigEndian(png, 29, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17)));
    return png;
}

} // namespace krel::test
