#include "ToolRunner.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace krel::testing {
namespace {
namespace fs = std::filesystem;

struct BadCase {
    const char* name;
    std::function<void(const TempFolder&)> prepare;
    std::vector<std::string> args; // "@" stands for the temporary folder
    std::string mentions;          // what the one line on stderr must name
};

std::vector<std::string> expand(const std::vector<std::string>& args, const TempFolder& temp) {
    std::vector<std::string> expanded;
    for (const std::string& arg : args)
        expanded.push_back(arg.rfind("@", 0) == 0 ? temp.Path().string() + arg.substr(1) : arg);
    return expanded;
}

void goodSource(const TempFolder& temp) {
    WriteEncyclopedia(temp.Path() / "src", {"|EGH_0001|\"Worlds:ARDE\"", "|EGT_ARDE|\"Ardesh\""},
                      {});
}

TEST(BadInputTest, EachGivesOneLineNamingTheCauseStatusTwoAndWritesNothing) {
    const std::vector<BadCase> cases = {
        {"missing folder", nullptr, {"toc", "@/nowhere"}, "nowhere"},
        {"folder without titles",
         [](const TempFolder& t) {
             goodSource(t);
             fs::remove(t.Path() / "src" / "wsEncyclopediaTitles.txt");
         },
         {"save", "@/src", "@/out"},
         "wsEncyclopediaTitles.txt"},
        {"empty contents file",
         [](const TempFolder& t) {
             goodSource(t);
             test::WriteTestFile(t.Path() / "src" / "wsEncyclopedia.txt", "");
         },
         {"save", "@/src", "@/out"},
         "wsEncyclopedia.txt': the file holds no line"},
        {"titles ending at once",
         [](const TempFolder& t) {
             goodSource(t);
             test::WriteTestFile(t.Path() / "src" / "wsEncyclopediaTitles.txt",
                                 std::string("\xFF\xFE\0\0x", 5));
         },
         {"merge", "@/src", "@/src", "--out", "@/out"},
         "wsEncyclopediaTitles.txt': the file holds no line"},
        {"header number no number",
         [](const TempFolder& t) {
             WriteEncyclopedia(t.Path() / "src", {"|EGH_12ab|\"Worlds\""}, {});
         },
         {"save", "@/src", "@/out", "--sorted"},
         "wsEncyclopediaTitles.txt': "},
        {"output parent missing", goodSource, {"save", "@/src", "@/out/deeper"}, "out/deeper"},
        {"unknown command", goodSource, {"frobnicate", "@/src"}, "unknown command 'frobnicate'"},
        {"unknown option", goodSource, {"toc", "@/src", "--sorted"}, "'--sorted'"},
        {"missing argument", goodSource, {"search", "@/src"}, "needs WORD"},
        {"surplus argument", goodSource, {"index", "@/src", "extra"}, "'extra'"},
        {"bad answer", goodSource, {"merge", "@/src", "@/src", "--answers=yes,maybe"}, "'maybe'"},
        {"bad yes or no", goodSource, {"merge", "@/src", "@/src", "--confirm=sure"}, "'sure'"},
        {"diff of a missing source", goodSource, {"diff", "@/src", "@/nowhere"}, "nowhere"},
        {"diff of one source", goodSource, {"diff", "@/src"}, "needs OTHER"},
        {"no command", nullptr, {}, "no command"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder temp;
        if (c.prepare)
            c.prepare(temp);
        ToolRun run = RunTool(expand(c.args, temp));
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err.find(c.mentions), std::string::npos) << run.Err;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        EXPECT_FALSE(fs::exists(temp.Path() / "out"));
    }
}

// A save that fails half-way (here the contents file's name is taken by a folder) keeps the
// files it would have replaced.
TEST(BadInputTest, FailedSaveKeepsThePreviousFiles) {
    TempFolder temp;
    goodSource(temp);
    fs::path out = temp.Path() / "out";
    WriteEncyclopedia(out, {"|EGT_KEEP|\"Kept\""}, {});
    std::string before = ReadWholeFile(out / "wsEncyclopediaTitles.txt");
    fs::remove(out / "wsEncyclopedia.txt");
    fs::create_directory(out / "wsEncyclopedia.txt");
    ToolRun run = RunTool({"save", (temp.Path() / "src").string(), out.string()});
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("wsEncyclopedia.txt"), std::string::npos) << run.Err;
    EXPECT_EQ(ReadWholeFile(out / "wsEncyclopediaTitles.txt"), before);
}

// A full device or a closed standard output loses the output: the command has not done its work.
TEST(BadInputTest, AnOutputThatCannotBeWrittenGivesStatusTwoAndSaysSo) {
    TempFolder temp;
    goodSource(temp);
    for (const char* output : {">/dev/full", ">&-"})
        for (const char* command : {"dump", "toc"}) {
            ToolRun run = RunTool({command, (temp.Path() / "src").string()}, output);
            EXPECT_EQ(run.Status, 2) << command << output;
            EXPECT_EQ(run.Err.rfind("krel-encyclopedia: cannot write the output: ", 0), 0u)
                << run.Err;
        }
}

// A UTF-8 folder name and a Windows-1252 tag in one message: each reaches UTF-8 once.
TEST(BadInputTest, MessagesAreUtf8EvenWhenTheyQuoteWindows1252Text) {
    TempFolder temp;
    fs::path source = temp.Path() / "Z\xC3\xBCge";
    WriteEncyclopedia(source,
                      {"|EGH_12\xE9"
                       "b|\"Worlds\""},
                      {});
    ToolRun run = RunTool({"save", source.string(), (temp.Path() / "out").string(), "--sorted"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("Z\xC3\xBCge/wsEncyclopediaTitles.txt"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("12\xC3\xA9"
                           "b"),
              std::string::npos)
        << run.Err;
}

} // namespace
} // namespace krel::testing
