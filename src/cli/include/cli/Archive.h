#pragma once
// An archive read through the ZIP component. The component reports its own failures and carries
// on; here each report becomes the error that stops the command, naming the archive.

#include "archive/ZipMaster.h"
#include "common/UnitError.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace krel::cli {

KREL_UNIT_ERROR(EArchiveError);

class ArchiveReader {
public:
    // Lists the archive. Throws EArchiveError when the path is missing or a folder, or when the
    // component refuses the file (the message is the component's report).
    explicit ArchiveReader(const std::filesystem::path& archive);
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // The listing in archive order, member names with "\" between folders (8-bit).
    const std::vector<ZipDirEntry>& Members() const { return zip_.ZipContents(); }

    // The member's bytes, or nothing when the component refuses it.
    std::optional<std::string> Extract(const std::string& member);
    // The member's bytes; throws EArchiveError naming the archive and the member.
    std::string ExtractWhole(const std::string& member);

    // "<archive>" and "<archive>:<member>" as messages name them (UTF-8).
    std::string Label() const;
    std::string MemberLabel(const std::string& member) const;

private:
    std::filesystem::path path_;
    TZipMaster zip_;
    std::string report_;
};

} // namespace krel::cli
