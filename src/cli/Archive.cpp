#include "cli/Archive.h"

#include "common/TextCodec.h"

namespace krel::cli {
namespace fs = std::filesystem;
namespace {

// The component takes a missing file for a new, empty archive; a reader wants it to exist.
void requireFile(const fs::path& archive) {
    std::error_code ignored;
    fs::file_status status = fs::status(archive, ignored);
    if (!fs::exists(status))
        throw EArchiveError("'" + archive.string() + "': no such file");
    if (fs::is_directory(status))
        throw EArchiveError("'" + archive.string() + "': a folder, not an archive");
}

} // namespace

ArchiveReader::ArchiveReader(const fs::path& archive) : path_(archive) {
    requireFile(archive);
    zip_.OnMessage = [this](const std::string& text) {
        report_ = text;
    };
    zip_.SetZipFileName(archive);
    if (zip_.ZipFileName().empty())
        throw EArchiveError("'" + Label() + "': " + Cp1252ToUtf8(report_));
}

std::optional<std::string> ArchiveReader::Extract(const std::string& member) {
    report_.clear();
    TZipStream* stream = zip_.ExtractFileToStream(member);
    if (!stream)
        return std::nullopt;
    return stream->Bytes();
}

std::string ArchiveReader::ExtractWhole(const std::string& member) {
    std::optional<std::string> bytes = Extract(member);
    if (!bytes)
        throw EArchiveError("'" + MemberLabel(member) + "': " + Cp1252ToUtf8(report_));
    return std::move(*bytes);
}

std::string ArchiveReader::Label() const {
    return path_.string();
}

std::string ArchiveReader::MemberLabel(const std::string& member) const {
    return Label() + ":" + Cp1252ToUtf8(member);
}

} // namespace krel::cli
