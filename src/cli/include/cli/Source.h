#pragma once
// Where the command-line tool takes an encyclopedia from: a folder holding the two work files,
// or an archive holding them, as the editor imports one. Every reader of a source goes through
// here.

#include "common/EncyclopediaFiles.h"
#include "common/UnitError.h"
#include "encyclopedia/FileText.h"

#include <filesystem>
#include <string>

namespace krel::cli {

KREL_UNIT_ERROR(ESourceError);

// The two files of a source, read whole and decoded. The names say where the texts came from,
// for messages.
struct SourceFiles {
    EncyclopediaPair<std::string> Names;
    EncyclopediaPair<FileText> Texts;
};

// A folder gives "wsEncyclopediaTitles.txt" and "wsEncyclopedia.txt" (with mergeFiles their
// ".merge" variants); anything else is read as an archive (see ReadArchiveSource), for which
// mergeFiles is refused. Throws ESourceError naming the folder, archive or file and the reason.
SourceFiles ReadSource(const std::filesystem::path& source, bool mergeFiles = false);

// The archive must hold exactly one member whose name contains "wsEncyclopediaTitles.txt" and
// exactly one other whose name contains "wsEncyclopedia.txt" (letter case significant, in any
// folder, other members ignored). Throws ESourceError naming the archive and the members found,
// or EArchiveError with the ZIP component's report for an archive it cannot read.
SourceFiles ReadArchiveSource(const std::filesystem::path& archive);

} // namespace krel::cli
