#pragma once
// The parse of the two work files into records (what the parser thread's Execute does). Plain
// code: the editor runs it on a worker thread and delivers progress and completion on its own
// thread; the command-line tool calls it directly.

#include "common/EncyclopediaFiles.h"
#include "encyclopedia/Entry.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

struct ParseResult {
    std::vector<T_EncEntry> Records; // headers and entries in the order of their lines
    std::vector<T_RawEntry> Orphans; // attribute lines whose tag matched no entry (dropped)
};

// Progress callback: (message, percent). Called with 0 at the start of each step, again each
// time the whole percentage of a pass changes, and with "Processing Completed." at 100.
using ProgressFn = std::function<void(const std::string& message, int percent)>;

// Parses file contents already read into memory (titles first, then contents).
ParseResult ParseEncyclopedia(std::string_view titlesBytes, std::string_view contentsBytes,
                              const ProgressFn& progress = {});
// The same for texts already decoded (see FileText.h).
ParseResult ParseEncyclopediaTexts(std::string_view titlesText, std::string_view contentsText,
                                   const ProgressFn& progress = {});

// File names read from the work folder; with mergeFiles the ".merge" variants.
std::filesystem::path TitlesFileIn(const std::filesystem::path& folder, bool mergeFiles = false);
std::filesystem::path ContentsFileIn(const std::filesystem::path& folder, bool mergeFiles = false);

// Execute: reads both files of the folder, parses them and hands the result to onComplete, which
// may take its records over: nothing reads them afterwards.
// Every failure (a missing file, a file with no line, a failure inside a callback) is raised as
// EEncThreadError "Execute()\r..." before onComplete runs, or from it.
void Execute(const std::filesystem::path& workFolder, bool mergeFiles, const ProgressFn& progress,
             const std::function<void(ParseResult&)>& onComplete);
// The same for the two files' bytes already in memory (the work copies just taken from the
// game's archive), with the same progress and failures.
void Execute(const BytesPair& files, const ProgressFn& progress,
             const std::function<void(ParseResult&)>& onComplete);

// The parser's two matching routines over its own lists.
bool CheckEntryList(const T_RawEntry& raw, std::vector<T_EncEntry>& parsed);
void CheckRawList(T_EncEntry& entry, std::vector<T_RawEntry>& rawList);

} // namespace krel
