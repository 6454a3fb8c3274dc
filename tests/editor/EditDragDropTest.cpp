// Reordering the table of contents by dragging rows with the mouse. Where each drop lands is the
// encyclopedia's rule, tested there as table rows; here the mouse, the marker, the steps and
// the rebuilt table of contents.

#include "EditingFixture.h"
#include "editor/EntryReordering.h"

#include <QFrame>
#include <QListView>
#include <QPushButton>
#include <QTest>

namespace krel::test {
namespace {

using EditDragDropTest = EditingTest;

std::vector<T_EncEntry> fourHeaders() {
    return {
        {ekHeader, "", "", "", "", "First:A001,B002,C003", "0001"},
        {ekHeader, "", "", "", "", "Second:D004", "0002"},
        {ekHeader, "", "", "", "", "Third", "0003"},
        {ekHeader, "", "", "", "", "Fourth", "0004"},
        {ekEntry, "Default", "", "", "", "", "EROR"},
        {ekEntry, "Aa", "", "", "", "", "A001"},
        {ekEntry, "Bb", "", "", "", "", "B002"},
        {ekEntry, "Cc", "", "", "", "", "C003"},
        {ekEntry, "Dd", "", "", "", "", "D004"},
    };
}

TEST_F(EditDragDropTest, DroppedRecordsLandWhereTheContentsShowThem) {
    TEncEditorMain& window = openWith(fourHeaders());
    drag("Cc", "Aa");
    drag("Second", "Fourth");
    EXPECT_EQ(rows(), (std::vector<std::string>{"First", "Aa", "Cc", "Bb", "Third", "Second", "Dd",
                                                "Fourth"}));
    EXPECT_EQ(window.EntryList().GetHeaderByTitle("Second")->Tag, "0003")
        << "the contents number the headers afresh";
    EXPECT_EQ(control<QListView>("EntryListBox")->currentIndex().row(), rowOf("Second"));
    EXPECT_EQ(window.History().StepCount(), 2u);
}

TEST_F(EditDragDropTest, DropsThatChangeNothingAreNotSteps) {
    TEncEditorMain& window = openWith(fourHeaders());
    const auto before = records();
    drag("Bb", "Bb");
    drag("Second", "Dd"); // onto its own member
    EXPECT_EQ(records(), before);
    EXPECT_EQ(window.History().StepCount(), 0u);

    button("SubjectIndex")->click();
    drag("Cc", "Aa");
    EXPECT_EQ(records(), before) << "only the contents can be reordered";
}

TEST_F(EditDragDropTest, MarkerShowsWhereTheRecordLands) {
    TEncEditorMain& window = openWith(fourHeaders());
    EntryReordering& dragger = window.Reordering();
    auto* list = control<QListView>("EntryListBox");
    QWidget* viewport = list->viewport();
    auto rowRect = [&](const char* text) {
        return list->visualRect(listRows().index(rowOf(text)));
    };
    QTest::mousePress(viewport, Qt::LeftButton, {}, rowRect("Aa").center());
    QTest::mouseMove(viewport, rowRect("Third").center());
    EXPECT_TRUE(dragger.dragging());
    EXPECT_TRUE(dragger.marker()->isVisible());
    EXPECT_EQ(dragger.marker()->geometry().top(), rowRect("Third").top());
    QTest::mouseMove(viewport, rowRect("Aa").center());
    EXPECT_FALSE(dragger.marker()->isVisible()) << "over itself";
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, rowRect("Aa").center());
    EXPECT_FALSE(dragger.dragging());

    // A click without moving still shows the entry.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowRect("Cc").center());
    EXPECT_EQ(shown(), entry("C003"));
}

} // namespace
} // namespace krel::test
