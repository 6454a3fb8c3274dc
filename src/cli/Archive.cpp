#include "cli/Archive.h"

#include "common/TextCodec.h"

namespace krel::cli {
namespace fs = std::filesystem;
namespace {

// The reader would report a missing file or a folder in libzip's words; name them plainly.
void requireFile(const fs::path& archive) {
    std::error_code ignored;
    fs::file_status status = fs::status(archive, ignored);
    if (!fs::exists(status))
        throw EArchiveError("'" + archive.string() + "': no such file");
    if (fs::is_directory(status))
        throw EArchiveError("'" + archive.string() + "': a folder, not an archive");
}

EArchiveError failureOf(const std::string& label, const ZipFailure& failure) {
    return EArchiveError("'" + label + "': " + Cp1252ToUtf8(failure.what()));
}

} // namespace

ZipArchive OpenToolArchive(const fs::path& archive) {
    requireFile(archive);
    try {
        return ZipArchive(archive);
    } catch (const ZipFailure& failure) {
        throw failureOf(archive.string(), failure);
    }
}

std::string ReadToolMember(const ZipArchive& archive, const MemberInfo& member) {
    try {
        return archive.Read(member);
    } catch (const ZipFailure& failure) {
        throw failureOf(MemberLabel(archive, member), failure);
    }
}

std::string MemberLabel(const ZipArchive& archive, const MemberInfo& member) {
    return archive.Path().string() + ":" + Cp1252ToUtf8(member.ListedName);
}

} // namespace krel::cli
