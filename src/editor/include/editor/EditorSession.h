#pragma once
// What the parts of one editor window share: the program around it (settings, debug log, undo
// group), the window itself as the owner of its dialogs and progress windows, the encyclopedia
// with its undo history, and the ZIP component. Each part keeps its own state; only this is
// common to them.

#include "archive/ZipMaster.h"
#include "editor/EditorContext.h"
#include "editor/EditorPaths.h"
#include "encyclopedia/Encyclopedia.h"

#include <filesystem>
#include <string>

class QWidget;

namespace krel {

class EditHistory;

struct EditorSession {
    EditorSession(const EditorContext& context, QWidget& window)
        : Context(context), Window(window) {}

    EditorContext Context;
    QWidget& Window;
    // EntryList: the encyclopedia the window shows and edits.
    Encyclopedia Records;
    // Every change to Records is one step here; set up by the window.
    EditHistory* History = nullptr;
    TZipMaster ZipMaster1;
    // The folder the last chosen encyclopedia came from, where the next choice starts.
    std::filesystem::path SourceFolder;

    // Appends a line to the program's debug log.
    void Log(const std::string& line) const;
    // The paths of the game and work folders as the settings name them now.
    EditorPaths Paths() const;
};

} // namespace krel
