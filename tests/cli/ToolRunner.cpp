#include "ToolRunner.h"

#include "common/AtomicFile.h"
#include "encyclopedia/TextFormat.h"

#include <cstdlib>
#include <sys/wait.h>

namespace krel::testing {
namespace fs = std::filesystem;
namespace {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string fileText(const std::vector<std::string>& lines) {
    std::string text = "\\\\Written by hand for a test\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

ToolRun RunTool(const std::vector<std::string>& args, const std::string& output) {
    TempFolder io;
    std::string command = shellQuoted(KREL_CLI_PATH);
    for (const std::string& arg : args)
        command += " " + shellQuoted(arg);
    command += " " + (output.empty() ? ">" + shellQuoted(io / "out") : output);
    command += " 2>" + shellQuoted(io / "err");
    int raw = std::system(command.c_str());
    ToolRun run;
    run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    run.Out = output.empty() ? ReadWholeFile(io / "out") : "";
    run.Err = ReadWholeFile(io / "err");
    return run;
}

void WriteEncyclopedia(const fs::path& folder, const std::vector<std::string>& titles,
                       const std::vector<std::string>& contents, const std::string& suffix) {
    fs::create_directories(folder);
    WriteFileAtomic(folder / ("wsEncyclopediaTitles.txt" + suffix), EncyclopediaFileBytes(titles));
    WriteFileAtomic(folder / ("wsEncyclopedia.txt" + suffix), EncyclopediaFileBytes(contents));
}

std::string EncyclopediaFileBytes(const std::vector<std::string>& lines) {
    return EncodeEncyclopediaText(fileText(lines));
}

} // namespace krel::testing
