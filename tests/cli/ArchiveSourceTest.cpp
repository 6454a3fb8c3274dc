#include "ToolRunner.h"
#include "common/AtomicFile.h"
#include "support/TestZip.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace krel::testing {
namespace {
namespace fs = std::filesystem;

const std::vector<std::string> kTitles = {"|EGH_0004|\"Worlds:WARD,WBEL\"", "|EGT_WBEL|\"Belisar\"",
                                          "|EGI_WBEL|\"Planet_Belisar\"", "|EGT_WARD|\"Ardesh\"",
                                          "|EGK_WARD|\"desert\""};
const std::vector<std::string> kContents = {"\\*EGC_WARD Dry./pHot.", "\\*EGC_WBEL Wet."};

test::ZipMember titlesAt(const std::string& name) {
    return {name, EncyclopediaFileBytes(kTitles)};
}
test::ZipMember contentsAt(const std::string& name) {
    return {name, EncyclopediaFileBytes(kContents)};
}
const std::vector<test::ZipMember> kPair = {titlesAt("wsEncyclopediaTitles.txt"),
                                            contentsAt("wsEncyclopedia.txt")};

class ArchiveSourceTest : public ::testing::Test {
protected:
    void SetUp() override { WriteEncyclopedia(folder, kTitles, kContents); }

    std::string Packed(const std::string& name, const std::vector<test::ZipMember>& members) {
        test::WriteTestZip(temp.Path() / name, members);
        return temp / name;
    }

    TempFolder temp;
    std::string folder = temp / "folder";
};

// Whatever an archive is called and wherever its members lie, it reads like the folder it packs.
TEST_F(ArchiveSourceTest, ArchiveReadsLikeTheFolderItPacks) {
    std::vector<std::string> archives = {
        Packed("Encyclopedia.zip", kPair),
        Packed("wStrings.mob", {{"wStrings/", ""},
                                {"wStrings/wsPlanets.txt", "other strings"},
                                contentsAt("wStrings/wsEncyclopedia.txt"),
                                titlesAt("wStrings/wsEncyclopediaTitles.txt")}),
        Packed("no-suffix", {titlesAt("a/b/old_wsEncyclopediaTitles.txt"),
                             contentsAt("c/wsEncyclopedia.txt.bak")}),
    };
    for (const char* command : {"dump", "toc"})
        for (const std::string& archive : archives) {
            SCOPED_TRACE(std::string(command) + " " + archive);
            ToolRun run = RunTool({command, archive});
            EXPECT_EQ(run.Status, 0) << run.Err;
            EXPECT_EQ(run.Out, RunTool({command, folder}).Out);
        }
    ToolRun merged = RunTool({"merge", folder, archives[1], "--answers=yes-to-all"});
    EXPECT_EQ(merged.Status, 0) << merged.Err;
    EXPECT_EQ(merged.Out, RunTool({"merge", folder, folder, "--answers=yes-to-all"}).Out);
}

struct Refusal {
    const char* name;
    std::vector<test::ZipMember> members;
    std::string (*damage)(const std::string& bytes); // rewrites the packed archive, if given
    std::string mentions;
};

TEST_F(ArchiveSourceTest, RefusedArchiveGivesOneLineWithTheReasonAndWritesNothing) {
    const std::vector<Refusal> cases = {
        {"nothing of either",
         {{"readme.txt", "hello"}, titlesAt("wsencyclopediatitles.txt")},
         nullptr,
         "holds no titles member and no contents member"},
        {"two titles",
         {titlesAt("a/wsEncyclopediaTitles.txt"), titlesAt("b/wsEncyclopediaTitles.txt"),
          contentsAt("wsEncyclopedia.txt")},
         nullptr,
         "2 titles members (a\\wsEncyclopediaTitles.txt, b\\wsEncyclopediaTitles.txt) and 1 "
         "contents member (wsEncyclopedia.txt)"},
        {"no contents",
         {titlesAt("wStrings/wsEncyclopediaTitles.txt")},
         nullptr,
         "1 titles member (wStrings\\wsEncyclopediaTitles.txt) and no contents member"},
        {"titles without a line",
         {{"wsEncyclopediaTitles.txt", "\xFF\xFE"}, contentsAt("wsEncyclopedia.txt")},
         nullptr,
         "pack.mob:wsEncyclopediaTitles.txt': the file holds no line"},
        {"no archive at all", kPair,
         [](const std::string&) { return std::string("Not the bytes of an archive."); },
         "pack.mob': Error: "},
        {"cut short", kPair,
         [](const std::string& bytes) { return bytes.substr(0, bytes.size() - 30); },
         "pack.mob': Error: "},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        std::string archive = Packed("pack.mob", c.members);
        if (c.damage)
            WriteFileAtomic(archive, c.damage(ReadWholeFile(archive)));
        ToolRun run = RunTool({"save", archive, temp / "out"});
        EXPECT_EQ(run.Status, 2);
        EXPECT_NE(run.Err.find(c.mentions), std::string::npos) << run.Err;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        EXPECT_FALSE(fs::exists(temp.Path() / "out"));
    }
    ToolRun mergeFiles = RunTool({"dump", Packed("pair.zip", kPair), "--merge-files"});
    EXPECT_EQ(mergeFiles.Status, 2);
    EXPECT_NE(mergeFiles.Err.find("folder only"), std::string::npos) << mergeFiles.Err;
}

} // namespace
} // namespace krel::testing
