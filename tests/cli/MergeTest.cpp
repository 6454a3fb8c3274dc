#include "ToolRunner.h"

#include <cctype>
#include <gtest/gtest.h>

namespace krel::testing {
namespace {

using nlohmann::json;

std::string folded(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

json withoutLetters(const json& records) {
    json kept = json::array();
    for (const json& record : records)
        if (record["kind"] != "letter")
            kept.push_back(record);
    return kept;
}

// The loaded encyclopedia: two worlds under one header. The other one renames both, adds a
// world and a header, and repeats the header title "Worlds" under another number.
class MergeTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteEncyclopedia(
            source,
            {"|EGH_0001|\"Worlds:ARDE,BELI\"", "|EGT_ARDE|\"Ardesh\"", "|EGT_BELI|\"Belisar\""},
            {});
        WriteEncyclopedia(other,
                          {"|EGH_0004|\"Worlds:CORV\"", "|EGH_0005|\"Ships\"",
                           "|EGT_beli|\"Belisar II\"", "|EGT_ARDE|\"Ardesh II\"",
                           "|EGT_CORV|\"Corvo\""},
                          {});
    }

    // A changed record takes over the other's tag too, letter case included.
    static json titleOf(const json& records, const std::string& tag) {
        for (const json& record : records)
            if (folded(record["tag"]) == folded(tag))
                return record["kind"] == "header" ? record["content"] : record["title"];
        return nullptr;
    }

    TempFolder temp;
    std::string source = temp / "source";
    std::string other = temp / "other";
};

struct MergeCase {
    std::vector<std::string> options;
    int added;
    int changed;
    std::vector<std::string> asked;
    const char* arde; // ARDE's title after the merge
    const char* beli;
};

TEST_F(MergeTest, DuplicatesFollowOverwriteConfirmAndTheAnswersInQuestionOrder) {
    const std::vector<MergeCase> cases = {
        // Stored defaults: the loaded encyclopedia wins; only Corvo and "Ships" are new.
        {{}, 2, 0, {}, "Ardesh", "Belisar"},
        {{"--overwrite=no"}, 2, 3, {}, "Ardesh II", "Belisar II"},
        // Questions come in title order of the other encyclopedia, then its headers.
        {{"--overwrite=no", "--confirm=yes", "--answers=no,yes"},
         2,
         1,
         {"ARDE", "beli", "0004"},
         "Ardesh",
         "Belisar II"},
        {{"--overwrite=no", "--confirm=yes", "--answers=no-to-all"},
         2,
         0,
         {"ARDE"},
         "Ardesh",
         "Belisar"},
        {{"--overwrite=no", "--confirm=yes", "--answers=yes-to-all,no"},
         2,
         3,
         {"ARDE"},
         "Ardesh II",
         "Belisar II"},
    };
    for (const MergeCase& c : cases) {
        std::vector<std::string> args = {"merge", source, other};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ToolRun run = RunTool(args);
        SCOPED_TRACE(::testing::PrintToString(c.options));
        ASSERT_EQ(run.Status, 0) << run.Err;
        json report = run.Json();
        EXPECT_EQ(report["added"], c.added);
        EXPECT_EQ(report["changed"], c.changed);
        EXPECT_EQ(report["asked"], json(c.asked));
        EXPECT_EQ(titleOf(report["records"], "ARDE"), c.arde);
        EXPECT_EQ(titleOf(report["records"], "BELI"), c.beli);
    }
}

TEST_F(MergeTest, OutSavesTheMergedEncyclopediaAsReported) {
    std::string out = temp / "merged";
    ToolRun run = RunTool({"merge", source, other, "--overwrite=no", "--out", out});
    ASSERT_EQ(run.Status, 0) << run.Err;
    json saved = RunTool({"dump", out}).Json();
    json reported = run.Json()["records"];
    // The save writes everything but the letter rows, which a load adds again at the end.
    EXPECT_EQ(withoutLetters(saved), withoutLetters(reported));
    EXPECT_EQ(saved.size(), reported.size());
    EXPECT_EQ(titleOf(saved, "0001"), "Worlds:CORV");
}

} // namespace
} // namespace krel::testing
