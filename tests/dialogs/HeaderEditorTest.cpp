#include "dialogs/HeaderEditor.h"

#include "DialogTesting.h"
#include "dialogs/RecordList.h"
#include "support/ModalDriver.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace krel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class HeaderEditorTest : public ::testing::Test {
protected:
    std::unique_ptr<Encyclopedia> encyclopedia = MakeEncyclopedia({
        Header("0001", "Worlds:W001,W002,W003"),
        Entry("W001", "Aurelia"),
        Entry("W002", "Brannoc"),
        Entry("W003", "Cindral"),
        Entry("W004", "Dunmere"),
    });
    THeaderEditor editor{*encyclopedia};

    void SetUp() override {
        editor.EditHeader(DraftOfHeader(*encyclopedia, *encyclopedia->At(0)));
        editor.show();
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (RecordId member : editor.Members())
            titles.push_back(encyclopedia->Find(member)->Title);
        return titles;
    }
    QPoint RowCentre(int row) const {
        return editor.SSListBox1->visualItemRect(editor.SSListBox1->item(row)).center();
    }
    QWidget* ListViewport() const { return editor.SSListBox1->viewport(); }
};

struct DragCase {
    int from;
    int onto; // -1: below the last row
    std::vector<std::string> order;
};
void PrintTo(const DragCase& c, std::ostream* out) {
    *out << "row " << c.from << " onto " << c.onto;
}

class HeaderDrag : public HeaderEditorTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(HeaderDrag, TheDraggedRowLandsJustBeforeTheRowItIsDroppedOn) {
    const DragCase& c = GetParam();
    QPoint start = RowCentre(c.from);
    QPoint end = c.onto >= 0 ? RowCentre(c.onto) + QPoint(5, 3)
                             : QPoint(start.x(), ListViewport()->height() - 3);
    QTest::mousePress(ListViewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(ListViewport(), end);
    bool lands = c.onto >= 0 && c.onto != c.from;
    EXPECT_EQ(editor.SSListBox1->dropIndicatorRow(), lands ? c.onto : -1);
    QTest::mouseRelease(ListViewport(), Qt::LeftButton, {}, end);

    EXPECT_THAT(Titles(), ElementsAreArray(c.order));
    EXPECT_EQ(editor.SSListBox1->dropIndicatorRow(), -1);
    if (lands) {
        EXPECT_EQ(editor.SSListBox1->currentItem()->text().toStdString(),
                  encyclopedia->At(size_t(c.from) + 1)->Title);
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, HeaderDrag,
                         ::testing::Values(DragCase{0, 2, {"Brannoc", "Aurelia", "Cindral"}},
                                           DragCase{2, 0, {"Cindral", "Aurelia", "Brannoc"}},
                                           DragCase{1, 2, {"Aurelia", "Brannoc", "Cindral"}},
                                           DragCase{1, 1, {"Aurelia", "Brannoc", "Cindral"}},
                                           DragCase{0, -1, {"Aurelia", "Brannoc", "Cindral"}}));

// The answer is the title and the members' tags in row order; rows whose record has left the
// encyclopedia meanwhile are left out.
TEST_F(HeaderEditorTest, TheAnswerHoldsTheTitleAndTheRowsTags) {
    EXPECT_EQ(editor.EntryTag->text(), "0001");
    editor.Title->setText("Planets");
    HeaderDraft draft = editor.Draft();
    EXPECT_EQ(draft.Title, "Planets");
    EXPECT_THAT(draft.Members, ElementsAre("W001", "W002", "W003"));
    encyclopedia->Remove(encyclopedia->At(2));
    EXPECT_THAT(editor.Draft().Members, ElementsAre("W001", "W003"));
    encyclopedia->Replace({Entry("W001", "Aurelia")});
    EXPECT_THAT(editor.Draft().Members, ElementsAre());
}

// A new header starts with an empty title and a hint, so Apply never names it by the hint.
TEST(NewHeader, StartsWithAnEmptyTitleAndAHint) {
    auto encyclopedia = MakeEncyclopedia({});
    THeaderEditor editor(*encyclopedia);
    editor.NewHeader("0003");
    EXPECT_EQ(editor.Draft().Title, "");
    EXPECT_EQ(editor.Draft().Tag, "0003");
    EXPECT_FALSE(editor.Title->placeholderText().isEmpty());
}

TEST_F(HeaderEditorTest, MinusRemovesOnlyASelectedRow) {
    editor.SSListBox1->clearSelection();
    QTest::mouseClick(editor.Delete, Qt::LeftButton);
    EXPECT_EQ(Titles().size(), 3u);
    editor.SSListBox1->setCurrentRow(1);
    QTest::mouseClick(editor.Delete, Qt::LeftButton);
    EXPECT_THAT(Titles(), ElementsAre("Aurelia", "Cindral"));
}

TEST_F(HeaderEditorTest, PlusAppendsThePickedEntryBesideTheButton) {
    PickerSeen seen;
    AnswerPicker(4, &seen);
    QTest::mouseClick(editor.Add, Qt::LeftButton);
    EXPECT_THAT(Titles(), ElementsAre("Aurelia", "Brannoc", "Cindral", "Dunmere"));
    QPoint plus = editor.Add->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(seen.geometry.topLeft(), QPoint(plus.x() - editor.Title->width(), plus.y() - 2));
    EXPECT_EQ(seen.geometry.width(), editor.Title->width());

    AnswerPicker(1); // the same entry again: nothing forbids it
    QTest::mouseClick(editor.Add, Qt::LeftButton);
    AnswerPicker(0); // "(none)" adds nothing
    QTest::mouseClick(editor.Add, Qt::LeftButton);
    EXPECT_THAT(Titles(), ElementsAre("Aurelia", "Brannoc", "Cindral", "Dunmere", "Aurelia"));
}

TEST_F(HeaderEditorTest, ShowUnreferencedOffersOnlyEntriesNoStoredTextNames) {
    editor.SSListBox1->clear(); // rows removed here still count as stored members
    editor.CheckBox1->setChecked(true);
    PickerSeen seen;
    AnswerPicker(0, &seen);
    QTest::mouseClick(editor.Add, Qt::LeftButton);
    EXPECT_THAT(seen.rows, ElementsAre("(none)", "Dunmere"));
}

} // namespace
} // namespace krel::test
