#include "encyclopedia/Compare.h"

#include "Records.h"
#include "encyclopedia/WordDiff.h"

#include <gtest/gtest.h>

namespace krel::test {
namespace {

// "changed ARDE: title, text" or "added header Ships".
std::string describe(const RecordChange& change) {
    static const char* const names[] = {"added", "removed", "changed"};
    const T_EncEntry& record = change.Record();
    std::string text = names[static_cast<int>(change.Change)];
    text += change.Kind == ekHeader
                ? " header " + record.Content.substr(0, record.Content.find(':'))
                : " " + record.Tag;
    if (!change.Fields.Empty())
        text += ": " + FieldNames(change.Fields);
    return text;
}

std::vector<std::string> differences(const std::vector<T_EncEntry>& before,
                                     const std::vector<T_EncEntry>& after) {
    Encyclopedia a, b;
    a.Replace(before);
    b.Replace(after);
    std::vector<std::string> lines;
    for (const RecordChange& change : CompareEncyclopedias(a, b).Changes)
        lines.push_back(describe(change));
    return lines;
}

T_EncEntry Full(std::string tag, std::string title, std::string image, std::string keywords,
                std::string related, std::string content) {
    return {ekEntry, title, image, keywords, related, content, tag};
}

const T_EncEntry kArde = Full("ARDE", "Ardesh", "Pic_A", "desert,hot", "BELI", "Dry./pHot.");

struct CompareCase {
    const char* name;
    std::vector<T_EncEntry> before;
    std::vector<T_EncEntry> after;
    std::vector<std::string> expected;
};

TEST(Compare, ReportsEachChangedFieldAndEachMoveOnce) {
    const std::vector<T_EncEntry> book = {Header("0001", "Worlds:ARDE,BELI,CORV"),
                                          Header("0002", "Ships:SHIP"),
                                          kArde,
                                          Entry("BELI", "Belisar"),
                                          Entry("CORV", "Corvo"),
                                          Entry("SHIP", "Frigate"),
                                          Letter('A')};
    auto with = [&](size_t index, T_EncEntry record) {
        std::vector<T_EncEntry> changed = book;
        changed[index] = std::move(record);
        return changed;
    };
    const std::vector<CompareCase> cases = {
        {"identical", book, book, {}},
        {"empty", {}, {}, {}},
        {"letter rows and header numbers are not compared",
         book,
         {Header("0007", "Worlds:ARDE,BELI,CORV"), Header("0009", "Ships:SHIP"), kArde,
          Entry("BELI", "Belisar"), Entry("CORV", "Corvo"), Entry("SHIP", "Frigate")},
         {}},
        {"everything added",
         {},
         {Header("0001", "Ships:SHIP"), Entry("SHIP", "Frigate")},
         {"added header Ships", "added SHIP"}},
        {"everything removed",
         {Header("0001", "Ships:SHIP"), Entry("SHIP", "Frigate")},
         {},
         {"removed header Ships", "removed SHIP"}},
        {"title",
         book,
         with(2, Full("ARDE", "Ardesh II", "Pic_A", "desert,hot", "BELI", "Dry./pHot.")),
         {"changed ARDE: title"}},
        {"text",
         book,
         with(2, Full("ARDE", "Ardesh", "Pic_A", "desert,hot", "BELI", "Dry./pWet.")),
         {"changed ARDE: text"}},
        {"picture",
         book,
         with(2, Full("ARDE", "Ardesh", "Pic_B", "desert,hot", "BELI", "Dry./pHot.")),
         {"changed ARDE: picture"}},
        {"keywords",
         book,
         with(2, Full("ARDE", "Ardesh", "Pic_A", "desert", "BELI", "Dry./pHot.")),
         {"changed ARDE: keywords"}},
        {"links",
         book,
         with(2, Full("ARDE", "Ardesh", "Pic_A", "desert,hot", "CORV", "Dry./pHot.")),
         {"changed ARDE: links"}},
        {"tag letter case, several fields",
         book,
         with(2, Full("arde", "Ardesh", "Pic_A", "desert,hot", "", "")),
         {"changed arde: tag, text, links"}},
        {"a tag moved between headers",
         book,
         with(1, Header("0002", "Ships:SHIP,BELI")),
         {"changed header Ships: members", "changed BELI: header"}},
        {"listed by two headers instead of none",
         with(0, Header("0001", "Worlds:ARDE,CORV")),
         with(1, Header("0002", "Ships:SHIP,BELI")),
         {"changed header Worlds: members", "changed header Ships: members",
          "changed BELI: header"}},
        {"an entry moved among its header's members",
         book,
         with(0, Header("0001", "Worlds:BELI,CORV,ARDE")),
         {"changed header Worlds: members", "changed ARDE: order"}},
        {"member letter case and spacing are not changes",
         book,
         with(0, Header("0001", "Worlds: arde, BELI ,corv")),
         {}},
        {"reordered headers: the one that moved",
         {Header("0001", "Worlds"), Header("0002", "Ships"), Header("0003", "Stars")},
         {Header("0001", "Ships"), Header("0002", "Worlds"), Header("0003", "Stars")},
         {"changed header Worlds: order"}},
        {"header order is the order of numbers, not of the list",
         {Header("0002", "Ships"), Header("0001", "Worlds")},
         {Header("0001", "Worlds"), Header("0002", "Ships")},
         {}},
        {"a header whose number is no number still compares, placed last",
         {Header("x1", "Odd"), Header("0001", "Worlds"), Header("0002", "Ships")},
         {Header("0001", "Worlds"), Header("0002", "Ships"), Header("x2", "Odd")},
         {}},
        {"a renamed header pairs by its members",
         book,
         with(1, Header("0002", "Starships:SHIP")),
         {"changed header Starships: title"}},
        {"a title differing in letter case",
         book,
         with(1, Header("0002", "SHIPS:SHIP")),
         {"changed header SHIPS: title"}},
        {"repeated tags pair in order",
         {Entry("DUPE", "One"), Entry("dupe", "Two")},
         {Entry("DUPE", "One")},
         {"removed dupe"}},
    };
    for (const CompareCase& c : cases)
        EXPECT_EQ(differences(c.before, c.after), c.expected) << c.name;
}

// The versions carry what the table of contents shows, for the windows and the JSON.
TEST(Compare, VersionsCarryTheirPlacesInTheTableOfContents) {
    Encyclopedia before, after;
    before.Replace({Header("0001", "Worlds:ARDE,BELI"), Header("0002", "Ships"), kArde,
                    Entry("BELI", "Belisar")});
    after.Replace({Header("0005", "Worlds:NONE,ARDE,BELI"), Header("0004", "Ships:BELI"), kArde,
                   Entry("BELI", "Belisar")});
    Comparison comparison = CompareEncyclopedias(before, after);
    std::vector<std::string> lines;
    for (const RecordChange& change : comparison.Changes)
        lines.push_back(describe(change));
    ASSERT_EQ(lines, (std::vector<std::string>{"changed header Ships: members",
                                               "changed header Worlds: members, order",
                                               "changed BELI: header"}));
    const RecordChange& worlds = comparison.Changes[1];
    EXPECT_EQ(worlds.Before->Position, 1u);
    EXPECT_EQ(worlds.After->Position, 2u);
    const RecordChange& beli = comparison.Changes[2];
    EXPECT_EQ(beli.Before->Placements, (std::vector<Placement>{{"Worlds", 2}}));
    // The member naming no record shows no row.
    EXPECT_EQ(beli.After->Placements, (std::vector<Placement>{{"Ships", 1}, {"Worlds", 2}}));
}

// Spans are written as the text they cover.
struct WordCase {
    const char* before;
    const char* after;
    std::vector<std::string> removed;
    std::vector<std::string> inserted;
};

std::vector<std::string> texts(std::string_view text, const std::vector<TextSpan>& spans) {
    std::vector<std::string> covered;
    for (const TextSpan& span : spans)
        covered.emplace_back(text.substr(span.Start, span.Length));
    return covered;
}

TEST(WordDiff, MarksTheChangedWordsOnEachSide) {
    const std::vector<WordCase> cases = {
        {"the red ship", "the red ship", {}, {}},
        {"", "", {}, {}},
        {"", "new text", {}, {"new text"}},
        {"the red ship", "the blue ship", {"red"}, {"blue"}},
        {"a big red ship sails", "a small blue ship sails", {"big red"}, {"small blue"}},
        {"ships  sail far", "ships sail", {"far"}, {}},
        {"a b c", "b c a", {"a"}, {"a"}},
        {"caf\xE9 noir", "cafe noir", {"caf\xE9"}, {"cafe"}},
        {"end./pNext", "end. Next", {"/p"}, {}},
        {"Stop.", "Stop!", {"."}, {"!"}},
        {"x1 y2 z3", "x1 Y2 z3", {"y2"}, {"Y2"}},
    };
    for (const WordCase& c : cases) {
        WordDifference difference = DiffWords(c.before, c.after);
        EXPECT_EQ(texts(c.before, difference.Removed), c.removed) << c.before << " | " << c.after;
        EXPECT_EQ(texts(c.after, difference.Inserted), c.inserted) << c.before << " | " << c.after;
    }
}

// Past the search's bound everything between the common beginning and end is marked.
TEST(WordDiff, TextsDifferingEverywhereAreMarkedBetweenTheirCommonEnds) {
    std::string before = "Start", after = "Start";
    for (int i = 0; i < 1500; ++i) {
        before += " a" + std::to_string(i);
        after += " b" + std::to_string(i);
    }
    WordDifference difference = DiffWords(before + " End", after + " End");
    EXPECT_EQ(difference.Removed, (std::vector<TextSpan>{{6, before.size() - 6}}));
    EXPECT_EQ(difference.Inserted, (std::vector<TextSpan>{{6, after.size() - 6}}));
}

} // namespace
} // namespace krel::test
