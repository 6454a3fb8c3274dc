#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace krel::testing {
namespace {

using nlohmann::json;

// Texts of the rows, for comparing whole views at once.
std::vector<std::string> texts(const json& rows) {
    std::vector<std::string> result;
    for (const json& row : rows)
        result.push_back(row["text"]);
    return result;
}

class CommandsTest : public ::testing::Test {
protected:
    TempFolder temp;
    std::string source = temp / "source";
};

TEST_F(CommandsTest, DumpGivesRecordsInFileOrderThenTheLetterRowsInUtf8) {
    WriteEncyclopedia(source,
                      {"|EGI_CAFE|\"Cafe_Pic\"", "|EGH_0002|\"Places:CAFE\"",
                       "|EGT_CAFE|\"Caf\xE9 Orra\"", "|EGK_CAFE|\"tea,\x93rest\x94\""},
                      {"\\*EGC_CAFE Warm./pQuiet."});
    ToolRun run = RunTool({"dump", source});
    ASSERT_EQ(run.Status, 0) << run.Err;
    json records = run.Json();
    ASSERT_EQ(records.size(), 2u + 26u);
    EXPECT_EQ(records[0], json::parse(R"({"kind":"header","tag":"0002","title":"","image":"",
        "keywords":"","related":"","content":"Places:CAFE"})"));
    EXPECT_EQ(records[1], json::parse(R"({"kind":"entry","tag":"CAFE","title":"Café Orra",
        "image":"Cafe_Pic","keywords":"tea,“rest”","related":"","content":"Warm./pQuiet."})"));
    EXPECT_EQ(records[2]["kind"], "letter");
    EXPECT_EQ(records[2]["title"], "A");
    EXPECT_EQ(records[27]["title"], "Z");
}

// Large outputs are printed a record at a time; each must still be one document in the JSON
// library's own layout, empty lists included.
TEST_F(CommandsTest, PrintsOneJsonDocumentInTheLibrarysLayout) {
    WriteEncyclopedia(source, {"|EGH_0001|\"All:ALFA\"", "|EGT_ALFA|\"Alfa\"", "|EGK_ALFA|\"k\""},
                      {"\\*EGC_ALFA Body."});
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"dump", source},
          {"toc", source},
          {"search", source, "k"},
          {"search", source, "none"},
          {"merge", source, source},
          {"merge", source, source, "--overwrite=no", "--confirm=yes", "--answers=yes"}}) {
        ToolRun run = RunTool(args);
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, nlohmann::ordered_json::parse(run.Out).dump(2) + "\n") << args[0];
    }
}

TEST_F(CommandsTest, DumpReadsTheMergeFilesOnlyWhenAsked) {
    WriteEncyclopedia(source, {"|EGT_WORK|\"Work copy\""}, {});
    WriteEncyclopedia(source, {"|EGT_MERG|\"Merge copy\""}, {}, ".merge");
    EXPECT_EQ(RunTool({"dump", source}).Json()[0]["title"], "Work copy");
    EXPECT_EQ(RunTool({"dump", source, "--merge-files"}).Json()[0]["title"], "Merge copy");
}

TEST_F(CommandsTest, TableOfContentsRenumbersAndListsMembersIncludingHeaders) {
    WriteEncyclopedia(source,
                      {"|EGH_0010|\"Worlds:WARD,NONE,WBEL\"", "|EGH_0003|\"Ships:0002\"",
                       "|EGT_WBEL|\"Belisar\"", "|EGT_WARD|\"Ardesh\""},
                      {});
    ToolRun run = RunTool({"toc", source});
    ASSERT_EQ(run.Status, 0) << run.Err;
    json rows = run.Json();
    EXPECT_EQ(texts(rows),
              (std::vector<std::string>{"Ships", "Worlds", "Worlds", "Ardesh", "Belisar"}));
    EXPECT_EQ(rows[0]["tag"], "0001");
    EXPECT_EQ(rows[1]["tag"], "0002"); // the member names the number the build gave "Worlds"
    EXPECT_EQ(rows[3], json::parse(R"({"kind":"entry","tag":"WARD","text":"Ardesh",
        "selectable":true})"));

    // The outline tells the header listed as a member from the header that starts a group.
    EXPECT_EQ(RunTool({"toc", source, "--text"}).Out,
              "Ships\n  Worlds\nWorlds\n  Ardesh\n  Belisar\n");
}

TEST_F(CommandsTest, SubjectIndexAndSearchFollowTheEditorsRules) {
    WriteEncyclopedia(source,
                      {"|EGT_AVAL|\"Avalon\"", "|EGK_AVAL|\"gate,Caf\xE9\"", "|EGT_LOWR|\"lower\"",
                       "|EGT_ARDE|\"Ardesh\"", "|EGK_ARDE|\"GATEWAY\"", "|EGT_BELI|\"Belisar\"",
                       "|EGK_BELI|\"GATE\""},
                      {});
    json index = RunTool({"index", source}).Json();
    EXPECT_EQ(texts(index), (std::vector<std::string>{"A", "Avalon", "Ardesh", "B", "Belisar"}));
    EXPECT_EQ(index[0]["selectable"], false);
    EXPECT_EQ(index[1]["selectable"], true);

    EXPECT_EQ(texts(RunTool({"search", source, "gate"}).Json()),
              (std::vector<std::string>{"Avalon", "Belisar"}));
    EXPECT_EQ(texts(RunTool({"search", source, "café"}).Json()),
              (std::vector<std::string>{"Avalon"}));
    EXPECT_TRUE(RunTool({"search", source, "nothing"}).Json().empty());
}

TEST_F(CommandsTest, SaveWritesWhatLoadsBackTheSameAndSortedSavesInContentsOrder) {
    WriteEncyclopedia(source,
                      {"|EGT_ZETA|\"Zeta\"", "|EGI_ZETA|\"Zeta_Pic\"",
                       "|EGH_0007|\"All:ZETA,ALFA\"", "|EGT_ALFA|\"Alfa\"", "|EGR_ALFA|\"ZETA\""},
                      {"\\*EGC_ZETA Last.", "\\*EGC_ALFA First."});
    std::string out = temp / "out"; // parent exists, folder does not yet
    ToolRun plain = RunTool({"save", source, out});
    ASSERT_EQ(plain.Status, 0) << plain.Err;
    EXPECT_EQ(RunTool({"dump", out}).Out, RunTool({"dump", source}).Out);

    ASSERT_EQ(RunTool({"save", source, out, "--sorted"}).Status, 0);
    json sorted = RunTool({"dump", out}).Json();
    EXPECT_EQ(sorted[0]["tag"], "0001");
    EXPECT_EQ(sorted[1]["title"], "Alfa");
    EXPECT_EQ(sorted[2]["title"], "Zeta");
    EXPECT_EQ(sorted[2]["image"], "Zeta_Pic");
}

TEST(HelpTest, HelpAndVersionPrintAndSucceed) {
    EXPECT_EQ(RunTool({"--version"}).Out, "krel-encyclopedia 1.2.0\n");
    ToolRun help = RunTool({"merge", "--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("merge SOURCE OTHER"), std::string::npos);
}

} // namespace
} // namespace krel::testing
