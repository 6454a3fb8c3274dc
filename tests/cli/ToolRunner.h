#pragma once
// Runs the real krel-encyclopedia in temporary folders holding hand-made encyclopedias.

#include "common/AtomicFile.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace krel::testing {

struct ToolRun {
    int Status = -1;
    std::string Out;
    std::string Err;

    nlohmann::json Json() const { return nlohmann::json::parse(Out); }
};

// output, when given, is the shell's redirection of standard output (">/dev/full", ">&-").
ToolRun RunTool(const std::vector<std::string>& args, const std::string& output = {});

using test::TempFolder;

// Writes the two files into folder (created if needed) as the game stores them: UTF-16 with a
// first line that the reader skips, then the given 8-bit lines, CR LF after each.
void WriteEncyclopedia(const std::filesystem::path& folder, const std::vector<std::string>& titles,
                       const std::vector<std::string>& contents, const std::string& suffix = "");

// One such file's bytes, for packing into an archive.
std::string EncyclopediaFileBytes(const std::vector<std::string>& lines);

} // namespace krel::testing
