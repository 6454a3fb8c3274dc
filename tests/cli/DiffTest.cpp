#include "ToolRunner.h"
#include "support/TestZip.h"

#include <gtest/gtest.h>

namespace krel::testing {
namespace {

using nlohmann::json;

const std::vector<std::string> kTitles = {
    "|EGH_0001|\"Worlds:ARDE,BELI\"", "|EGH_0002|\"Ships:SHIP\"", "|EGT_ARDE|\"Ardesh\"",
    "|EGK_ARDE|\"desert\"",           "|EGT_BELI|\"Belisar\"",    "|EGT_SHIP|\"Frigate\""};
const std::vector<std::string> kContents = {"\\*EGC_ARDE Dry."};

// Against the one above: the headers swap places, Belisar moves to Ships, Ardesh is renamed
// and rewritten, Corvo comes and the frigate goes.
const std::vector<std::string> kChangedTitles = {
    "|EGH_0001|\"Ships:SHIP,BELI\"", "|EGH_0002|\"Worlds:ARDE\"", "|EGT_ARDE|\"Ard\xE9sh\"",
    "|EGK_ARDE|\"desert,hot\"",      "|EGT_BELI|\"Belisar\"",     "|EGT_CORV|\"Corvo\""};
const std::vector<std::string> kChangedContents = {"\\*EGC_ARDE Dry./pWet."};

class DiffTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteEncyclopedia(before, kTitles, kContents);
        WriteEncyclopedia(after, kChangedTitles, kChangedContents);
    }

    TempFolder temp;
    std::string before = temp / "before";
    std::string after = temp / "after";
};

// Sources of any kind compare by what they hold: a folder and the archive packing it are equal.
TEST_F(DiffTest, EqualSourcesPrintNothingAndExitZero) {
    std::string archive = temp / "same.zip";
    test::WriteTestZip(archive,
                       {{"wStrings/wsEncyclopediaTitles.txt", EncyclopediaFileBytes(kTitles)},
                        {"wStrings/wsEncyclopedia.txt", EncyclopediaFileBytes(kContents)}});
    ToolRun plain = RunTool({"diff", before, archive});
    EXPECT_EQ(plain.Status, 0) << plain.Err;
    EXPECT_EQ(plain.Out, "");
    ToolRun asJson = RunTool({"diff", archive, before, "--json"});
    EXPECT_EQ(asJson.Status, 0) << asJson.Err;
    EXPECT_EQ(asJson.Json(), json::array());
}

TEST_F(DiffTest, ChangesReadLikeAReviewAndExitOne) {
    ToolRun run = RunTool({"diff", before, after});
    EXPECT_EQ(run.Status, 1) << run.Err;
    EXPECT_EQ(run.Out, "changed header 'Ships': members\n"
                       "changed header 'Worlds': members, order\n"
                       "changed ARDE 'Ard\xC3\xA9sh': title, text, keywords\n"
                       "changed BELI 'Belisar': header\n"
                       "added CORV 'Corvo'\n"
                       "removed SHIP 'Frigate'\n");
    EXPECT_EQ(RunTool({"diff", after, after}).Status, 0);
}

TEST_F(DiffTest, JsonGivesTheValuesBeforeAndAfter) {
    ToolRun run = RunTool({"diff", before, after, "--json"});
    ASSERT_EQ(run.Status, 1) << run.Err;
    json changes = run.Json();
    ASSERT_EQ(changes.size(), 6u);
    EXPECT_EQ(changes[1]["fields"], json({"members", "order"}));
    EXPECT_EQ(changes[1]["before"], json({{"members", {"ARDE", "BELI"}}, {"order", 1}}));
    EXPECT_EQ(changes[1]["after"], json({{"members", {"ARDE"}}, {"order", 2}}));
    EXPECT_EQ(changes[2]["before"],
              json({{"title", "Ardesh"}, {"text", "Dry."}, {"keywords", "desert"}}));
    EXPECT_EQ(
        changes[2]["after"],
        json({{"title", "Ard\xC3\xA9sh"}, {"text", "Dry./pWet."}, {"keywords", "desert,hot"}}));
    EXPECT_EQ(changes[3]["before"], json({{"header", {"Worlds"}}}));
    EXPECT_EQ(changes[3]["after"], json({{"header", {"Ships"}}}));
    // An added record shows all its values after, nothing before.
    EXPECT_EQ(changes[4]["change"], "added");
    EXPECT_EQ(changes[4]["before"], nullptr);
    EXPECT_EQ(changes[4]["after"]["title"], "Corvo");
    EXPECT_EQ(changes[4]["after"]["header"], json::array());
    EXPECT_EQ(changes[5]["before"]["order"],
              json::array({json({{"header", "Ships"}, {"position", 1}})}));
}

} // namespace
} // namespace krel::testing
