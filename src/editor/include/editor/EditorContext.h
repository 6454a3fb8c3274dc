#pragma once
// What the editor window needs from the program around it: the settings in force, the debug log
// it appends its progress to, the undo group whose Undo and Redo act on the active window's
// history, and where the user left the window last time. The frame hands these over; the editor
// never reaches the frame itself. Message boxes and choosers are not part of it: they go through
// the program's one dialog seam (kit/Dialogs.h), which the error reporting of every handler uses as
// well.

#include "settings/Preferences.h"
#include "settings/WindowPlacement.h"

class QUndoGroup;

namespace krel {

class DebugLog;

struct EditorContext {
    const T_Preferences& Preferences;
    DebugLog& Log;
    QUndoGroup& UndoGroup;
    WindowPlacement Placement = {};
};

} // namespace krel
