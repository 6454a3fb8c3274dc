#pragma once
// Reading an opened archive: its listing, finding a member by its listed name, and reading one
// member into memory with every check libzip leaves to its caller.

#include "archive/ZipTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>
#include <zip.h>

namespace krel {

// Members bigger than this are never read into memory.
inline constexpr uint64_t MaxStreamSize = uint64_t{256} << 20;

struct MemberInfo {
    zip_uint64_t Index = 0;
    std::string ListedName;
    uint64_t Size = 0;
};

// The listing in central-directory order, folder-only members left out.
std::vector<ZipDirEntry> ListMembers(zip_t* archive);

// The one member listed under name (letter case ignored). Throws ZipFailure when none or more
// than one member carries that name, since the caller could not tell which one it meant.
MemberInfo LocateMember(zip_t* archive, std::string_view listedName);

// Reads the member whole. Refuses members over MaxStreamSize before reading, data that fails its
// CRC, and data running past the declared size (a deflate bomb), so memory never exceeds the
// declared size. onBytes hears the size of each piece read.
std::string ReadMember(zip_t* archive, const MemberInfo& member,
                       const std::function<void(size_t)>& onBytes);

} // namespace krel
