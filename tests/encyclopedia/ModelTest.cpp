#include "Records.h"
#include "encyclopedia/Completion.h"
#include "encyclopedia/Errors.h"
#include "encyclopedia/TextFormat.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace krel::test {
namespace {

std::vector<std::string> tagsOf(const Encyclopedia& encyclopedia) {
    std::vector<std::string> tags;
    for (const auto& record : encyclopedia.GetEntryList())
        tags.push_back(record->Kind == ekEntry ? record->Title : record->Tag);
    return tags;
}

TEST(Model, ReorderSortsByKindNumberAndTitleThenRenumbers) {
    Encyclopedia encyclopedia;
    encyclopedia.Replace({Letter('B'), Entry("E1", "beta"), Header("0010", "c"), Letter('A'),
                          Entry("E2", "Zulu"), Header("0003", "a"), Entry("E3", "Alpha"),
                          Header("+4", "b")});
    encyclopedia.ReorderEncyclopedia();
    EXPECT_EQ(tagsOf(encyclopedia),
              (std::vector<std::string>{"0001", "0002", "0003", "Alpha", "Zulu", "beta", "", ""}));
    EXPECT_EQ(encyclopedia.At(2)->Content, "c");
    EXPECT_EQ(encyclopedia.GetLastHeaderTag(), 3);
}

// Titles that share long beginnings, bytes above 127, a NUL and duplicates: the sort must give
// exactly the order of a stable sort by CompareEncEntries.
TEST(Model, ReorderOrdersTitlesByTheirBytesAndKeepsEqualOnesInPlace) {
    std::vector<std::string> titles = {"Ion drive B",
                                       "Ion drive",
                                       "Ion drive A",
                                       "\xE9"
                                       "clair",
                                       "Zeta",
                                       "Ion driv\xE9",
                                       "Ion drive",
                                       "ion",
                                       {"Ion\0x", 5},
                                       "Ion",
                                       "",
                                       "Ion drive A"};
    std::vector<T_EncEntry> records;
    for (size_t i = 0; i < 3 * titles.size(); ++i)
        records.push_back(Entry("T" + std::to_string(i), titles[i % titles.size()]));
    records.push_back(Header("0002", "b"));
    records.push_back(Header("0002", "a"));
    Encyclopedia encyclopedia;
    encyclopedia.Replace(records);
    encyclopedia.ReorderEncyclopedia();
    std::stable_sort(records.begin(), records.end(), CompareEncEntries);
    records[0].Tag = "0001";
    EXPECT_EQ(encyclopedia.Snapshot(), records);
}

// Lookups are kept across appends, edits and a reorder that moves nothing, so they must follow
// new records, grown tables, changed tags and new header numbers.
TEST(Model, LookupsFollowAppendsAndRenumbering) {
    Encyclopedia encyclopedia;
    encyclopedia.Replace({Header("0003", "Stars:E1"), Header("0007", "Ships"), Letter('A')});
    EXPECT_EQ(encyclopedia.GetEntryByTag("0003"), encyclopedia.At(0));
    EXPECT_EQ(encyclopedia.GetHeaderByTitle("SHIPS"), encyclopedia.At(1));
    encyclopedia.ReorderEncyclopedia();
    EXPECT_EQ(encyclopedia.GetEntryByTag("0002"), encyclopedia.At(1));
    EXPECT_EQ(encyclopedia.GetEntryByTag("0003"), nullptr);
    EXPECT_EQ(encyclopedia.GetEntryByTag("0007"), nullptr);

    std::vector<const T_EncEntry*> appended;
    for (int i = 0; i < 500; ++i)
        appended.push_back(encyclopedia.Append(Entry("E" + std::to_string(i), "t")));
    encyclopedia.Append(Entry("e1", "later"));
    encyclopedia.Append(Header("0009", "ships:E2"));
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(encyclopedia.GetEntryOnlyByTag("e" + std::to_string(i)), appended[size_t(i)]);
    EXPECT_EQ(encyclopedia.GetHeaderByTitle("Ships"), encyclopedia.At(1));
    EXPECT_EQ(encyclopedia.GetHeader(appended[1]), encyclopedia.At(0));
    EXPECT_EQ(encyclopedia.GetHeader(appended[2]), encyclopedia.At(encyclopedia.Count() - 1));

    encyclopedia.Modify(appended[7], [](T_EncEntry& entry) { entry.Tag = "NEW7"; });
    EXPECT_EQ(encyclopedia.GetEntryOnlyByTag("E7"), nullptr);
    EXPECT_EQ(encyclopedia.GetEntryOnlyByTag("new7"), appended[7]);
}

// Whatever outlives a change holds a record by its identity: edits and reordering keep it,
// leaving the list or a replaced list ends it, and it is never given again.
TEST(Model, RecordsKeepTheirIdentityUntilTheyLeave) {
    Encyclopedia encyclopedia;
    encyclopedia.Replace({Entry("B1", "Beta"), Header("0002", "Stars:B1"), Entry("A1", "Alpha")});
    const RecordId beta = encyclopedia.IdOf(encyclopedia.At(0));
    const RecordId alpha = encyclopedia.IdOf(encyclopedia.At(2));
    EXPECT_NE(beta, alpha);
    encyclopedia.Modify(encyclopedia.At(0), [](T_EncEntry& entry) { entry.Title = "Zeta"; });
    encyclopedia.ReorderEncyclopedia();
    EXPECT_EQ(encyclopedia.Find(beta)->Title, "Zeta");
    EXPECT_EQ(encyclopedia.IdOf(encyclopedia.At(1)), alpha);
    const RecordId added = encyclopedia.IdOf(encyclopedia.Append(Entry("C1", "Gamma")));
    encyclopedia.Remove(encyclopedia.Find(alpha));
    EXPECT_EQ(encyclopedia.Find(alpha), nullptr);
    EXPECT_EQ(encyclopedia.Find(added)->Tag, "C1");

    encyclopedia.Replace({Entry("B1", "Beta")});
    for (RecordId old : {beta, alpha, added})
        EXPECT_EQ(encyclopedia.Find(old), nullptr);
    const RecordId fresh = encyclopedia.IdOf(encyclopedia.At(0));
    EXPECT_NE(fresh, beta);
    EXPECT_NE(fresh, added);
    EXPECT_EQ(encyclopedia.IdOf(nullptr), RecordId::None);
    EXPECT_EQ(encyclopedia.Find(RecordId::None), nullptr);
}

TEST(Model, ABadHeaderNumberFailsBeforeAnythingChanges) {
    Encyclopedia encyclopedia;
    encyclopedia.Replace(
        {Entry("E1", "z"), Entry("E2", "y"), Header("0009", "a"), Header("12a", "c")});
    std::vector<T_EncEntry> before = encyclopedia.Snapshot();
    try {
        encyclopedia.ReorderEncyclopedia();
        FAIL();
    } catch (const EEncEditorError& error) {
        EXPECT_STREQ(error.what(), "ReorderEncyclopedia()\r'12a' is not a valid integer value");
    }
    EXPECT_EQ(encyclopedia.Snapshot(), before);
    EXPECT_THROW(encyclopedia.GetLastHeaderTag(), EEncEditorError);

    RecordingSink sink(encyclopedia);
    sink.rows = {{7, true}};
    std::vector<std::string> log;
    try {
        BuildList(encyclopedia, ViewMode::TableOfContents, "", sink,
                  [&](const std::string& line) { log.push_back(line); });
        FAIL();
    } catch (const EEncEditorError& error) {
        EXPECT_STREQ(error.what(), "BuildList()\rBuildTOC()\rReorderEncyclopedia()\r'12a' is not "
                                   "a valid integer value");
    }
    EXPECT_EQ(sink.rows.size(), 1u);
    EXPECT_EQ(log, (std::vector<std::string>{"Building Index ...", "-> Table of Contents"}));
}

TEST(Model, HeaderNumbersAreSignedDecimalIntegersOnly) {
    for (auto [tag, number] :
         {std::pair{"0001", 1}, {"-3", -3}, {"+12", 12}, {"2147483647", 2147483647}})
        EXPECT_EQ(HeaderNumber(tag), number) << tag;
    for (const char* tag : {"", " 1", "1 ", "+-1", "-", "0x1F", "2147483648", "1.0"})
        EXPECT_THROW(HeaderNumber(tag), std::invalid_argument) << tag;
    EXPECT_EQ(FormatHeaderTag(12), "0012");
    EXPECT_EQ(FormatHeaderTag(10000), "10000");
}

TEST(Model, MembershipEditsWorkOnWholeItems) {
    struct Case {
        std::string content, tag, added, removed;
    } cases[] = {
        {"Stars:", "A001", "Stars:A001", "Stars:"},
        {"Stars:B002,C003", "B002", "Stars:B002,C003,B002", "Stars:C003"},
        {"Stars:A001,B002,C003", "B002", "Stars:A001,B002,C003,B002", "Stars:A001,C003"},
        {"Stars", "A001", "Stars:A001", "Stars"},
        {"", "A001", ":A001", ""},
        {"Stars: ", "A001", "Stars: A001", "Stars: "},
        {"Stars:AB,ABC,B", "B", "Stars:AB,ABC,B,B", "Stars:AB,ABC"},
        {"B002 lore:A001 B002", "B002", "B002 lore:A001 B002,B002", "B002 lore:A001"},
        {"Stars:B002,\"B002\",x", "B002", "Stars:B002,\"B002\",x,B002", "Stars:x"},
    };
    for (const auto& c : cases) {
        Encyclopedia encyclopedia;
        encyclopedia.Replace({Header("0001", c.content), Entry(c.tag, "t")});
        const T_EncEntry* header = encyclopedia.At(0);
        const T_EncEntry* entry = encyclopedia.At(1);
        encyclopedia.AddEntryToHeader(entry, header);
        EXPECT_EQ(header->Content, c.added);
        EXPECT_EQ(encyclopedia.GetHeader(entry), header) << c.added;
        encyclopedia.Replace({Header("0001", c.content), Entry(c.tag, "t")});
        encyclopedia.RemoveEntryFromHeader(encyclopedia.At(1), encyclopedia.At(0));
        EXPECT_EQ(encyclopedia.At(0)->Content, c.removed) << c.content;
        EXPECT_EQ(encyclopedia.GetHeader(encyclopedia.At(1)), nullptr) << c.content;
    }
}

TEST(Install, AddsTheLetterRowsAfterTheParsedRecords) {
    Encyclopedia encyclopedia;
    InstallParsed(encyclopedia, {Entry("A001", "Alpha")});
    ASSERT_EQ(encyclopedia.Count(), 27u);
    EXPECT_EQ(*encyclopedia.At(1), Letter('A'));
    EXPECT_EQ(*encyclopedia.At(26), Letter('Z'));
    InstallParsed(encyclopedia, {});
    EXPECT_EQ(ParsedReadyLine(encyclopedia), "Encyclopedia Parsed and ready.  26 entries found.");
}

TEST(Views, LogTheirSteps) {
    Encyclopedia encyclopedia;
    InstallParsed(encyclopedia, {Header("0001", "Stars:S001"), Entry("S001", "Sloop", "ship")});
    RecordingSink sink(encyclopedia);
    std::vector<std::string> log;
    auto logTo = [&](const std::string& line) {
        log.push_back(line);
    };
    BuildList(encyclopedia, ViewMode::TableOfContents, "", sink, logTo);
    BuildList(encyclopedia, ViewMode::SubjectIndex, "", sink, logTo);
    BuildList(encyclopedia, ViewMode::Search, "SHIP", sink, logTo);
    EXPECT_EQ(sink.rows, (std::vector<std::pair<size_t, bool>>{{1, true}}));
    EXPECT_EQ(log, (std::vector<std::string>{
                       "Building Index ...", "-> Table of Contents", "-> Table of Contents built.",
                       "Building Index ...", "-> Subject Index", "Building Subject Index ...",
                       "Subject Index Built ...", "Building Index ...", "-> Search Index"}));
}

// Letter rows are single capitals after a load, but a row with another title must still list
// the entries whose titles begin with it.
TEST(Views, SubjectIndexMatchesTitleBeginningsOfAnyLength) {
    T_EncEntry io = Letter('I'), none = Letter('I');
    io.Title = "Io";
    none.Title = "";
    Encyclopedia encyclopedia;
    encyclopedia.Replace({Entry("A1", "Ion"), Entry("A2", "io"), Entry("A3", "Io"), io, none,
                          Letter('I'), Letter('Q')});
    RecordingSink sink(encyclopedia);
    BuildSubjectIndex(encyclopedia, sink, {});
    // "Io": Ion, Io; "": every entry; "I": Ion, Io; "Q": nothing.
    std::vector<std::pair<size_t, bool>> expected = {{3, false}, {0, true}, {2, true}, {4, false},
                                                     {0, true},  {1, true}, {2, true}, {5, false},
                                                     {0, true},  {2, true}};
    EXPECT_EQ(sink.rows, expected);
}

} // namespace
} // namespace krel::test
