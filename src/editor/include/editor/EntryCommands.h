#pragma once
// The editing commands of the editor window: edit, add and delete an entry or a header through
// their dialogs, by button, context menu or key. Each change is one undoable step; the rules it
// applies are the encyclopedia's (encyclopedia/Edits.h).

#include "editor/EditorControls.h"

#include <functional>

class QString;

namespace krel {

class EntryBrowser;
struct EditorSession;
struct T_EncEntry;

class EntryCommands {
public:
    EntryCommands(EditorSession& session, EntryBrowser& browser, const EditorControls& controls);

    void EditClick();
    void AddClick();
    void DeleteClick();

private:
    void connectCommands(const EditorControls& controls);
    void connectKeys(const EditorControls& controls);
    void editEntry(const T_EncEntry* entry);
    void editHeader(const T_EncEntry* header);
    void addHeader();
    void addEntry();
    void changeAsStep(const QString& name, const std::function<void()>& change);

    EditorSession& session_;
    EntryBrowser& browser_;
};

} // namespace krel
