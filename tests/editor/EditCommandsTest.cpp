// The edit, add and delete commands wired to their buttons and keys and to the real dialogs, and
// the question before unsaved changes are lost. The rules the commands apply are the
// encyclopedia's, tested there as table rows.

#include "EditingFixture.h"
#include "dialogs/ExportForm.h"
#include "dialogs/RecordList.h"
#include "dialogs/TagEdit.h"
#include "support/Accessibility.h"
#include "support/ModalDriver.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace krel::test {
namespace {

using EditCommandsTest = EditingTest;

TEST_F(EditCommandsTest, EditingAnEntryAppliesTheDialogAndShowsTheEntryAfresh) {
    TEncEditorMain& window = openWith({
        {ekHeader, "", "", "", "", "A001 Worlds:A001,B002", "0001"},
        {ekHeader, "", "", "", "", "Ships:C003", "0002"},
        {ekEntry, "Default", "", "", "", "Pick a topic.", "EROR"},
        {ekEntry, "Alpha", "", "", "C003", "First.", "A001"},
        {ekEntry, "Beta", "", "", "A001,C003", "Second.", "B002"},
        {ekEntry, "Gamma", "", "", "", "Third.", "C003"},
    });
    clickRow(rowOf("Alpha"));
    whenEntryEditor([](TEncEntryEditor& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Editing Entry");
        EXPECT_EQ(dialog.Header->text(), "A001 Worlds");
        dialog.EntryTag->setText(QStringLiteral("B001"));
        dialog.Title->setText(QStringLiteral("Alpha Prime"));
        dialog.Header->setText(QStringLiteral("ships"));
        return true;
    });
    key(Qt::Key_F2);
    EXPECT_EQ(content("0001"), "A001 Worlds:B002");
    EXPECT_EQ(content("0002"), "Ships:C003,B001");
    EXPECT_EQ(entry("B002")->Related, "B001,C003");
    EXPECT_EQ(entry("B001")->Related, "C003") << "the links as the dialog left them";
    EXPECT_EQ(entry("B001")->Content, "First.");
    EXPECT_EQ(shown(), entry("B001"));
    EXPECT_EQ(shownTitle(), "Alpha Prime");
    EXPECT_TRUE(window.isWindowModified());
}

TEST_F(EditCommandsTest, TheFirstRecordOfTheListCanBeEdited) {
    TEncEditorMain& window = openWith({{ekEntry, "Aardvark", "", "", "", "", "AARD"},
                                       {ekEntry, "Default", "", "", "", "", "EROR"}});
    button("SubjectIndex")->click();
    clickRow(rowOf("Aardvark"));
    ASSERT_EQ(window.EntryList().At(0), shown());
    whenEntryEditor([](TEncEntryEditor& dialog) {
        dialog.Title->setText(QStringLiteral("Aardwolf"));
        return true;
    });
    QTest::mouseClick(button("Edit"), Qt::LeftButton);
    EXPECT_EQ(entry("AARD")->Title, "Aardwolf");
}

TEST_F(EditCommandsTest, HeadersAreEditedAndAddedThroughTheHeaderEditor) {
    openSmall();
    clickRow(rowOf("Worlds"));
    whenHeaderEditor([](THeaderEditor& dialog) {
        EXPECT_EQ(dialog.EntryTag->text(), "0001");
        EXPECT_EQ(dialog.SSListBox1->count(), 2);
        for (int row : {1, 0}) {
            dialog.SSListBox1->setCurrentRow(row);
            dialog.Delete->click();
        }
        dialog.Title->setText(QStringLiteral("Planets"));
        return true;
    });
    key(Qt::Key_Return);
    EXPECT_EQ(content("0001"), "Planets");

    whenAddChooser(true);
    whenHeaderEditor([](THeaderEditor& dialog) {
        EXPECT_EQ(dialog.EntryTag->text(), "0003");
        dialog.Title->setText(QStringLiteral("Stations"));
        return true;
    });
    key(Qt::Key_Insert);
    EXPECT_EQ(content("0003"), "Stations");
    EXPECT_EQ(rows(), (std::vector<std::string>{"Planets", "Ships", "Corsair", "Stations"}));
}

TEST_F(EditCommandsTest, AnAddedEntryJoinsItsHeaderButIsNotShown) {
    openSmall();
    clickRow(rowOf("Ardent"));
    whenAddChooser(false);
    whenEntryEditor([](TEncEntryEditor& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "New Entry Editor");
        EXPECT_EQ(dialog.Apply->text(), "Add");
        EXPECT_EQ(dialog.Header->text(), "(none)");
        dialog.EntryTag->setText(QStringLiteral("N001"));
        dialog.Title->setText(QStringLiteral("Nebula"));
        dialog.Header->setText(QStringLiteral("WORLDS"));
        dialog.EntryDesc->setPlainText(QStringLiteral("Gas.\nDust."));
        return true;
    });
    key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(content("0001"), "Worlds:W001,W002,N001");
    EXPECT_EQ(entry("N001")->Content, "Gas./pDust.");
    EXPECT_NE(rowOf("Nebula"), -1);
    EXPECT_EQ(shownTitle(), "Ardent");
}

TEST_F(EditCommandsTest, DeleteAsksFirstAndNeverLeavesTheDisplayOnTheRemovedRecord) {
    openSmall();
    clickRow(rowOf("Ardent"));
    const auto before = records();
    dialogs.answer(MsgButton::No);
    key(Qt::Key_Delete);
    EXPECT_EQ(dialogs.texts().back(), "Are you sure you want to delete this item?");
    EXPECT_EQ(records(), before);
    EXPECT_EQ(shownTitle(), "Ardent");

    dialogs.answer(MsgButton::Yes);
    QTest::mouseClick(button("Delete"), Qt::LeftButton);
    EXPECT_EQ(entry("W001"), nullptr);
    // The display follows the row that became current, never the removed record.
    const int current = control<QListView>("EntryListBox")->currentIndex().row();
    EXPECT_EQ(rows().at(current), "Bellwether");
    EXPECT_EQ(shown(), entry("W002"));
    EXPECT_EQ(content("0001"), "Worlds:W001,W002") << "member lists keep the tag";

    // Deleting a header leaves its entries without one.
    clickRow(rowOf("Ships"));
    dialogs.answer(MsgButton::Yes);
    QTest::mouseClick(button("Delete"), Qt::LeftButton);
    EXPECT_EQ(rows(), (std::vector<std::string>{"Worlds", "Bellwether"}));
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(EditCommandsTest, TheEntryEditorKeepsRefusingBadTagsAndCancelChangesNothing) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Ardent"));
    const auto before = records();
    dialogs.answer(MsgButton::Ok).answer(MsgButton::Ok);
    whenEntryEditor([](TEncEntryEditor& dialog) {
        for (const char* tag : {"AB", "s001"}) {
            dialog.EntryTag->setText(QString::fromLatin1(tag));
            dialog.Apply->click();
            EXPECT_TRUE(dialog.isVisible()) << tag;
        }
        dialog.Title->setText(QStringLiteral("Changed"));
        return false;
    });
    QTest::mouseClick(button("Edit"), Qt::LeftButton);
    EXPECT_EQ(dialogs.messages.size(), 3u) << "the load's box and one refusal per tag";
    EXPECT_EQ(records(), before);
    EXPECT_EQ(window.History().StepCount(), 0u);
}

TEST_F(EditCommandsTest, AFailingCommandChangesNothing) {
    TEncEditorMain& window = openSmall();
    const auto before = records();
    whenAddChooser(true);
    whenHeaderEditor([](THeaderEditor& dialog) {
        dialog.EntryTag->setText(QStringLiteral("X1"));
        return true;
    });
    dialogs.answer(MsgButton::Ok);
    QTest::mouseClick(button("Add"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.back().icon, MsgIcon::Error);
    EXPECT_EQ(records(), before);
    EXPECT_EQ(window.History().StepCount(), 0u);
    EXPECT_FALSE(window.isWindowModified());
}

TEST_F(EditCommandsTest, ClosingWithUnexportedChangesAsks) {
    TEncEditorMain& window = openSmall();
    auto* subWindow = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    EXPECT_FALSE(subWindow->isWindowModified());
    clickRow(rowOf("Ships"));
    dialogs.answer(MsgButton::Yes);
    QTest::mouseClick(button("Delete"), Qt::LeftButton);
    EXPECT_TRUE(subWindow->isWindowModified());

    EXPECT_EQ(window.windowTitle(), "Vastreach 3 Encyclopedia Editor [*]");
    auto* modified = control<QLabel>("StatusPanel2");
    EXPECT_EQ(modified->text(), "Modified");
    for (int points : {8, 20}) {
        QFont font = modified->font();
        font.setPointSize(points);
        modified->setFont(font);
        EXPECT_GE(modified->width(), modified->sizeHint().width()) << points << " pt clips it";
    }

    dialogs.answer(MsgButton::Cancel);
    frame->close();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(subWindow->isHidden());
    EXPECT_EQ(dialogs.texts().back(), "The encyclopedia has changes that have not been exported.  "
                                      "Export them first, or discard them?");
    EXPECT_EQ(dialogs.messages.back().buttons,
              (std::vector{MsgButton::Export, MsgButton::Discard, MsgButton::Cancel}));

    // Export goes on only when the export succeeded: cancelling its dialog keeps the window.
    dialogs.answer(MsgButton::Export);
    WhenModalShown([](QWidget* shown) { qobject_cast<TExportForm*>(shown)->CloseBut->click(); });
    QTest::mouseClick(button("CloseBut"), Qt::LeftButton);
    EXPECT_FALSE(window.isHidden());

    dialogs.answer(MsgButton::Discard);
    QTest::mouseClick(button("CloseBut"), Qt::LeftButton);
    EXPECT_TRUE(window.isHidden());
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(EditCommandsTest, KeysShowTheCurrentRowsEntryAndReturnEditsIt) {
    openSmall();
    clickRow(rowOf("Ardent"));
    auto* list = control<QListView>("EntryListBox");
    struct Step {
        int key;
        const char* typed; // type-ahead instead of a key
        const char* shown;
    };
    for (const Step& step : {Step{Qt::Key_Down, "", "W002"}, Step{Qt::Key_End, "", "S001"},
                             Step{Qt::Key_Home, "", "Eror"}, Step{0, "bel", "W002"},
                             Step{Qt::Key_PageDown, "", "S001"}}) {
        if (step.key)
            key(step.key);
        else
            QTest::keyClicks(list, QString::fromLatin1(step.typed));
        EXPECT_EQ(shown(), entry(step.shown)) << step.shown;
    }
    // The picture waits until the row rests.
    EXPECT_TRUE(editor->Browser().Picture().isNull());
    QTRY_VERIFY(!editor->Browser().Picture().isNull());

    whenEntryEditor([](TEncEntryEditor& dialog) {
        EXPECT_EQ(dialog.Title->text(), "Corsair");
        return false;
    });
    key(Qt::Key_Return);
    EXPECT_EQ(button("SubjectIndex")->nextInFocusChain(), list) << "the list below its views";
    EXPECT_EQ(button("Reset")->nextInFocusChain(), button("CloseBut")) << "Close comes last";
}

// Alt and a letter reaches one place only: the editor's buttons share no letter with each other
// or with the frame's menus, which Alt still opens while the editor has the focus.
TEST_F(EditCommandsTest, MnemonicsAreDistinctFromEachOtherAndFromTheFramesMenus) {
    openSmall();
    DistinctMnemonics letters;
    for (const QAction* menu : frame->menuBar()->actions())
        letters.take(menu->text());
    for (const QAbstractButton* button : editor->findChildren<QAbstractButton*>())
        if (!button->text().isEmpty())
            letters.take(button->text());
    EXPECT_GE(letters.count(), 16u);
}

TEST_F(EditCommandsTest, ViewButtonsFollowAnyActivationAndTheStatusSaysWhatHappened) {
    openSmall();
    auto toggle = [](QPushButton* view) {
        QAccessible::queryAccessibleInterface(view)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
    };
    toggle(button("SubjectIndex"));
    EXPECT_FALSE(button("TOC")->isChecked());
    EXPECT_EQ(rows().front(), "A");
    toggle(button("SubjectIndex")); // the mode in force stays chosen
    EXPECT_TRUE(button("SubjectIndex")->isChecked());
    key(Qt::Key_B, Qt::AltModifier); // a mnemonic clicks a moment later
    QTRY_VERIFY(button("TOC")->isChecked());
    EXPECT_FALSE(button("SubjectIndex")->isChecked());
    EXPECT_EQ(rows().front(), "Worlds");

    clickRow(rowOf("Ardent"));
    whenEntryEditor([](TEncEntryEditor& dialog) {
        dialog.Title->setText(QStringLiteral("Ardent Prime"));
        return true;
    });
    key(Qt::Key_F2);
    EXPECT_EQ(status(), "Entry \"Ardent Prime\" saved");
    control<QLineEdit>("FindText")->setText(QStringLiteral("nothing"));
    button("Find")->click();
    EXPECT_EQ(status(), "No entries have the keyword \"nothing\"");
}

TEST_F(EditCommandsTest, ControlFGoesToTheSearchBox) {
    openSmall();
    key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(control<QLineEdit>("FindText")->hasFocus());
}

} // namespace
} // namespace krel::test
