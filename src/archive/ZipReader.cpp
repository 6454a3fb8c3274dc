#include "archive/ZipReader.h"

#include "archive/ZipHandle.h"
#include "archive/ZipNames.h"

#include <algorithm>
#include <limits>

namespace krel {
namespace {

bool statMember(zip_t* archive, zip_uint64_t index, zip_stat_t& stat) {
    zip_stat_init(&stat);
    return zip_stat_index(archive, index, ZIP_FL_ENC_RAW, &stat) == 0 && stat.name != nullptr;
}

uint32_t saturated(uint64_t size) {
    return static_cast<uint32_t>(std::min<uint64_t>(size, std::numeric_limits<uint32_t>::max()));
}

ZipFailure damaged(const MemberInfo& member, const std::string& reason) {
    return ZipFailure("Error: " + member.ListedName + " is damaged: " + reason);
}

// Reads the next piece; a read error (a failed CRC or size check among them) is a failure.
size_t readPiece(zip_file_t* file, const MemberInfo& member, char* buffer, size_t count) {
    zip_int64_t got = zip_fread(file, buffer, count);
    if (got < 0)
        throw damaged(member, zip_file_strerror(file));
    return static_cast<size_t>(got);
}

} // namespace

std::vector<ZipDirEntry> ListMembers(zip_t* archive) {
    zip_int64_t count = zip_get_num_entries(archive, 0);
    std::vector<ZipDirEntry> listing;
    listing.reserve(static_cast<size_t>(std::max<zip_int64_t>(count, 0)));
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        if (!statMember(archive, static_cast<zip_uint64_t>(index), stat))
            throw ZipFailure("Error: zip file directory is damaged: " + LastErrorText(archive));
        if (!IsFolderName(stat.name))
            listing.push_back({ListedName(stat.name), saturated(stat.size)});
    }
    return listing;
}

MemberInfo LocateMember(zip_t* archive, std::string_view listedName) {
    std::string wanted = FoldNameCase(listedName);
    std::vector<MemberInfo> found;
    zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        auto at = static_cast<zip_uint64_t>(index);
        if (statMember(archive, at, stat) && !IsFolderName(stat.name) &&
            FoldNameCase(ListedName(stat.name)) == wanted)
            found.push_back({at, ListedName(stat.name), stat.size});
    }
    if (found.empty())
        throw ZipFailure("Error: no member named " + std::string(listedName));
    if (found.size() > 1)
        throw ZipFailure("Error: " + std::to_string(found.size()) + " members are named " +
                         std::string(listedName));
    return found.front();
}

std::string ReadMember(zip_t* archive, const MemberInfo& member,
                       const std::function<void(size_t)>& onBytes) {
    if (member.Size > MaxStreamSize)
        throw ZipFailure("Error: " + member.ListedName + " is too large to extract (" +
                         std::to_string(member.Size) + " bytes, at most " +
                         std::to_string(MaxStreamSize) + " allowed)");
    ZipFileHandle file(zip_fopen_index(archive, member.Index, 0));
    if (!file)
        throw ZipFailure("Error: cannot extract " + member.ListedName + ": " +
                         LastErrorText(archive));
    std::string bytes;
    char buffer[64 * 1024];
    while (bytes.size() < member.Size) {
        size_t want =
            static_cast<size_t>(std::min<uint64_t>(sizeof buffer, member.Size - bytes.size()));
        size_t got = readPiece(file.get(), member, buffer, want);
        if (got == 0)
            throw damaged(member, "its data ends before its declared size");
        bytes.append(buffer, got);
        onBytes(got);
    }
    // libzip checks the CRC and the size only on the read that reaches the end of the data.
    if (readPiece(file.get(), member, buffer, 1) != 0)
        throw damaged(member, "its data runs past its declared size");
    return bytes;
}

} // namespace krel
