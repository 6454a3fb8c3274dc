// Reordering the table of contents by dragging rows with the mouse.

#include "EditingFixture.h"
#include "editor/EditHistory.h"
#include "editor/EntryListDrag.h"
#include "editor/EntryListModel.h"

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

std::vector<std::string> headerOrder(const std::vector<std::string>& rows) {
    std::vector<std::string> headers;
    for (const std::string& row : rows)
        if (row.size() > 2)
            headers.push_back(row);
    return headers;
}

TEST_F(EditDragDropTest, HeadersLandBeforeTheirTarget) {
    openWith(fourHeaders());
    struct Case {
        const char* dragged;
        const char* target;
        std::vector<std::string> order;
    };
    for (const Case& move : {
             Case{"Second", "Fourth", {"First", "Third", "Second", "Fourth"}},
             Case{"Fourth", "Third", {"First", "Fourth", "Third", "Second"}},
             Case{"First", "Dd", {"Fourth", "Third", "First", "Second"}}, // header of the entry
         }) {
        drag(move.dragged, move.target);
        EXPECT_EQ(headerOrder(rows()), move.order) << move.dragged << " on " << move.target;
    }
    EXPECT_EQ(editor->EntryList.GetHeaderByTitle("First")->Tag, "0003");
}

TEST_F(EditDragDropTest, EntriesMoveIntoAndWithinHeaders) {
    openWith(fourHeaders());
    drag("Cc", "Aa");
    EXPECT_EQ(content("0001"), "First:A001,C003,B002");
    drag("Aa", "Third");
    EXPECT_EQ(content("0001"), "First:C003,B002");
    EXPECT_EQ(content("0003"), "Third:A001");
    drag("Bb", "Dd");
    EXPECT_EQ(content("0001"), "First:C003");
    EXPECT_EQ(content("0002"), "Second:D004,B002");
    EXPECT_EQ(editor->History->StepCount(), 3u);
}

TEST_F(EditDragDropTest, DropsThatChangeNothingAreNotSteps) {
    TEncEditorMain& window = openWith(fourHeaders());
    const auto before = records();
    drag("Bb", "Bb");
    drag("Second", "Dd"); // onto its own member
    EXPECT_EQ(records(), before);
    EXPECT_EQ(window.History->StepCount(), 0u);

    window.SubjectIndex->click();
    drag("Cc", "Aa");
    EXPECT_EQ(records(), before) << "only the contents can be reordered";
}

TEST_F(EditDragDropTest, MarkerShowsWhereTheRecordLands) {
    TEncEditorMain& window = openWith(fourHeaders());
    auto* dragger = window.findChild<EntryListDrag*>();
    ASSERT_NE(dragger, nullptr);
    QWidget* viewport = window.EntryListBox->viewport();
    auto rowRect = [&](const char* text) {
        return window.EntryListBox->visualRect(window.EntryRows->index(rowOf(text)));
    };
    QTest::mousePress(viewport, Qt::LeftButton, {}, rowRect("Aa").center());
    QTest::mouseMove(viewport, rowRect("Third").center());
    EXPECT_TRUE(dragger->dragging());
    EXPECT_TRUE(dragger->marker()->isVisible());
    EXPECT_EQ(dragger->marker()->geometry().top(), rowRect("Third").top());
    QTest::mouseMove(viewport, rowRect("Aa").center());
    EXPECT_FALSE(dragger->marker()->isVisible()) << "over itself";
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, rowRect("Aa").center());
    EXPECT_FALSE(dragger->dragging());

    // A click without moving still shows the entry.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowRect("Cc").center());
    EXPECT_EQ(window.CurrentEntry, entry("C003"));
}

} // namespace
} // namespace krel::test
