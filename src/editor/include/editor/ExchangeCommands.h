#pragma once
// Exchanging whole encyclopedias from the editor window: reset to the game's own copy, install
// the work copies into the game, import or merge another encyclopedia, export to the program's
// folder. The file work lives in the exchange library; here the window asks, reloads, reports
// and records undo steps.

#include "editor/EditorControls.h"

#include <filesystem>

namespace krel {

class ParseRunner;
enum class StageTarget;
class ProgressWindows;
class TEncEditorMain;
struct EditorSession;

class ExchangeCommands {
public:
    ExchangeCommands(EditorSession& session, ParseRunner& parser, ProgressWindows& progress,
                     TEncEditorMain& window, const EditorControls& controls);

    void ResetClick();
    void InstallClick();
    void ImportClick();
    void MergeClick();
    void ExportClick();
    // Runs the export dialog and the export it asks for; true when the export succeeded.
    bool ExportEncyclopedia();
    // The work copies hold the list as it stands now (after a load or an export).
    void NoteWorkCopiesMatch();

private:
    bool workCopiesLag() const;
    bool reloadAsStep(const char* step, bool merge);
    bool reloadWorkCopies(const char* step);
    bool confirmed(const char* question);
    bool looseFolderReady(const std::filesystem::path& dataFolder);
    bool stageChosen(StageTarget target);

    EditorSession& session_;
    ParseRunner& parser_;
    ProgressWindows& progress_;
    TEncEditorMain& window_;
    // The undo step at which the work copies last held EntryList (load, reset, import, export).
    int workCopiesStep_ = 0;
};

} // namespace krel
