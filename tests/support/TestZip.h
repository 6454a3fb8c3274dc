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

// Writes the archive (and any missing parent folders) with the members in the order given.
void WriteTestZip(const std::filesystem::path& archive, const std::vector<ZipMember>& members);

// A picture of the given size filled with one opaque colour (0xRRGGBB), as PNG bytes.
std::string PngBytes(int width, int height, uint32_t colour = 0x808080);

} // namespace krel::test
