#include "frame/ToolScreens.h"

#include "editor/ChangesWindow.h"
#include "editor/EncEditorMain.h"
#include "editor/EntryBrowser.h"
#include "editor/MergePreviewDialog.h"
#include "editor/ToolCommands.h"
#include "frame/MainForm.h"

#include <QAction>

namespace krel {
namespace {

// The entries with a body text, in list order.
std::vector<T_EncEntry> entriesWithText(const Encyclopedia& records) {
    std::vector<T_EncEntry> found;
    for (const auto& record : records.GetEntryList())
        if (record->Kind == ekEntry && record->Content.size() > 40)
            found.push_back(*record);
    return found;
}

// A reworded text, a renamed entry, one removed and one added.
void makeSampleChanges(Encyclopedia& records) {
    const std::vector<T_EncEntry> entries = entriesWithText(records);
    if (entries.size() < 3)
        return;
    records.Modify(records.GetEntryOnlyByTag(entries[0].Tag), [](T_EncEntry& entry) {
        const size_t space = entry.Content.find(' ', 10);
        entry.Content.insert(space == std::string::npos ? 0 : space, " newly charted");
        entry.Content += " Its moons were surveyed last season.";
        entry.Keywords += ",surveyed";
    });
    records.Modify(records.GetEntryOnlyByTag(entries[1].Tag),
                   [](T_EncEntry& entry) { entry.Title += " (Revised)"; });
    records.Remove(records.GetEntryOnlyByTag(entries[2].Tag));
    records.Append(
        T_EncEntry{ekEntry, "Drift Station", "", "station", "", "A waypoint for traders.", "DRFT"});
}

TEncEditorMain* openEditor(TKrelEditMainForm& frame) {
    frame.OpenEncyclopediaEditor1->trigger();
    return qobject_cast<TEncEditorMain*>(frame.editorWindow());
}

} // namespace

QWidget* OpenChangesForScreenshot(TKrelEditMainForm& frame) {
    TEncEditorMain* editor = openEditor(frame);
    if (!editor)
        return nullptr;
    editor->History().PushStep(QStringLiteral("Edit Entry"), [editor] {
        makeSampleChanges(editor->EntryList());
        editor->Browser().BuildList("");
    });
    frame.Changes1->trigger();
    ChangesWindow* changes = editor->Tools().Changes();
    if (changes)
        changes->SelectRow(0);
    return changes;
}

QWidget* OpenMergePreviewForScreenshot(TKrelEditMainForm& frame) {
    TEncEditorMain* editor = openEditor(frame);
    if (!editor)
        return nullptr;
    Encyclopedia theirs;
    theirs.Replace(editor->EntryList().Snapshot());
    makeSampleChanges(theirs);
    auto* dialog =
        new MergePreviewDialog(PreviewMerge(editor->EntryList(), theirs.Snapshot()), editor);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return dialog;
}

} // namespace krel
