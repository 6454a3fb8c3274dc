#include "encyclopedia/MergePreview.h"

#include "Records.h"
#include "encyclopedia/Errors.h"

#include <gtest/gtest.h>

namespace krel::test {
namespace {

using Counts = std::pair<int, int>; // added, changed

Counts countsOf(const MergeResult& result) {
    return {result.ItemsAdded, result.ItemsChanged};
}

// One letter per incoming record in the merge's order: New, Identical, Conflict, Skipped.
std::string kindsOf(const MergePreview& preview) {
    std::string kinds;
    for (const IncomingRecord& record : preview.Records)
        kinds += "NICS"[static_cast<int>(record.Kind)];
    return kinds;
}

struct PreviewCase {
    const char* name;
    std::vector<T_EncEntry> current;
    std::vector<T_EncEntry> incoming;
    std::string kinds;
    Counts keepMine;   // every new record taken, mine kept for every conflict
    Counts takeTheirs; // theirs taken for all
    Counts merged;     // the Merge button's count with Overwrite and Confirm off
};

const T_EncEntry kFirst = {ekEntry, "Dune", {}, {}, {}, "one", "DUNE"};
const T_EncEntry kSecond = {ekEntry, "Dune", {}, {}, {}, "two", "dune"};

const std::vector<PreviewCase> kCases = {
    {"entries by tag, letter case ignored",
     {Header("0001", "Worlds:ARDE,BELI"), Entry("ARDE", "Ardesh"), Entry("BELI", "Belisar"),
      Letter('A')},
     {Entry("CORV", "Corvo"), Entry("beli", "Belisar II"), Entry("ARDE", "Ardesh")},
     "ICN",
     {1, 0},
     {1, 1},
     {1, 2}},
    {"headers by title; a repeated title meets the one added before it",
     {Header("0001", "Worlds:ARDE"), Header("0002", "Ships")},
     {Header("0007", "stars:X"), Header("0004", "Worlds:CORV"), Header("0005", "Ships"),
      Header("0006", "Stars")},
     "CINC",
     {1, 0},
     {1, 2},
     {1, 3}},
    {"only the first of a run of untitled headers",
     {},
     {Header("0001", ":A"), Header("0002", ":B"), Header("0003", "T"), Header("0004", ":C"),
      Header("0005", ":D"), Entry("A", "a")},
     "NNSNNS",
     {4, 0},
     {4, 0},
     {4, 0}},
    {"a tag repeated with the same title: later copies meet the first",
     {},
     {kFirst, kSecond, kFirst},
     "NCI",
     {1, 0},
     {1, 2},
     {1, 2}},
    {"nothing incoming", {Entry("ARDE", "Ardesh")}, {}, "", {0, 0}, {0, 0}, {0, 0}},
};

// The two bulk choices give exactly what the Merge button gives with the matching preferences.
TEST(MergePreview, BulkChoicesEqualTheMergeButtonsMerge) {
    for (const PreviewCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Encyclopedia current;
        current.Replace(c.current);
        MergePreview preview = PreviewMerge(current, c.incoming);
        EXPECT_EQ(kindsOf(preview), c.kinds);
        EXPECT_EQ(current.Snapshot(), c.current);

        Encyclopedia merged;
        merged.Replace(c.current);
        MergeResult button = MergeParsed(merged, c.incoming, {true, false, {}});
        EXPECT_EQ(countsOf(ApplyMerge(current, preview)), c.keepMine);
        EXPECT_EQ(current.Snapshot(), merged.Snapshot());
        EXPECT_EQ(countsOf(button), c.keepMine);

        Encyclopedia theirs;
        theirs.Replace(c.current);
        Encyclopedia overwritten;
        overwritten.Replace(c.current);
        TakeTheirsForAll(preview);
        button = MergeParsed(overwritten, c.incoming, {false, false, {}});
        EXPECT_EQ(countsOf(ApplyMerge(theirs, preview)), c.takeTheirs);
        EXPECT_EQ(theirs.Snapshot(), overwritten.Snapshot());
        EXPECT_EQ(countsOf(button), c.merged);
    }
}

TEST(MergePreview, AppliesEachChoiceAndShowsBothVersions) {
    Encyclopedia current;
    current.Replace({Entry("ARDE", "Ardesh"), Entry("BELI", "Belisar")});
    MergePreview preview = PreviewMerge(
        current, {Entry("ARDE", "Ardesh II"), Entry("BELI", "Belisar II"), Entry("CORV", "Corvo"),
                  Entry("DUNE", "Dune"), Header("0001", ":X"), Header("0002", ":Y")});
    ASSERT_EQ(kindsOf(preview), "CCNNNS");
    EXPECT_EQ(*preview.Records[0].Mine, Entry("ARDE", "Ardesh"));
    EXPECT_EQ(preview.Records[0].Theirs, Entry("ARDE", "Ardesh II"));
    KeepMineForAll(preview);
    preview.Records[0].Take = true; // take theirs
    preview.Records[2].Take = false;
    preview.Records[4].Take = false;
    preview.Records[5].Take = true; // a skipped header stays out
    EXPECT_EQ(countsOf(ApplyMerge(current, preview)), Counts(1, 1));
    EXPECT_EQ(current.Snapshot(),
              (std::vector<T_EncEntry>{Entry("ARDE", "Ardesh II"), Entry("BELI", "Belisar"),
                                       Entry("DUNE", "Dune")}));
}

TEST(MergePreview, AnUnreadableHeaderNumberFailsThePreview) {
    Encyclopedia current;
    try {
        PreviewMerge(current, {Header("0001", "a"), Header("x1", "b")});
        FAIL();
    } catch (const EEncEditorError& error) {
        EXPECT_STREQ(error.what(), "PreviewMerge()\r'x1' is not a valid integer value");
    }
}

} // namespace
} // namespace krel::test
