// Every control of every window carries a name and a description for screen readers.

#include "support/Accessibility.h"

#include "EditorFixture.h"
#include "common/AtomicFile.h"
#include "dialogs/AddForm.h"
#include "dialogs/EntryEditor.h"
#include "dialogs/ExportForm.h"
#include "dialogs/GraphicForm.h"
#include "dialogs/HeaderEditor.h"
#include "dialogs/ListAdd.h"
#include "editor/ChangesWindow.h"
#include "editor/MergePreviewDialog.h"
#include "editor/ToolCommands.h"

#include <QAction>
#include <functional>

namespace krel::test {
namespace {

using AccessibilityTest = EditorTest;

TEST_F(AccessibilityTest, EveryControlOfEachWindowHasANameAndADescription) {
    openSmall();
    WriteFileAtomic(env.programFolder() / "view.txt", "");
    expectDescribed(*editor, "editor window");
    frame->Changes1->trigger();
    ASSERT_NE(editor->Tools().Changes(), nullptr);
    expectDescribed(*editor->Tools().Changes(), "changes window");
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
        {"merge preview",
         [&] {
             return std::make_unique<MergePreviewDialog>(PreviewMerge(records, {}), nullptr);
         }},
    };
    for (const Window& window : windows)
        expectDescribed(*window.make(), window.name);
}

} // namespace
} // namespace krel::test
