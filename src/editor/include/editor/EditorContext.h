#pragma once
// What the editor window needs from the program around it: the settings in force, the debug log
// it appends its progress to, and the undo group whose Undo and Redo act on the active window's
// history. The frame hands these over; the editor never reaches the frame itself.

#include "settings/Preferences.h"

class QUndoGroup;

namespace krel {

class DebugLog;

struct EditorContext {
    const T_Preferences& Preferences;
    DebugLog& Log;
    QUndoGroup& UndoGroup;
};

} // namespace krel
