// Taking one record of a comparison back, as rows: two encyclopedias, the record to revert, and
// what the after side holds then.

#include "Records.h"
#include "encyclopedia/Edits.h"

#include <gtest/gtest.h>

namespace krel::test {
namespace {

using Texts = std::vector<std::string>;

// The change naming the record: an entry by tag, a header by its text's title.
const RecordChange* changeOf(const Comparison& comparison, const std::string& name) {
    for (const RecordChange& change : comparison.Changes) {
        const T_EncEntry& record = change.Record();
        const std::string key = record.Kind == ekHeader
                                    ? record.Content.substr(0, record.Content.find(':'))
                                    : record.Tag;
        if (key == name)
            return &change;
    }
    return nullptr;
}

Texts textsOf(const Encyclopedia& book) {
    Texts texts;
    for (const auto& r : book.GetEntryList())
        texts.push_back(r->Tag + " " +
                        (r->Kind == ekHeader ? r->Content : r->Title + "|" + r->Image));
    return texts;
}

struct RevertCase {
    const char* name;
    std::vector<T_EncEntry> after; // the before side is kBefore
    const char* revert;
    Texts expected; // the after side once reverted
};

const std::vector<T_EncEntry> kBefore = {Header("0001", "Worlds:ARDE,BELI,CORV"),
                                         Header("0002", "Ships:SHIP"),
                                         {ekEntry, "Ardesh", "Pic_A", "", "", "Dry.", "ARDE"},
                                         Entry("BELI", "Belisar"),
                                         Entry("CORV", "Corvo"),
                                         Entry("SHIP", "Frigate")};

TEST(Revert, TakesOneRecordBackAndNothingElse) {
    const RevertCase cases[] = {
        {"fields and place among the members",
         {Header("0001", "Worlds:BELI,CORV,ARDE"),
          Header("0002", "Ships:SHIP"),
          Entry("BELI", "Belisar II"),
          Entry("CORV", "Corvo"),
          Entry("SHIP", "Frigate"),
          {ekEntry, "Ardesh Prime", "", "", "", "Wet.", "arde"}},
         "arde",
         {"0001 Worlds:ARDE,BELI,CORV", "0002 Ships:SHIP", "BELI Belisar II|", "CORV Corvo|",
          "SHIP Frigate|", "ARDE Ardesh|Pic_A"}},
        {"moved to another header",
         {Header("0001", "Worlds:ARDE,BELI"), Header("0002", "Ships:SHIP,CORV"), kBefore[2],
          kBefore[3], kBefore[4], kBefore[5]},
         "CORV",
         {"0001 Worlds:ARDE,BELI,CORV", "0002 Ships:SHIP", "ARDE Ardesh|Pic_A", "BELI Belisar|",
          "CORV Corvo|", "SHIP Frigate|"}},
        {"an added entry leaves the list and its header",
         {Header("0001", "Worlds:ARDE,NEWW,BELI,CORV"), kBefore[1], kBefore[2], kBefore[3],
          kBefore[4], kBefore[5], Entry("NEWW", "Newworld")},
         "NEWW",
         {"0001 Worlds:ARDE,BELI,CORV", "0002 Ships:SHIP", "ARDE Ardesh|Pic_A", "BELI Belisar|",
          "CORV Corvo|", "SHIP Frigate|"}},
        {"a removed entry returns to its place",
         {Header("0001", "Worlds:ARDE,CORV"), kBefore[1], kBefore[2], kBefore[4], kBefore[5]},
         "BELI",
         {"0001 Worlds:ARDE,BELI,CORV", "0002 Ships:SHIP", "ARDE Ardesh|Pic_A", "CORV Corvo|",
          "SHIP Frigate|", "BELI Belisar|"}},
        {"a renamed header gets its text back, its number stays",
         {Header("0001", "Planets:ARDE,BELI,CORV"), kBefore[1], kBefore[2], kBefore[3], kBefore[4],
          kBefore[5]},
         "Planets",
         {"0001 Worlds:ARDE,BELI,CORV", "0002 Ships:SHIP", "ARDE Ardesh|Pic_A", "BELI Belisar|",
          "CORV Corvo|", "SHIP Frigate|"}},
        {"a removed header returns numbered last",
         {kBefore[0], kBefore[2], kBefore[3], kBefore[4], kBefore[5]},
         "Ships",
         {"0001 Worlds:ARDE,BELI,CORV", "ARDE Ardesh|Pic_A", "BELI Belisar|", "CORV Corvo|",
          "SHIP Frigate|", "0002 Ships:SHIP"}},
    };
    Encyclopedia before;
    before.Replace(kBefore);
    for (const RevertCase& c : cases) {
        Encyclopedia after;
        after.Replace(c.after);
        const Comparison comparison = CompareEncyclopedias(before, after);
        const RecordChange* change = changeOf(comparison, c.revert);
        ASSERT_NE(change, nullptr) << c.name;
        EXPECT_TRUE(RevertChange(after, *change)) << c.name;
        EXPECT_EQ(textsOf(after), c.expected) << c.name;
        EXPECT_FALSE(changeOf(CompareEncyclopedias(before, after), c.revert)) << c.name;
    }
}

TEST(Revert, LeavesAloneWhatIsNoLongerThere) {
    Encyclopedia before, after;
    before.Replace(kBefore);
    after.Replace({kBefore[0], kBefore[1], kBefore[2], kBefore[3], kBefore[4], kBefore[5],
                   Entry("NEWW", "Newworld")});
    const Comparison comparison = CompareEncyclopedias(before, after);
    const RecordChange added = comparison.Changes.at(0);
    EXPECT_TRUE(RevertChange(after, added));
    const Texts reverted = textsOf(after);
    EXPECT_FALSE(RevertChange(after, added)) << "reverted twice";
    EXPECT_EQ(textsOf(after), reverted);

    Encyclopedia without;
    without.Replace({kBefore[0], kBefore[1], kBefore[2], kBefore[4], kBefore[5]});
    const RecordChange removed = CompareEncyclopedias(before, without).Changes.back();
    without.Append(Entry("beli", "Someone else's"));
    EXPECT_FALSE(RevertChange(without, removed)) << "the tag is taken again meanwhile";
}

} // namespace
} // namespace krel::test
