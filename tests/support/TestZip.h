#pragma once
// Archives and pictures made for the tests with libzip and the PNG encoder directly, so that a
// fixture never depends on the ZIP component it may be testing.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace krel::test {

struct ZipMember {
    std::string Name;  // stored as given, "/" between folders; a name ending in "/" is a folder
    std::string Bytes; // stored as they are
};

// Writes the archive (and any missing parent folders) with the members in the order given,
// deflated unless stored is asked for (stored bytes can be found and damaged in the file).
void WriteTestZip(const std::filesystem::path& archive, const std::vector<ZipMember>& members,
                  bool stored = false);

// A member as libzip reads it back.
struct StoredMember {
    std::string Name;   // as stored, "/" between folders
    std::string Bytes;  // decompressed
    int Method = 0;     // ZIP_CM_STORE, ZIP_CM_DEFLATE, ...
    std::string Stored; // the data as it lies in the archive
    bool operator==(const StoredMember&) const = default;
};

// Every member in archive order; an archive libzip cannot open has none.
std::vector<StoredMember> ReadTestZip(const std::filesystem::path& archive);

// A picture of the given size filled with one opaque colour (0xRRGGBB), as PNG bytes.
std::string PngBytes(int width, int height, uint32_t colour = 0x808080);

// A copy of PNG bytes whose header claims other sizes and colour type, with the header's
// checksum made right again so only the values can be what a reader objects to.
std::string WithPngHeader(std::string png, uint32_t width, uint32_t height, uint8_t colour = 6);

} // namespace krel::test
