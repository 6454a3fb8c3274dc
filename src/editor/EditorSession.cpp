#include "editor/EditorSession.h"

#include "kit/DebugLog.h"

namespace krel {

void EditorSession::Log(const std::string& line) const {
    Context.Log.append(line);
}

EditorPaths EditorSession::Paths() const {
    return MakeEditorPaths(Context.Preferences.General.BaseDir,
                           Context.Preferences.General.TempDir);
}

} // namespace krel
