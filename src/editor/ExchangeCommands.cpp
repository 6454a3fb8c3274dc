#include "editor/ExchangeCommands.h"

#include "common/AtomicFile.h"
#include "common/PathText.h"
#include "dialogs/ExportForm.h"
#include "editor/EditHistory.h"
#include "editor/EditorGuard.h"
#include "editor/EditorSession.h"
#include "editor/EncEditorMain.h"
#include "editor/ParseRunner.h"
#include "editor/ProgressForm.h"
#include "editor/ProgressWindows.h"
#include "editor/SourceChooser.h"
#include "editor/Trash.h"
#include "encyclopedia/Writer.h"
#include "exchange/Export.h"
#include "exchange/Install.h"
#include "exchange/Reset.h"
#include "exchange/Staging.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"
#include "kit/QtText.h"
#include "settings/Paths.h"

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QUndoStack>

namespace krel {
namespace {
namespace fs = std::filesystem;

constexpr const char* kSaveBeforeInstall = "The encyclopedia has changes that are not saved in "
                                           "the work files.  Save them before installing?";

// The work copies as they were before a reload replaced them. Unless the reload completes they
// are put back, so that the work copies keep matching the list on display.
class WorkCopiesBackup {
public:
    explicit WorkCopiesBackup(const fs::path& workFolder) : files_(WorkCopiesIn(workFolder)) {
        std::error_code error;
        if (fs::is_regular_file(files_.Contents, error) &&
            fs::is_regular_file(files_.Titles, error)) {
            std::vector<std::string> pair = ReadFilesTogether({files_.Contents, files_.Titles});
            bytes_.Contents = std::move(pair[0]);
            bytes_.Titles = std::move(pair[1]);
            held_ = true;
        }
    }
    ~WorkCopiesBackup() {
        if (!held_)
            return;
        // Runs while a failure unwinds; the failure is what the user needs to see.
        try {
            exchange::ReplacePair(files_, bytes_);
        } catch (const std::exception&) {
        }
    }
    WorkCopiesBackup(const WorkCopiesBackup&) = delete;
    WorkCopiesBackup& operator=(const WorkCopiesBackup&) = delete;

    void Keep() { held_ = false; }

private:
    FilePair files_;
    bool held_ = false;
    BytesPair bytes_;
};

// Closes a modeless progress window however the work behind it ends: a failing component never
// reports the end of its batch.
class ProgressShown {
public:
    explicit ProgressShown(TProgressForm* form) : form_(form) { form_->show(); }
    ~ProgressShown() {
        if (form_)
            form_->close();
    }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    QPointer<TProgressForm> form_;
};

// The old archive goes to the desktop's trash where there is one, so an export never destroys
// the user's previous one outright.
void disposeOldArchive(const fs::path& archive) {
    MoveToTrashOrDelete(archive);
}

LogFn logTo(const EditorSession& session) {
    return [&session](const std::string& line) {
        session.Log(line);
    };
}

} // namespace

// Chooses the sources and puts them where the parse reads them; false when the user cancelled
// or the choice was refused (the refusal has been shown).
bool ExchangeCommands::stageChosen(StageTarget target) {
    const std::vector<fs::path> selection = ChooseEncyclopediaSources(session_, &window_);
    if (selection.empty())
        return false;
    if (target == StageTarget::Import && !window_.ConfirmDiscardChanges())
        return false;
    const StageResult staged = StageEncyclopedia(selection, target, session_.Paths().WorkFolder,
                                                 session_.ZipMaster1, logTo(session_));
    if (staged.Outcome == StageOutcome::Staged)
        return true;
    ShowMessage(&window_, MsgIcon::Error, staged.Message);
    return false;
}

namespace {

ExportResult exportArchive(EditorSession& session, ProgressWindows& progress,
                           const fs::path& folder) {
    ProgressShown shown(progress.NewProgressForm("Creating ZIP file", "Processing file:"));
    return ExportZipArchive(session.Records, session.Paths().WorkFolder, folder, session.ZipMaster1,
                            disposeOldArchive);
}

} // namespace

ExchangeCommands::ExchangeCommands(EditorSession& session, ParseRunner& parser,
                                   ProgressWindows& progress, TEncEditorMain& window,
                                   const EditorControls& controls)
    : session_(session), parser_(parser), progress_(progress), window_(window) {
    for (QPushButton* command :
         {controls.Import, controls.Export, controls.Install, controls.Merge, controls.Reset})
        command->setEnabled(true);
    connectGuarded(controls.Reset, &QPushButton::clicked, &window, [this] { ResetClick(); });
    connectGuarded(controls.Install, &QPushButton::clicked, &window, [this] { InstallClick(); });
    connectGuarded(controls.Import, &QPushButton::clicked, &window, [this] { ImportClick(); });
    connectGuarded(controls.Merge, &QPushButton::clicked, &window, [this] { MergeClick(); });
    connectGuarded(controls.Export, &QPushButton::clicked, &window, [this] { ExportClick(); });
}

void ExchangeCommands::NoteWorkCopiesMatch() {
    workCopiesStep_ = session_.History->Stack().index();
}

// Edits made since the work copies last held the list, which an install would leave out. The
// step tells whether the list moved on; the bytes whether that changed what would be saved.
bool ExchangeCommands::workCopiesLag() const {
    return session_.History->Stack().index() != workCopiesStep_ &&
           WorkCopiesDifferFrom(session_.Records, session_.Paths().WorkFolder);
}

// A reload of the list (reset, import or merge) behind the progress window, as one undo step.
// Returns false when the window was closed meanwhile.
bool ExchangeCommands::reloadAsStep(const char* step, bool merge) {
    bool completed = false;
    session_.History->PushStep(QString::fromLatin1(step),
                               [&] { completed = parser_.RunParse(merge); });
    return completed;
}

// Reloads the work copies just written in place of the list; false when the window was closed
// meanwhile.
bool ExchangeCommands::reloadWorkCopies(const char* step) {
    session_.Log("Launching Parser Thread ...");
    if (!reloadAsStep(step, false))
        return false;
    NoteWorkCopiesMatch();
    session_.Log("Parser thread completed ...");
    window_.SetStatus("Status: Browsing Encyclopedia");
    return true;
}

// Asks a Yes/No question; only an explicit No refuses.
bool ExchangeCommands::confirmed(const char* question) {
    return ShowMessage(&window_, MsgIcon::Confirmation, question,
                       {MsgButton::Yes, MsgButton::No}) != MsgButton::No;
}

void ExchangeCommands::ResetClick() {
    editorGuard("ResetClick()", [this] {
        if (!confirmed("Are you sure you want to reset the Encyclopedia?"))
            return;
        const EditorPaths paths = session_.Paths();
        WorkCopiesBackup previous(paths.WorkFolder);
        ExtractGameEncyclopedia(session_.ZipMaster1, paths.StringArchive, paths.WorkFolder,
                                logTo(session_));
        if (reloadWorkCopies("Reset"))
            previous.Keep();
    });
}

void ExchangeCommands::InstallClick() {
    editorGuard("InstallClick()", [this] {
        if (!confirmed("Are you sure you want to install the current Encyclopedia?"))
            return;
        const EditorPaths paths = session_.Paths();
        if (!looseFolderReady(paths.DataFolder))
            return;
        if (workCopiesLag()) {
            const MsgButton save = ShowMessage(&window_, MsgIcon::Confirmation, kSaveBeforeInstall,
                                               {MsgButton::Yes, MsgButton::No, MsgButton::Cancel});
            if (save != MsgButton::Yes && save != MsgButton::No)
                return;
            if (save == MsgButton::Yes) {
                SaveCurrentEncyclopedia(session_.Records, paths.WorkFolder);
                NoteWorkCopiesMatch();
            }
        }
        InstallWorkCopies(paths.WorkFolder, paths.DataFolder);
        window_.SetStatus("Installed into " + PathText(LooseFolderIn(paths.DataFolder)));
        ShowMessage(&window_, MsgIcon::Information, "Encyclopedia Installed.");
    });
}

// A fresh game has no folder for loose files: it is made on the user's word, and without it
// nothing is installed.
bool ExchangeCommands::looseFolderReady(const fs::path& dataFolder) {
    if (HasLooseFolder(dataFolder))
        return true;
    const std::string question =
        "The game has no folder for loose encyclopedia files yet.  Create " +
        PathText(LooseFolderIn(dataFolder)) + " and install?";
    if (ShowMessage(&window_, MsgIcon::Confirmation, question, {MsgButton::Yes, MsgButton::No}) !=
        MsgButton::Yes)
        return false;
    CreateLooseFolder(dataFolder);
    return true;
}

void ExchangeCommands::ImportClick() {
    editorGuard("ImportClick()", [this] {
        WorkCopiesBackup previous(session_.Paths().WorkFolder);
        if (!stageChosen(StageTarget::Import)) {
            previous.Keep();
            return;
        }
        if (reloadWorkCopies("Import"))
            previous.Keep();
    });
}

void ExchangeCommands::MergeClick() {
    editorGuard("MergeClick()", [this] {
        if (!stageChosen(StageTarget::Merge))
            return;
        session_.Log("Launching Parser Thread ...");
        if (!reloadAsStep("Merge", true))
            return;
        const int merged = parser_.ItemsAdded() + parser_.ItemsChanged();
        window_.SetStatus(std::to_string(merged) + (merged == 1 ? " entry" : " entries") +
                          " merged");
        ShowMessage(&window_, MsgIcon::Information,
                    "Merge completed.  Items added: " + std::to_string(parser_.ItemsAdded()) +
                        " Items Changed: " + std::to_string(parser_.ItemsChanged()));
    });
}

void ExchangeCommands::ExportClick() {
    editorGuard("ExportClick()", [this] { ExportEncyclopedia(); });
}

bool ExchangeCommands::ExportEncyclopedia() {
    TExportForm chooser(&window_);
    if (chooser.exec() != QDialog::Accepted)
        return false;
    const fs::path folder =
        ExportFolderFor(FsPath(ProgramFolder()), FsPath(WritableProgramFolder()));
    const ExportResult result =
        chooser.WantsArchive()
            ? exportArchive(session_, progress_, folder)
            : ExportTextFiles(session_.Records, session_.Paths().WorkFolder, folder);
    if (!result.Succeeded)
        return false;
    session_.History->MarkClean();
    NoteWorkCopiesMatch();
    window_.SetStatus("Exported to " + PathText(folder));
    ShowMessage(&window_, MsgIcon::Information, result.Message);
    return true;
}

} // namespace krel
