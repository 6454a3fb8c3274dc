#pragma once
// Import and merge take a whole encyclopedia from outside: a pair of text files, or an archive
// (".zip", ".mob") holding them. Staging puts its two files where the parse that follows reads
// them: the work copies for an import, the ".merge" files for a merge.

#include "archive/ZipMaster.h"
#include "exchange/FileWork.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

enum class StageTarget { Import, Merge };

enum class StageOutcome {
    Staged,         // both targets replaced
    InvalidFiles,   // a pair refused; nothing changed
    InvalidArchive, // an archive refused; nothing changed
};

inline constexpr std::string_view kInvalidFilesText = "Invalid Encyclopedia files selected.";
inline constexpr std::string_view kInvalidArchiveText =
    "The archive specified doesn't contain any Encyclopedia entries (or contains too many "
    "entries!)";

struct StageResult {
    StageOutcome Outcome = StageOutcome::Staged;
    std::string Message; // the refusal to show; empty when staged
};

// A selection of one text file, which cannot be staged alone: the other file of its pair must be
// chosen with it.
bool IsLoneTextFile(const std::vector<std::filesystem::path>& selection);

// The other file of a text pair beside the chosen one ("wsEncyclopediaTitles" in the file name
// turns into "wsEncyclopedia" and back), when it exists there; nothing otherwise.
std::optional<std::filesystem::path> PartnerTextFile(const std::filesystem::path& chosen);

// Targets of a staging in the work folder.
FilePair StageTargetsIn(const std::filesystem::path& workFolder, StageTarget target);

// The selection in the chooser's order. Exactly two paths are a pair of text files: each must
// contain "wsEncyclopedia" in its full path (letter case significant) and end in ".txt" (case
// ignored), with the trace "Ext: <extension of the first path>" before each check; the one whose
// file name contains "wsEncyclopediaTitles" is the titles file, the other the contents file, and
// a pair that is not one of each is refused. Any other count: the first path is opened as an
// archive through zip (a non-ZIP file gives the component's own report), which must hold exactly
// one member whose name contains "wsEncyclopediaTitles.txt" and exactly one other containing
// "wsEncyclopedia.txt"; each is logged "-> Extracting <file name>" in directory order.
// Everything is read into memory before both targets are replaced together; a failure to read,
// extract or write throws std::runtime_error and leaves every target as it was.
StageResult StageEncyclopedia(const std::vector<std::filesystem::path>& selection,
                              StageTarget target, const std::filesystem::path& workFolder,
                              TZipMaster& zip, const LogFn& log);

// The selection read into memory as StageEncyclopedia reads it, with the same refusals and
// failures; nothing is written. Bytes is empty unless the outcome is Staged.
struct SelectionBytes {
    StageResult Result;
    BytesPair Bytes;
};
SelectionBytes ReadSelection(const std::vector<std::filesystem::path>& selection, TZipMaster& zip,
                             const LogFn& log);

} // namespace krel
