#include "ToolRunner.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <set>

namespace krel::testing {
namespace {

using nlohmann::json;
using Found = std::set<std::pair<std::string, std::string>>; // (problem, tag)

Found problemsOf(const ToolRun& run) {
    Found found;
    for (const json& problem : run.Json())
        found.insert({problem["problem"].get<std::string>(), problem["tag"].get<std::string>()});
    return found;
}

TEST(CheckTest, ReportsEachKindOfProblemOnceAndNothingElse) {
    TempFolder temp;
    WriteEncyclopedia(temp.Path(),
                      {
                          "|EGH_0001|\"Worlds:GOOD,dupe,GHST\"",
                          "|EGH_00x1|\"Odd\"",
                          "|EGT_GOOD|\"Good\"",
                          "|EGR_GOOD|\"DUPE,LOST\"",
                          "|EGT_DUPE|\"First\"",
                          "|EGT_dupe|\"Second\"",
                          "|EGT_QUOT|\"Say \"hi\"\"", // the reader keeps a quote of this title
                          "|EGT_ERO",                 // a line that ends inside its tag
                          "|EGI_NOPE|\"Pic\"",
                      },
                      {"\\*EGC_GOOD He said \"hi\"."}); // quotes in body text survive
    ToolRun run = RunTool({"check", temp.Path().string(), "--json"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(problemsOf(run), (Found{{"tag-length", "ERO"},
                                      {"duplicate-tag", "DUPE"},
                                      {"header-number", "00x1"},
                                      {"dangling-member", "0001"},
                                      {"dangling-related", "GOOD"},
                                      {"orphan-attribute", "NOPE"},
                                      {"unsafe-value", "QUOT"},
                                      {"unlisted-entry", "dupe"}, // the TOC shows "First"
                                      {"unlisted-entry", "QUOT"},
                                      {"unlisted-entry", "ERO"},
                                      {"no-default-page", "EROR"}}));
    json first = run.Json()[3];
    EXPECT_EQ(first["member"], "GHST");

    ToolRun lines = RunTool({"check", temp.Path().string()});
    EXPECT_EQ(lines.Status, 1);
    EXPECT_NE(lines.Out.find("dangling-related \"GOOD\": the entry links to \"LOST\""),
              std::string::npos);
    EXPECT_EQ(std::count(lines.Out.begin(), lines.Out.end(), '\n'), 11);
}

TEST(CheckTest, CleanEncyclopediaPassesSilently) {
    TempFolder temp;
    WriteEncyclopedia(temp.Path(),
                      {"|EGH_0001|\"Worlds:ARDE\"", "|EGT_ARDE|\"Ardesh\"", "|EGR_ARDE|\"eror\"",
                       "|EGT_EROR|\"Choose a topic\""},
                      {"\\*EGC_EROR Pick one."});
    ToolRun run = RunTool({"check", temp.Path().string()});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "");
}

// Rebuilding the table of contents numbers headers from 1, so the 10000th cannot be saved.
TEST(CheckTest, FlagsOnlyTheHeadersNumberedBeyondFourDigits) {
    TempFolder temp;
    std::vector<std::string> titles = {"|EGT_EROR|\"Start\""};
    for (int number = 0; number <= 9999; ++number) {
        char tag[8];
        std::snprintf(tag, sizeof tag, "%04d", number);
        titles.push_back(std::string("|EGH_") + tag + "|\"Header\"");
    }
    WriteEncyclopedia(temp.Path(), titles, {});
    ToolRun run = RunTool({"check", temp.Path().string(), "--json"});
    EXPECT_EQ(problemsOf(run), (Found{{"header-number", "9999"}}));
}

} // namespace
} // namespace krel::testing
