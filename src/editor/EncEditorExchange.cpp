// Exchanging whole encyclopedias: reset to the game's own copy, install the work copies into the
// game, import or merge another encyclopedia, export to the program's folder. The file work
// lives in the exchange library; here the window asks, reloads, reports and records undo steps.

#include "common/AtomicFile.h"
#include "dialogs/ExportForm.h"
#include "editor/EditorGuard.h"
#include "editor/EncEditorMain.h"
#include "editor/ProgressForm.h"
#include "editor/Trash.h"
#include "encyclopedia/Writer.h"
#include "exchange/Export.h"
#include "exchange/Install.h"
#include "exchange/Reset.h"
#include "exchange/Staging.h"
#include "kit/DebugLog.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"
#include "kit/QtText.h"
#include "settings/Paths.h"

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QUndoStack>
#include <optional>

namespace krel {
namespace {
namespace fs = std::filesystem;

constexpr const char* kChooserTitle = "KREL Encyclopedia File or Files";
constexpr const char* kChooserFilter = "Text File|*.txt|Zip File|*.zip|MOB File|*.mob";
constexpr const char* kSaveBeforeInstall = "The encyclopedia has changes that are not saved in "
                                           "the work files.  Save them before installing?";

// The chooser's filter in the file dialog's own notation: "Name (*.ext);;...".
QString fileDialogFilter(std::string_view filter) {
    const QStringList parts = QString::fromLatin1(filter).split(QLatin1Char('|'));
    QStringList kinds;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        kinds << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    return kinds.join(QStringLiteral(";;"));
}

std::vector<fs::path> chooseSources(QWidget* parent) {
    const QStringList chosen = Dialogs().openFiles(parent, QString::fromLatin1(kChooserTitle),
                                                   fileDialogFilter(kChooserFilter), true);
    std::vector<fs::path> selection;
    for (const QString& file : chosen)
        selection.emplace_back(QFile::encodeName(file).toStdString());
    return selection;
}

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
            exchange::ReplacePair(files_, std::move(bytes_));
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

void logLine(TEncEditorMain& editor, const std::string& line) {
    editor.DebugList->append(line);
}

LogFn logTo(TEncEditorMain& editor) {
    return [&editor](const std::string& line) {
        logLine(editor, line);
    };
}

void noteWorkCopiesMatch(TEncEditorMain& editor) {
    editor.WorkCopiesStep = editor.History->Stack().index();
}

// Edits made since the work copies last held the list, which an install would leave out. The
// step tells whether the list moved on; the bytes whether that changed what would be saved.
bool workCopiesLag(TEncEditorMain& editor) {
    return editor.History->Stack().index() != editor.WorkCopiesStep &&
           WorkCopiesDifferFrom(editor.EntryList, editor.Paths().WorkFolder);
}

// A reload of the list (reset, import or merge) behind the progress window, as one undo step.
// Returns false when the window was closed meanwhile.
bool reloadAsStep(TEncEditorMain& editor, const char* step, bool merge) {
    bool completed = false;
    editor.History->PushStep(QString::fromLatin1(step),
                             [&] { completed = editor.RunParse(merge); });
    return completed;
}

// Reloads the work copies just written in place of the list.
void reloadWorkCopies(TEncEditorMain& editor, const char* step, WorkCopiesBackup& previous) {
    logLine(editor, "Launching Parser Thread ...");
    if (!reloadAsStep(editor, step, false))
        return;
    previous.Keep();
    noteWorkCopiesMatch(editor);
    logLine(editor, "Parser thread completed ...");
    editor.SetStatus("Status: Browsing Encyclopedia");
}

// Chooses the sources and puts them where the parse reads them; false when the user cancelled
// or the choice was refused (the refusal has been shown).
bool stageChosen(TEncEditorMain& editor, StageTarget target) {
    const std::vector<fs::path> selection = chooseSources(&editor);
    if (selection.empty())
        return false;
    if (target == StageTarget::Import && !editor.ConfirmDiscardChanges())
        return false;
    const StageResult staged = StageEncyclopedia(selection, target, editor.Paths().WorkFolder,
                                                 editor.ZipMaster1, logTo(editor));
    if (staged.Outcome == StageOutcome::Staged)
        return true;
    ShowMessage(&editor, MsgIcon::Error, staged.Message);
    return false;
}

ExportResult exportArchive(TEncEditorMain& editor, const fs::path& folder) {
    ProgressShown progress(editor.NewProgressForm("Creating ZIP file", "Processing file:"));
    return ExportZipArchive(editor.EntryList, editor.Paths().WorkFolder, folder, editor.ZipMaster1,
                            disposeOldArchive);
}

} // namespace

void TEncEditorMain::connectExchange() {
    for (QPushButton* command : {Import, Export, Install, Merge, Reset})
        command->setEnabled(true);
    connectGuarded(Reset, &QPushButton::clicked, this, [this] { ResetClick(); });
    connectGuarded(Install, &QPushButton::clicked, this, [this] { InstallClick(); });
    connectGuarded(Import, &QPushButton::clicked, this, [this] { ImportClick(); });
    connectGuarded(Merge, &QPushButton::clicked, this, [this] { MergeClick(); });
    connectGuarded(Export, &QPushButton::clicked, this, [this] { ExportClick(); });
}

void TEncEditorMain::ResetClick() {
    editorGuard("ResetClick()", [this] {
        if (ShowMessage(this, MsgIcon::Confirmation,
                        "Are you sure you want to reset the Encyclopedia?",
                        {MsgButton::Yes, MsgButton::No}) == MsgButton::No)
            return;
        const EditorPaths paths = Paths();
        WorkCopiesBackup previous(paths.WorkFolder);
        ExtractGameEncyclopedia(ZipMaster1, paths.StringArchive, paths.WorkFolder, logTo(*this));
        reloadWorkCopies(*this, "Reset", previous);
    });
}

void TEncEditorMain::InstallClick() {
    editorGuard("InstallClick()", [this] {
        if (ShowMessage(this, MsgIcon::Confirmation,
                        "Are you sure you want to install the current Encyclopedia?",
                        {MsgButton::Yes, MsgButton::No}) == MsgButton::No)
            return;
        const EditorPaths paths = Paths();
        if (workCopiesLag(*this)) {
            const MsgButton save = ShowMessage(this, MsgIcon::Confirmation, kSaveBeforeInstall,
                                               {MsgButton::Yes, MsgButton::No, MsgButton::Cancel});
            if (save != MsgButton::Yes && save != MsgButton::No)
                return;
            if (save == MsgButton::Yes) {
                SaveCurrentEncyclopedia(EntryList, paths.WorkFolder);
                noteWorkCopiesMatch(*this);
            }
        }
        InstallWorkCopies(paths.WorkFolder, paths.DataFolder);
        ShowMessage(this, MsgIcon::Information, "Encyclopedia Installed.");
    });
}

void TEncEditorMain::ImportClick() {
    editorGuard("ImportClick()", [this] {
        WorkCopiesBackup previous(Paths().WorkFolder);
        if (!stageChosen(*this, StageTarget::Import)) {
            previous.Keep();
            return;
        }
        reloadWorkCopies(*this, "Import", previous);
    });
}

void TEncEditorMain::MergeClick() {
    editorGuard("MergeClick()", [this] {
        if (!stageChosen(*this, StageTarget::Merge))
            return;
        log("Launching Parser Thread ...");
        if (!reloadAsStep(*this, "Merge", true))
            return;
        ShowMessage(this, MsgIcon::Information,
                    "Merge completed.  Items added: " + std::to_string(ItemsAdded) +
                        " Items Changed: " + std::to_string(ItemsChanged));
    });
}

void TEncEditorMain::ExportClick() {
    editorGuard("ExportClick()", [this] {
        TExportForm chooser(this);
        if (chooser.exec() != QDialog::Accepted)
            return;
        const fs::path folder =
            ExportFolderFor(FsPath(ProgramFolder()), FsPath(WritableProgramFolder()));
        const ExportResult result = chooser.Zip->isChecked()
                                        ? exportArchive(*this, folder)
                                        : ExportTextFiles(EntryList, Paths().WorkFolder, folder);
        if (!result.Succeeded)
            return;
        History->MarkClean();
        noteWorkCopiesMatch(*this);
        ShowMessage(this, MsgIcon::Information, result.Message);
    });
}

} // namespace krel
