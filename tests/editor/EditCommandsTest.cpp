// The edit, add and delete commands through their dialogs, the keys, and the question before
// unsaved changes are lost.

#include "EditingFixture.h"
#include "dialogs/RecordList.h"
#include "dialogs/TagEdit.h"
#include "editor/EditHistory.h"
#include "editor/EntryListModel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace krel::test {
namespace {

using EditCommandsTest = EditingTest;

std::vector<T_EncEntry> taggedEncyclopedia() {
    return {
        {ekHeader, "", "", "", "", "A001 Worlds:A001,B002", "0001"},
        {ekHeader, "", "", "", "", "Ships:C003,A001", "0012"},
        {ekEntry, "Default", "", "", "", "Pick a topic.", "EROR"},
        {ekEntry, "Alpha", "", "", "C003", "First.", "A001"},
        {ekEntry, "Beta", "", "", "A001,a001,C003", "Second.", "B002"},
        {ekEntry, "Gamma", "", "", "XA001", "Third.", "C003"},
    };
}

TEST_F(EditCommandsTest, EditingOnlyTheTitleKeepsHeaderTagAndShowsTheEntryAfresh) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Ardent"));
    whenEntryEditor([](TEncEntryEditor& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Editing Entry");
        dialog.Title->setText(QStringLiteral("Ardent Prime"));
        return true;
    });
    QTest::mouseClick(window.Edit, Qt::LeftButton);
    EXPECT_EQ(content("0001"), "Worlds:W001,W002");
    EXPECT_EQ(entry("W001")->Title, "Ardent Prime");
    EXPECT_EQ(entry("W001")->Related, "W002,S001,Eror") << "four links at most, none to no record";
    EXPECT_EQ(entry("W001")->Content, "A warm world.");
    EXPECT_NE(rowOf("Ardent Prime"), -1);
    EXPECT_EQ(window.CurrentEntry, entry("W001"));
    EXPECT_EQ(window.EntryTitle->text(), "Ardent Prime");
    EXPECT_TRUE(window.isWindowModified());
}

TEST_F(EditCommandsTest, ChangedTagFollowsIntoMemberAndRelatedListsButNotTitles) {
    TEncEditorMain& window = openWith(taggedEncyclopedia());
    clickRow(rowOf("Alpha"));
    whenEntryEditor([](TEncEntryEditor& dialog) {
        dialog.EntryTag->setText(QStringLiteral("B001"));
        return true;
    });
    key(Qt::Key_F2);
    EXPECT_EQ(content("0001"), "A001 Worlds:B001,B002");
    EXPECT_EQ(content("0002"), "Ships:C003,B001");
    EXPECT_EQ(entry("B002")->Related, "B001,a001,C003");
    EXPECT_EQ(entry("C003")->Related, "XA001");
    ASSERT_NE(entry("B001"), nullptr);
    EXPECT_EQ(entry("B001")->Title, "Alpha");
    EXPECT_EQ(window.CurrentEntry, entry("B001"));
}

TEST_F(EditCommandsTest, HeaderChosenInTheEditorMovesTheEntry) {
    TEncEditorMain& window = openSmall();
    struct Case {
        const char* header;
        const char* worlds;
        const char* ships;
    };
    for (const Case& move : {Case{"ships", "Worlds:W002", "Ships:S001,W001"},
                             Case{"(none)", "Worlds:W002", "Ships:S001"}}) {
        window.SubjectIndex->click();
        clickRow(rowOf("Ardent"));
        whenEntryEditor([&](TEncEntryEditor& dialog) {
            dialog.Header->setText(QString::fromLatin1(move.header));
            return true;
        });
        QTest::mouseClick(window.Edit, Qt::LeftButton);
        EXPECT_EQ(content("0001"), move.worlds) << move.header;
        EXPECT_EQ(content("0002"), move.ships) << move.header;
    }
    window.TOC->click();
    EXPECT_EQ(rowOf("Ardent"), -1) << "an entry without header is not in the contents";
}

TEST_F(EditCommandsTest, TheFirstRecordOfTheListCanBeEdited) {
    TEncEditorMain& window = openWith({{ekEntry, "Aardvark", "", "", "", "", "AARD"},
                                       {ekEntry, "Default", "", "", "", "", "EROR"}});
    window.SubjectIndex->click();
    clickRow(rowOf("Aardvark"));
    ASSERT_EQ(window.EntryList.At(0), window.CurrentEntry);
    whenEntryEditor([](TEncEntryEditor& dialog) {
        dialog.Title->setText(QStringLiteral("Aardwolf"));
        return true;
    });
    QTest::mouseClick(window.Edit, Qt::LeftButton);
    EXPECT_EQ(entry("AARD")->Title, "Aardwolf");
}

TEST_F(EditCommandsTest, HeadersGetTheNextNumberAndAreStoredBareWithoutMembers) {
    std::vector<T_EncEntry> twelve;
    for (int number = 1; number <= 11; ++number)
        twelve.push_back(
            {ekHeader, "", "", "", "", "H" + std::to_string(number), FormatHeaderTag(number)});
    twelve.push_back({ekHeader, "", "", "", "", "Ships:S001,S002", "0012"});
    twelve.push_back({ekEntry, "Corsair", "", "", "", "", "S001"});
    twelve.push_back({ekEntry, "Frigate", "", "", "", "", "S002"});
    TEncEditorMain& window = openWith(twelve);
    whenAddChooser(true);
    whenHeaderEditor([](THeaderEditor& dialog) {
        EXPECT_EQ(dialog.EntryTag->text(), "0013");
        dialog.Title->setText(QStringLiteral("Stations"));
        return true;
    });
    QTest::mouseClick(window.Add, Qt::LeftButton);
    EXPECT_EQ(content("0013"), "Stations");

    // Removing the last member of a header leaves its bare title.
    clickRow(rowOf("Ships"));
    whenHeaderEditor([](THeaderEditor& dialog) {
        for (int row : {1, 0}) {
            dialog.SSListBox1->setCurrentRow(row);
            dialog.Delete->click();
        }
        return true;
    });
    key(Qt::Key_Return);
    EXPECT_EQ(content("0012"), "Ships");
}

TEST_F(EditCommandsTest, AddingToAnEncyclopediaWithoutHeaders) {
    TEncEditorMain& window = openWith({{ekEntry, "Default", "", "", "", "", "EROR"}});
    whenAddChooser(true);
    whenHeaderEditor([](THeaderEditor& dialog) {
        EXPECT_EQ(dialog.EntryTag->text(), "0001");
        dialog.Title->setText(QStringLiteral("Worlds"));
        return true;
    });
    key(Qt::Key_Insert);
    whenAddChooser(false);
    whenEntryEditor([](TEncEntryEditor& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "New Entry Editor");
        EXPECT_EQ(dialog.Apply->text(), "Add");
        dialog.EntryTag->setText(QStringLiteral("N001"));
        dialog.Title->setText(QStringLiteral("Nebula"));
        dialog.Header->setText(QStringLiteral("WORLDS"));
        dialog.EntryDesc->setPlainText(QStringLiteral("Gas.\nDust."));
        return true;
    });
    key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(content("0001"), "Worlds:N001");
    EXPECT_EQ(entry("N001")->Content, "Gas./pDust.");
    EXPECT_EQ(rows(), (std::vector<std::string>{"Worlds", "Nebula"}));
    EXPECT_EQ(window.EntryTitle->text(), "Default") << "a new entry is not displayed";
}

TEST_F(EditCommandsTest, DeleteAsksFirstAndNeverLeavesTheDisplayOnTheRemovedRecord) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Ardent"));
    const auto before = records();
    dialogs.answer(MsgButton::No);
    key(Qt::Key_Delete);
    EXPECT_EQ(dialogs.texts().back(), "Are you sure you want to delete this item?");
    EXPECT_EQ(records(), before);
    EXPECT_EQ(window.EntryTitle->text(), "Ardent");

    dialogs.answer(MsgButton::Yes);
    QTest::mouseClick(window.Delete, Qt::LeftButton);
    EXPECT_EQ(entry("W001"), nullptr);
    EXPECT_EQ(window.CurrentEntry, entry("EROR"));
    EXPECT_EQ(window.EntryTitle->text(), "Galactic Encyclopedia");
    EXPECT_EQ(content("0001"), "Worlds:W001,W002") << "member lists keep the tag";

    // Deleting a header leaves its entries without one.
    clickRow(rowOf("Ships"));
    dialogs.answer(MsgButton::Yes);
    QTest::mouseClick(window.Delete, Qt::LeftButton);
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
    QTest::mouseClick(window.Edit, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages.size(), 3u) << "the load's box and one refusal per tag";
    EXPECT_EQ(records(), before);
    EXPECT_EQ(window.History->StepCount(), 0u);
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
    QTest::mouseClick(window.Add, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.back().icon, MsgIcon::Error);
    EXPECT_EQ(records(), before);
    EXPECT_EQ(window.History->StepCount(), 0u);
    EXPECT_FALSE(window.isWindowModified());
}

TEST_F(EditCommandsTest, ClosingWithUnexportedChangesAsks) {
    TEncEditorMain& window = openSmall();
    auto* subWindow = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    EXPECT_FALSE(subWindow->isWindowModified());
    clickRow(rowOf("Ships"));
    dialogs.answer(MsgButton::Yes);
    QTest::mouseClick(window.Delete, Qt::LeftButton);
    EXPECT_TRUE(subWindow->isWindowModified());

    dialogs.answer(MsgButton::No);
    frame->close();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(subWindow->isHidden());
    EXPECT_EQ(dialogs.texts().back(),
              "The encyclopedia has changes that have not been exported.  Discard them?");

    dialogs.answer(MsgButton::Yes);
    QTest::mouseClick(window.CloseBut, Qt::LeftButton);
    EXPECT_TRUE(window.isHidden());
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(EditCommandsTest, ControlFGoesToTheSearchBox) {
    TEncEditorMain& window = openSmall();
    key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(window.FindText->hasFocus());
}

} // namespace
} // namespace krel::test
