#pragma once
// Archives packed member by member for the tests, and pictures to put in them.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace krel::testing {

struct Member {
    std::string Name;  // stored name, "/" between folders; a name ending in "/" is a folder
    std::string Bytes; // stored as they are
};

void WriteArchive(const std::filesystem::path& archive, const std::vector<Member>& members);

// A real PNG picture of the given size.
std::string PngBytes(uint32_t width, uint32_t height);

} // namespace krel::testing
