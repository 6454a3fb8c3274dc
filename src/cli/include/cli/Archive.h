#pragma once
// Archives as the tool reads them: the archive reader's failures become the error that stops
// the command, naming the archive or the member.

#include "archive/ZipArchive.h"
#include "common/UnitError.h"

#include <filesystem>
#include <string>

namespace krel::cli {

KREL_UNIT_ERROR(EArchiveError);

// Opens and lists the archive. Throws EArchiveError "'<archive>': <reason>" when the path is
// missing or a folder, or when the reader refuses the file.
ZipArchive OpenToolArchive(const std::filesystem::path& archive);

// The member's bytes; throws EArchiveError "'<archive>:<member>': <reason>".
std::string ReadToolMember(const ZipArchive& archive, const MemberInfo& member);

// "<archive>:<member>" as messages name a member (UTF-8).
std::string MemberLabel(const ZipArchive& archive, const MemberInfo& member);

} // namespace krel::cli
