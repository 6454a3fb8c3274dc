// Every kind of command undone and redone, back to exactly the records before and after it.

#include "EditingFixture.h"
#include "dialogs/TagEdit.h"
#include "editor/EditHistory.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

namespace krel::test {
namespace {

using EditUndoTest = EditingTest;

TEST_F(EditUndoTest, EachCommandIsOneStepThatUndoesAndRedoesExactly) {
    TEncEditorMain& window = openSmall();
    std::vector<std::vector<T_EncEntry>> states{records()};
    std::vector<std::string> names;
    auto done = [&](const char* name) {
        states.push_back(records());
        names.push_back(name);
        EXPECT_NE(states.back(), states[states.size() - 2]) << name;
    };

    clickRow(rowOf("Ardent"));
    whenEntryEditor([](TEncEntryEditor& dialog) {
        dialog.EntryTag->setText(QStringLiteral("W009"));
        return true;
    });
    QTest::mouseClick(button("Edit"), Qt::LeftButton);
    done("Edit Entry");
    clickRow(rowOf("Worlds"));
    whenHeaderEditor([](THeaderEditor& dialog) {
        dialog.Title->setText(QStringLiteral("Planets"));
        return true;
    });
    QTest::mouseClick(button("Edit"), Qt::LeftButton);
    done("Edit Header");
    whenAddChooser(true);
    whenHeaderEditor([](THeaderEditor&) { return true; });
    QTest::mouseClick(button("Add"), Qt::LeftButton);
    done("Add Header");
    whenAddChooser(false);
    whenEntryEditor([](TEncEntryEditor& dialog) {
        dialog.EntryTag->setText(QStringLiteral("N001"));
        dialog.Header->setText(QStringLiteral("Ships"));
        return true;
    });
    QTest::mouseClick(button("Add"), Qt::LeftButton);
    done("Add Entry");
    drag("Corsair", "Planets");
    done("Move Entry");
    drag("Ships", "Planets");
    done("Move Header");
    clickRow(rowOf("Bellwether"));
    dialogs.answer(MsgButton::Yes);
    QTest::mouseClick(button("Delete"), Qt::LeftButton);
    done("Delete Entry");
    clickRow(rowOf("Planets"));
    dialogs.answer(MsgButton::Yes);
    QTest::mouseClick(button("Delete"), Qt::LeftButton);
    done("Delete Header");

    QUndoStack& stack = window.History().Stack();
    ASSERT_EQ(stack.count(), static_cast<int>(names.size()));
    for (size_t step = names.size(); step-- > 0;) {
        EXPECT_EQ(frame->Undo1->text().toStdString(), "&Undo " + names[step]);
        frame->Undo1->trigger();
        EXPECT_EQ(records(), states[step]) << "undo " << names[step];
        ASSERT_NE(shown(), nullptr);
        EXPECT_EQ(shownTitle(), shown()->Title);
    }
    EXPECT_FALSE(window.isWindowModified()) << "back where it was loaded";
    for (size_t step = 0; step < names.size(); ++step) {
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(records(), states[step + 1]) << "redo " << names[step];
    }
    EXPECT_TRUE(window.isWindowModified());
}

TEST_F(EditUndoTest, CleanStateFollowsTheHistory) {
    TEncEditorMain& window = openSmall();
    auto* subWindow = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    clickRow(rowOf("Ships"));
    dialogs.answer(MsgButton::Yes);
    QTest::mouseClick(button("Delete"), Qt::LeftButton);
    window.History().MarkClean();
    clickRow(rowOf("Ardent"));
    whenEntryEditor([](TEncEntryEditor& dialog) {
        dialog.Title->setText(QStringLiteral("Ardent Prime"));
        return true;
    });
    QTest::mouseClick(button("Edit"), Qt::LeftButton);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shownTitle(), "Ardent") << "the display follows the restored entry";
    EXPECT_FALSE(subWindow->isWindowModified());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(subWindow->isWindowModified()) << "undoing past an export is a change";
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(window.History().IsModified());

    // Nothing to ask when closing a clean window.
    window.History().Reset();
    EXPECT_FALSE(frame->Undo1->isEnabled());
    QTest::mouseClick(button("CloseBut"), Qt::LeftButton);
    EXPECT_TRUE(window.isHidden());
}

} // namespace
} // namespace krel::test
