// Every control of every window carries a name and a description for screen readers.

#include "EditorFixture.h"
#include "common/AtomicFile.h"
#include "dialogs/AddForm.h"
#include "dialogs/EntryEditor.h"
#include "dialogs/ExportForm.h"
#include "dialogs/GraphicForm.h"
#include "dialogs/HeaderEditor.h"
#include "dialogs/ListAdd.h"

#include <QAbstractButton>
#include <QAccessible>
#include <functional>

namespace krel::test {
namespace {

// What a user can reach or act on: anything taking the focus, any button, any picture or link.
bool isControl(const QWidget& widget) {
    return widget.focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(&widget) ||
           widget.inherits("krel::TDisplayPicture") || widget.inherits("krel::TDisplayLink") ||
           widget.inherits("krel::TPictureBox");
}

void expectDescribed(const QWidget& window, const char* windowName) {
    int controls = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!isControl(*widget))
            continue;
        ++controls;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(face, nullptr);
        const std::string control = std::string(windowName) + ": " +
                                    widget->metaObject()->className() + " " +
                                    widget->objectName().toStdString();
        EXPECT_FALSE(face->text(QAccessible::Name).isEmpty()) << control;
        EXPECT_FALSE(face->text(QAccessible::Description).isEmpty()) << control;
    }
    EXPECT_GT(controls, 0) << windowName;
}

using AccessibilityTest = EditorTest;

TEST_F(AccessibilityTest, EveryControlOfEachWindowHasANameAndADescription) {
    openSmall();
    WriteFileAtomic(env.programFolder() / "view.txt", "");
    expectDescribed(*editor, "editor window");
    const Encyclopedia& records = editor->EntryList();
    struct Window {
        const char* name;
        std::function<std::unique_ptr<QWidget>()> make;
    };
    const Window windows[] = {
        {"entry editor",
         [&] {
             return std::make_unique<TEncEntryEditor>(records);
         }},
        {"header editor",
         [&] {
             return std::make_unique<THeaderEditor>(records);
         }},
        {"list picker",
         [] {
             return std::make_unique<TListAdd>();
         }},
        {"add chooser",
         [] {
             return std::make_unique<TAddForm>();
         }},
        {"export chooser",
         [] {
             return std::make_unique<TExportForm>();
         }},
        {"graphic browser",
         [&] {
             return std::make_unique<TGraphicForm>(game.string(), work.string());
         }},
    };
    for (const Window& window : windows)
        expectDescribed(*window.make(), window.name);
}

} // namespace
} // namespace krel::test
