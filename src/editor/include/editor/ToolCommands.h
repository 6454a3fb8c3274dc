#pragma once
// The editor's tools beyond the documented commands: the changes window (what this
// encyclopedia changes against the game's own copy or another one) and the merge with a
// preview, where the user chooses entry by entry before anything changes.

#include <QPointer>

namespace krel {

class ChangesWindow;
class EntryBrowser;
struct EditorSession;

class ToolCommands {
public:
    ToolCommands(EditorSession& session, EntryBrowser& browser);

    // Opens the changes window against the game's own copy (or brings it forward).
    void ChangesClick();
    // The changes window's "Compare With...": against a source the user chooses.
    void CompareWithClick();
    // "Merge with Preview...": a source, the preview dialog, then the chosen merge as one step.
    void MergePreviewClick();

    // The open changes window, if any.
    ChangesWindow* Changes() const;

private:
    ChangesWindow& changesWindow();

    EditorSession& session_;
    EntryBrowser& browser_;
    QPointer<ChangesWindow> changes_;
};

} // namespace krel
