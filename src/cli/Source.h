#pragma once
// Where the command-line tool takes an encyclopedia from. Today a source is a folder holding the
// two work files; every reader of a source goes through here, so other kinds of source only
// need teaching in one place.

#include "common/UnitError.h"

#include <filesystem>
#include <string>

namespace krel::cli {

KREL_UNIT_ERROR(ESourceError);

// The two files of a source, read whole. The names say where the bytes came from, for messages.
struct SourceFiles {
    std::string TitlesName;
    std::string ContentsName;
    std::string Titles;
    std::string Contents;
};

// Reads "wsEncyclopediaTitles.txt" and "wsEncyclopedia.txt" (with mergeFiles their ".merge"
// variants) from the folder. Throws ESourceError naming the folder or file and the reason.
SourceFiles ReadSource(const std::filesystem::path& source, bool mergeFiles = false);

} // namespace krel::cli
