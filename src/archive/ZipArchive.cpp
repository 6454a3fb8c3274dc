#include "archive/ZipArchive.h"

#include "Inflate.h"
#include "archive/ZipNames.h"

#include <algorithm>
#include <optional>

namespace krel {
namespace {

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

// Deflate never makes more than 1032 bytes of one, and never stores more than a few bytes per
// block above the input.
constexpr uint64_t kMostInflatedPerByte = 1032;
uint64_t mostDeflatedFor(uint64_t size) {
    return size + size / 8 + 1024;
}

// The member's directory facts when its data can be inflated in one go: deflated, not
// encrypted, with sizes that deflate can connect. A member whose sizes are impossible goes the
// piecewise way, which stops at what its data really holds.
std::optional<zip_stat_t> wholeInflatable(zip_t* archive, const MemberInfo& member) {
    constexpr zip_uint64_t needed = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD |
                                    ZIP_STAT_CRC | ZIP_STAT_ENCRYPTION_METHOD;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, member.Index, 0, &stat) != 0 || (stat.valid & needed) != needed)
        return std::nullopt;
    if (stat.comp_method != ZIP_CM_DEFLATE || stat.encryption_method != ZIP_EM_NONE ||
        stat.size != member.Size || stat.comp_size > mostDeflatedFor(member.Size) ||
        member.Size > stat.comp_size * kMostInflatedPerByte + 1024)
        return std::nullopt;
    return stat;
}

std::string readRawData(zip_t* archive, const MemberInfo& member, uint64_t compressedSize) {
    ZipFileHandle file(zip_fopen_index(archive, member.Index, ZIP_FL_COMPRESSED));
    if (!file)
        throw ZipFailure("Error: cannot extract " + member.ListedName + ": " +
                         LastErrorText(archive));
    std::string raw(static_cast<size_t>(compressedSize), '\0');
    for (size_t filled = 0; filled < raw.size();) {
        size_t got = readPiece(file.get(), member, raw.data() + filled, raw.size() - filled);
        if (got == 0)
            throw damaged(member, "its data ends before its declared size");
        filled += got;
    }
    return raw;
}

std::string inflateMember(zip_t* archive, const MemberInfo& member, const zip_stat_t& stat) {
    std::string bytes(static_cast<size_t>(member.Size), '\0');
    switch (InflateWhole(readRawData(archive, member, stat.comp_size), bytes, stat.crc)) {
    case InflateOutcome::Whole:
        return bytes;
    case InflateOutcome::Short:
        throw damaged(member, "its data ends before its declared size");
    case InflateOutcome::Long:
        throw damaged(member, "its data runs past its declared size");
    case InflateOutcome::WrongCrc:
        throw damaged(member, "CRC error");
    case InflateOutcome::BadStream:
        break;
    }
    throw damaged(member, "its compressed data is invalid");
}

std::vector<MemberInfo> listMembers(zip_t* archive) {
    zip_int64_t count = zip_get_num_entries(archive, 0);
    std::vector<MemberInfo> listing;
    listing.reserve(static_cast<size_t>(std::max<zip_int64_t>(count, 0)));
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        auto at = static_cast<zip_uint64_t>(index);
        if (zip_stat_index(archive, at, ZIP_FL_ENC_RAW, &stat) != 0 || stat.name == nullptr)
            throw ZipFailure("Error: zip file directory is damaged: " + LastErrorText(archive));
        if (!IsFolderName(stat.name))
            listing.push_back({at, ListedName(stat.name), stat.size});
    }
    return listing;
}

} // namespace

ZipArchive::ZipArchive(const std::filesystem::path& path)
    : path_(path), handle_(OpenArchive(path, ZIP_RDONLY)), members_(listMembers(handle_.get())) {}

const MemberInfo& ZipArchive::Locate(std::string_view listedName) const {
    std::string wanted = FoldNameCase(listedName);
    std::vector<const MemberInfo*> found;
    for (const MemberInfo& member : members_)
        if (FoldNameCase(member.ListedName) == wanted)
            found.push_back(&member);
    if (found.empty())
        throw ZipFailure("Error: no member named " + std::string(listedName));
    if (found.size() > 1)
        throw ZipFailure("Error: " + std::to_string(found.size()) + " members are named " +
                         std::string(listedName));
    return *found.front();
}

std::string ZipArchive::Read(const MemberInfo& member,
                             const std::function<void(size_t)>& onBytes) const {
    if (member.Size > MaxStreamSize)
        throw ZipFailure("Error: " + member.ListedName + " is too large to extract (" +
                         std::to_string(member.Size) + " bytes, at most " +
                         std::to_string(MaxStreamSize) + " allowed)");
    if (const std::optional<zip_stat_t> stat = wholeInflatable(handle_.get(), member)) {
        std::string bytes = inflateMember(handle_.get(), member, *stat);
        if (onBytes && !bytes.empty())
            onBytes(bytes.size());
        return bytes;
    }
    ZipFileHandle file(zip_fopen_index(handle_.get(), member.Index, 0));
    if (!file)
        throw ZipFailure("Error: cannot extract " + member.ListedName + ": " +
                         LastErrorText(handle_.get()));
    // Read in pieces straight into their place: a progress report per piece, and no copy of a
    // member of a hundred megabytes through a growing buffer. The room is only reserved, so a
    // member that declares more than it holds costs no memory it does not fill.
    constexpr size_t kPiece = 64 * 1024;
    std::string bytes;
    bytes.reserve(static_cast<size_t>(member.Size));
    while (bytes.size() < member.Size) {
        const size_t filled = bytes.size();
        bytes.resize(filled + std::min<size_t>(kPiece, member.Size - filled));
        size_t got = readPiece(file.get(), member, bytes.data() + filled, bytes.size() - filled);
        bytes.resize(filled + got);
        if (got == 0)
            throw damaged(member, "its data ends before its declared size");
        if (onBytes)
            onBytes(got);
    }
    // libzip checks the CRC and the size only on the read that reaches the end of the data.
    char beyond = 0;
    if (readPiece(file.get(), member, &beyond, 1) != 0)
        throw damaged(member, "its data runs past its declared size");
    return bytes;
}

std::string ZipArchive::ReadHead(const MemberInfo& member, size_t count) const {
    ZipFileHandle file(zip_fopen_index(handle_.get(), member.Index, 0));
    if (!file)
        throw ZipFailure("Error: cannot extract " + member.ListedName + ": " +
                         LastErrorText(handle_.get()));
    std::string head(static_cast<size_t>(std::min<uint64_t>(count, member.Size)), '\0');
    size_t filled = 0;
    while (filled < head.size()) {
        size_t got = readPiece(file.get(), member, head.data() + filled, head.size() - filled);
        if (got == 0)
            break;
        filled += got;
    }
    head.resize(filled);
    return head;
}

} // namespace krel
