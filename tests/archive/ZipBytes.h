#pragma once
// Archives written byte by byte, so tests can make every lie a damaged or hostile archive tells:
// wrong CRCs, sizes and offsets, duplicate and odd names, thousands of members.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace krel::test {

struct RawMember {
    RawMember(std::string name, std::string data, bool deflate = false)
        : Name(std::move(name)), Data(std::move(data)), Deflate(deflate) {}

    std::string Name;
    std::string Data;
    bool Deflate = false;
    // Values written instead of the true ones, in both headers unless said otherwise.
    std::optional<uint32_t> Crc;
    std::optional<uint32_t> DeclaredSize;  // uncompressed size
    std::optional<uint32_t> CentralOffset; // local header offset in the central directory
};

std::string BuildZip(const std::vector<RawMember>& members);

// Raw deflate (no zlib header) at the best level.
std::string Deflate(const std::string& data);

} // namespace krel::test
