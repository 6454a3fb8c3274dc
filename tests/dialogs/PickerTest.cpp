#include "DialogTesting.h"
#include "dialogs/AddForm.h"
#include "dialogs/ListAdd.h"
#include "dialogs/RecordList.h"
#include "support/ModalDriver.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace krel::test {
namespace {

using ::testing::ElementsAreArray;

// A small encyclopedia with every kind of record a picker must sort out.
std::vector<T_EncEntry> Sample() {
    return {
        Header("0001", "Planets:P001,P002"),
        Header("0002", "   :P003"),     // a blank title is never offered
        Header("0003", "Starships"),    // no members, no colon
        Header("0004", "PLANETS:S001"), // same title as the first, other case
        Entry("P001", "Aurelia"),
        Entry("P002", "Brannoc", {}, "Orbits close to S001's route"),
        Entry("P003", "Cindral"),
        Entry("S001", "Corvette"),
        Entry("S002", "Dreadnought", {}, "Not to be confused with s003."),
        Entry("S003", "Aurelia"),
        Letter('A'),
    };
}

struct PickerCase {
    const char* name;
    bool empty; // offer an empty list instead of the sample
    TListMode mode;
    std::string current;
    bool hideReferenced;
    std::vector<std::string> rows;
    int preselected;
};

class PickerRows : public ::testing::TestWithParam<PickerCase> {};

TEST_P(PickerRows, OffersTheRightRecordsAndPreselectsTheLastMatch) {
    const PickerCase& c = GetParam();
    auto encyclopedia = MakeEncyclopedia(c.empty ? std::vector<T_EncEntry>{} : Sample());
    TListAdd picker;
    picker.Entries = encyclopedia.get();
    picker.Mode = c.mode;
    picker.Current = c.current;
    picker.HideReferenced = c.hideReferenced;
    picker.show();
    std::vector<std::string> rows;
    for (int i = 0; i < picker.SSListBox1->count(); ++i)
        rows.push_back(picker.SSListBox1->item(i)->text().toStdString());
    EXPECT_THAT(rows, ElementsAreArray(c.rows));
    EXPECT_EQ(picker.SSListBox1->currentRow(), c.preselected);
    EXPECT_EQ(picker.RecordAt(0), RecordId::None);
}

const std::vector<std::string> kHeaders{"(none)", "Planets", "Starships", "PLANETS"};
const std::vector<std::string> kEntries{"(none)",   "Aurelia",     "Brannoc", "Cindral",
                                        "Corvette", "Dreadnought", "Aurelia"};
INSTANTIATE_TEST_SUITE_P(
    Cases, PickerRows,
    ::testing::Values(
        PickerCase{"EmptyList", true, lmEntries, "", false, {"(none)"}, 0},
        PickerCase{"HeadersWithoutCurrent", false, lmHeaders, "", false, kHeaders, 0},
        PickerCase{"HeaderInOtherCaseLastWins", false, lmHeaders, "planets", false, kHeaders, 3},
        PickerCase{"CurrentMatchingNothing", false, lmEntries, "Nowhere", false, kEntries, 0},
        PickerCase{"EntryInOtherCase", false, lmEntries, "CORVETTE", false, kEntries, 4},
        // Member lists and entry texts both count; the search keeps letter case,
        // so S003 named only as "s003" stays on offer.
        PickerCase{
            "HideReferenced", false, lmEntries, "", true, {"(none)", "Dreadnought", "Aurelia"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Picker, IsReferencedNamesTheFirstRecordHoldingTheTag) {
    auto encyclopedia = MakeEncyclopedia(Sample());
    TListAdd picker;
    picker.Entries = encyclopedia.get();
    const auto& list = encyclopedia->GetEntryList();
    EXPECT_EQ(picker.IsReferenced(list[7].get()), list[3].get()); // S001: header before text
    EXPECT_EQ(picker.IsReferenced(list[9].get()), nullptr);       // S003: only "s003"
    EXPECT_EQ(picker.IsReferenced(list[0].get()), nullptr);       // a header is no entry
    EXPECT_EQ(picker.IsReferenced(nullptr), nullptr);
}

TEST(Picker, ThePreselectedRowIsScrolledToTheTop) {
    std::vector<T_EncEntry> records;
    for (int i = 0; i < 60; ++i)
        records.push_back(Entry("E" + std::to_string(100 + i), "Entry " + std::to_string(i)));
    auto encyclopedia = MakeEncyclopedia(records);
    TListAdd picker;
    picker.Entries = encyclopedia.get();
    picker.Mode = lmEntries;
    picker.Current = "entry 40";
    picker.show();
    EXPECT_EQ(picker.SSListBox1->rowAt(QPoint(5, 2)), 41);
}

TEST(Picker, AClickHandsBackTheRowsRecordAndNoneOrEscapeHandBackNothing) {
    auto encyclopedia = MakeEncyclopedia(Sample());
    auto pick = [&](int row) {
        TListAdd picker;
        picker.Entries = encyclopedia.get();
        picker.Mode = lmEntries;
        picker.Current = "Cindral"; // a pre-selection is not a choice
        AnswerPicker(row);
        int result = picker.exec();
        return std::make_pair(result, encyclopedia->Find(picker.Selected));
    };
    EXPECT_EQ(pick(2), std::make_pair(int(QDialog::Accepted), encyclopedia->At(5)));
    EXPECT_EQ(pick(0).second, nullptr);
    EXPECT_EQ(pick(-1), std::make_pair(int(QDialog::Rejected), (const T_EncEntry*)nullptr));
}

TEST(Picker, ReturnEnterOrSpaceTakeTheRowTypingFound) {
    auto encyclopedia = MakeEncyclopedia(Sample());
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        TListAdd picker;
        picker.Entries = encyclopedia.get();
        picker.Mode = lmEntries;
        picker.show();
        QTest::keyClicks(picker.SSListBox1, QStringLiteral("cor"));
        QTest::keyClick(picker.SSListBox1, key);
        EXPECT_EQ(picker.result(), QDialog::Accepted) << key;
        EXPECT_EQ(encyclopedia->Find(picker.Selected), encyclopedia->At(7)) << key;
    }
}

// A picker open while the encyclopedia's list is replaced hands back a record that is found
// nowhere, never an old one.
TEST(Picker, AChoiceFromAReplacedListFindsNothing) {
    auto encyclopedia = MakeEncyclopedia(Sample());
    TListAdd picker;
    picker.Entries = encyclopedia.get();
    picker.Mode = lmEntries;
    picker.show();
    encyclopedia->Replace(Sample());
    QTest::mouseClick(picker.SSListBox1->viewport(), Qt::LeftButton, {},
                      picker.SSListBox1->visualItemRect(picker.SSListBox1->item(2)).center());
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_NE(picker.Selected, RecordId::None);
    EXPECT_EQ(encyclopedia->Find(picker.Selected), nullptr);
}

TEST(AddForm, NextWithoutTouchingTheChoicesAsksForAHeader) {
    TAddForm form;
    WhenModalShown([&](QWidget*) { QTest::mouseClick(form.SSHoverText1, Qt::LeftButton); });
    ASSERT_EQ(form.exec(), QDialog::Accepted);
    EXPECT_TRUE(form.Header->isChecked());
    EXPECT_FALSE(form.Entry->isChecked());
}

} // namespace
} // namespace krel::test
