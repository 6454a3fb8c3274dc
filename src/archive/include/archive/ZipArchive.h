#pragma once
// An archive opened for reading: its listing, a member found by its listed name, and a member
// read whole or only its first bytes. This is the one way archives are read and the one way
// reading fails: every operation throws ZipFailure with the text the ZIP component reports.
// The component is a facade over it; the tool, the exchange and the picture readers use it
// directly.

#include "archive/ZipHandle.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

// Members bigger than this are never read whole into memory.
inline constexpr uint64_t MaxStreamSize = uint64_t{256} << 20;

struct MemberInfo {
    zip_uint64_t Index = 0;
    std::string ListedName; // "\" between folders, Windows-1252
    uint64_t Size = 0;      // uncompressed, as the directory declares it
};

class ZipArchive {
public:
    // Opens and lists the archive. Throws for a missing file, a file that is no archive
    // ("Error: input file is not a zip file") and a damaged directory.
    explicit ZipArchive(const std::filesystem::path& path);

    const std::filesystem::path& Path() const { return path_; }
    // Central-directory order, folder-only members left out.
    const std::vector<MemberInfo>& Members() const { return members_; }

    // The one member listed under name (letter case ignored). Throws when none or more than one
    // carries that name, since the caller could not tell which one it meant.
    const MemberInfo& Locate(std::string_view listedName) const;

    // Reads the member whole. Refuses members over MaxStreamSize before reading, data that fails
    // its CRC, and data running past the declared size (a deflate bomb), so memory never
    // exceeds the declared size. onBytes hears the size of each piece read.
    std::string Read(const MemberInfo& member,
                     const std::function<void(size_t)>& onBytes = {}) const;

    // The member's first count bytes (all of it when it is shorter). Only that much is
    // decompressed, whatever size the member declares; its CRC is not checked.
    std::string ReadHead(const MemberInfo& member, size_t count) const;

private:
    std::filesystem::path path_;
    ZipHandle handle_;
    std::vector<MemberInfo> members_;
};

} // namespace krel
