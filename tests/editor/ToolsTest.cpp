// The editor's tools: the merge preview's choices as the store applies them, one revert from
// the changes window as one undo step, and the filter field over the list.

#include "ExchangeFixture.h"
#include "editor/ChangesWindow.h"
#include "editor/MergePreviewDialog.h"
#include "editor/ToolCommands.h"
#include "support/ModalDriver.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace krel::test {
namespace {

using ToolsTest = ExchangeTest;

// Against the small encyclopedia: the header Worlds and W001 conflict, N001 is new, S001 is
// identical and not listed.
const std::vector<T_EncEntry> kTheirs = {
    {ekHeader, "", "", "", "", "Worlds:W001,N001", "0001"},
    {ekEntry, "Ardent Prime", "", "", "", "Rebuilt.", "W001"},
    {ekEntry, "Nadir", "", "", "", "A new world.", "N001"},
    {ekEntry, "Corsair", "Ship", "", "W001", "A fast raider.", "S001"}};

// Unchecks a ticked row as a keyboard user does: Space on the current row.
void uncheck(MergePreviewDialog& dialog, int row) {
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("IncomingList"));
    list->setCurrentItem(list->topLevelItem(row));
    QTest::keyClick(list, Qt::Key_Space);
    ASSERT_EQ(list->topLevelItem(row)->checkState(0), Qt::Unchecked);
}

TEST_F(ToolsTest, MergePreviewAppliesTheChoicesAsOneStep) {
    struct Case {
        const char* name;
        std::function<void(MergePreviewDialog&)> choose; // listed: W001, N001, Worlds
        bool applied;
        const char* ardentTitle;
        bool nadirAdded;
        const char* worlds;
        const char* report;
    };
    const Case cases[] = {
        {"all mine", [](MergePreviewDialog& d) { d.KeepMineForAllClick(); }, true, "Ardent", true,
         "Worlds:W001,W002", "Merge completed.  Items added: 1 Items Changed: 0"},
        {"all theirs", [](MergePreviewDialog& d) { d.TakeTheirsForAllClick(); }, true,
         "Ardent Prime", true, "Worlds:W001,N001",
         "Merge completed.  Items added: 1 Items Changed: 2"},
        {"mixed",
         [](MergePreviewDialog& d) {
             d.TakeTheirsForAllClick();
             uncheck(d, 0);
             uncheck(d, 1);
         },
         true, "Ardent", false, "Worlds:W001,N001",
         "Merge completed.  Items added: 0 Items Changed: 1"},
        {"cancelled", [](MergePreviewDialog& d) { d.TakeTheirsForAllClick(); }, false, "Ardent",
         false, "Worlds:W001,W002", nullptr},
    };
    openSmall();
    const std::vector<std::string> loaded = list();
    const QStringList source = writePair(folder("theirs"), kTheirs);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int steps = editor->History().Stack().index();
        size_t listed = 0;
        dialogs.answerFiles(source);
        WhenModalShown([&](QWidget* shown) {
            auto* dialog = qobject_cast<MergePreviewDialog*>(shown);
            ASSERT_NE(dialog, nullptr);
            listed = dialog->Listed().size();
            c.choose(*dialog);
            EXPECT_EQ(list(), loaded) << "nothing changes before Apply";
            c.applied ? dialog->accept() : dialog->reject();
        });
        if (c.report)
            dialogs.answer(MsgButton::Ok);
        frame->MergePreview1->trigger();

        EXPECT_EQ(listed, 3u) << "the identical entry is not listed";
        EXPECT_EQ(entry("W001")->Title, c.ardentTitle);
        EXPECT_EQ(entry("N001") != nullptr, c.nadirAdded);
        EXPECT_EQ(editor->EntryList().GetHeaderByTitle("Worlds")->Content, c.worlds);
        EXPECT_EQ(editor->History().Stack().index(), steps + (c.applied ? 1 : 0));
        if (c.report) {
            EXPECT_EQ(dialogs.texts().back(), c.report);
        }
        if (c.applied)
            undo();
        EXPECT_EQ(list(), loaded);
    }
}

TEST_F(ToolsTest, ChangesWindowRevertsOneEntryAsOneStepAndFollowsUndo) {
    openSmall();
    const std::vector<std::string> loaded = list();
    editTitle("W001", "Ardent Prime");
    frame->Changes1->trigger();
    ChangesWindow* window = editor->Tools().Changes();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->RowCount(), 1);
    EXPECT_EQ(window->ChangeAt(0)->Fields, FieldSet{Field::Title});

    window->SelectRow(0);
    QTest::keyClick(window->findChild<QTreeWidget*>(QStringLiteral("ChangeList")), Qt::Key_Return);
    EXPECT_EQ(shown(), entry("W001")) << "Return shows the entry, as a double-click does";
    const int steps = editor->History().Stack().index();
    window->SelectRow(0);
    window->RevertClick();
    EXPECT_EQ(list(), loaded);
    EXPECT_EQ(editor->History().Stack().index(), steps + 1);
    EXPECT_EQ(window->RowCount(), 0);

    undo();
    EXPECT_EQ(entry("W001")->Title, "Ardent Prime");
    EXPECT_EQ(window->RowCount(), 1) << "the list follows undo";
}

TEST_F(ToolsTest, FilterNarrowsTheListKeepsItAcrossEditsAndEscapeClearsIt) {
    openSmall();
    const std::vector<std::string> all = rows();
    auto* filter = control<QLineEdit>("FilterText");
    QTest::keyClicks(filter, "BELL");
    EXPECT_EQ(rows(), (std::vector<std::string>{"Worlds", "Bellwether"}));

    editTitle("W002", "Bellwether II");
    EXPECT_EQ(rows(), (std::vector<std::string>{"Worlds", "Bellwether II"}));

    QTest::keyClick(filter, Qt::Key_Escape);
    EXPECT_TRUE(filter->text().isEmpty());
    EXPECT_EQ(rows().size(), all.size());

    button("SubjectIndex")->click();
    QTest::keyClicks(filter, "cors");
    EXPECT_EQ(rows(), (std::vector<std::string>{"C", "Corsair"}));
}

} // namespace
} // namespace krel::test
