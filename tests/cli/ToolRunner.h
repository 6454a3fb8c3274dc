#pragma once
// Runs the real krel-encyclopedia in temporary folders holding hand-made encyclopedias.

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

// A fresh folder, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Writes the two files into folder (created if needed) as the game stores them: UTF-16 with a
// first line that the reader skips, then the given 8-bit lines, CR LF after each.
void WriteEncyclopedia(const std::filesystem::path& folder, const std::vector<std::string>& titles,
                       const std::vector<std::string>& contents, const std::string& suffix = "");

// One such file's bytes, for packing into an archive.
std::string EncyclopediaFileBytes(const std::vector<std::string>& lines);

std::string ReadBytes(const std::filesystem::path& file);

} // namespace krel::testing
