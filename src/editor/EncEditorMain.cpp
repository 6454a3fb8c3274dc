#include "editor/EncEditorMain.h"

#include "archive/InstallZipFiles.h"
#include "common/AtomicFile.h"
#include "common/EncyclopediaFiles.h"
#include "editor/EditorGuard.h"
#include "editor/EntryBrowser.h"
#include "editor/EntryCommands.h"
#include "editor/EntryReordering.h"
#include "editor/ExchangeCommands.h"
#include "editor/ParseRunner.h"
#include "editor/ProgressWindows.h"
#include "editor/ToolCommands.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"
#include "kit/QtText.h"
#include "settings/Paths.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QListView>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSplitter>
#include <QUndoGroup>
#include <QUndoStack>
#include <future>
#include <stdexcept>

namespace krel {
namespace {

constexpr QSize kClientSize(792, 566);
constexpr QSize kMinimumSize(800, 600);
constexpr const char* kExtractingNow =
    "Could not locate extracted Encyclopedia entries.  Extracting now.";
constexpr const char* kDiscardQuestion =
    "The encyclopedia has changes that have not been exported.  Export them first, or discard "
    "them?";

// The frame puts the editor into a sub-window of its own, which shows the modified marker and
// holds the window's minimum size.
QMdiSubWindow* subWindowOf(QWidget& window) {
    return qobject_cast<QMdiSubWindow*>(window.parentWidget());
}

} // namespace

TEncEditorMain::TEncEditorMain(const EditorContext& context, QWidget* parent)
    : QWidget(parent), session_(context, *this) {
    setObjectName(QStringLiteral("EncEditorMain"));
    setWindowTitle(QStringLiteral("Vastreach 3 Encyclopedia Editor"));
    controls_ = BuildEditorControls(*this);
    setUpHistory();
    progress_ = std::make_unique<ProgressWindows>(*this);
    browser_ = std::make_unique<EntryBrowser>(session_, controls_);
    parser_ = std::make_unique<ParseRunner>(session_, *progress_, *browser_);
    commands_ = std::make_unique<EntryCommands>(session_, *browser_, controls_);
    reordering_ = std::make_unique<EntryReordering>(session_, *browser_, *controls_.EntryListBox);
    exchange_ =
        std::make_unique<ExchangeCommands>(session_, *parser_, *progress_, *this, controls_);
    tools_ = std::make_unique<ToolCommands>(session_, *browser_);
    connectGuarded(controls_.CloseBut, &QPushButton::clicked, this, [this] { CloseButClick(); });
    setUpZip();
    resize(kClientSize);
    guiGuard(this, [this] { FormCreate(); });
}

TEncEditorMain::~TEncEditorMain() = default;

// Every change to the list is one step of the history; the window is modified while the history
// is not clean, and the frame's Undo and Redo act on it while the window is active.
void TEncEditorMain::setUpHistory() {
    history_ = std::make_unique<EditHistory>(session_.Records, [this] { showHistoryStep(); });
    session_.History = history_.get();
    setWindowTitle(windowTitle() + QStringLiteral(" [*]"));
    connect(history_.get(), &EditHistory::modifiedChanged, this, [this](bool modified) {
        setWindowModified(modified);
        controls_.StatusPanel2->setText(modified ? QStringLiteral("Modified") : QString());
        if (QMdiSubWindow* subWindow = subWindowOf(*this))
            subWindow->setWindowModified(modified);
    });
    session_.Context.UndoGroup.addStack(&history_->Stack());
    session_.Context.UndoGroup.setActiveStack(&history_->Stack());
}

void TEncEditorMain::setUpZip() {
    session_.ZipMaster1.OnProgress = [this](TZipMaster& sender, ProgressType type,
                                            const std::string& name, int64_t size) {
        progress_->ZipMaster1Progress(sender, type, name, size);
    };
    session_.ZipMaster1.OnMessage = [this](const std::string& text) {
        ShowMessage(this, MsgIcon::Error, text);
    };
}

void TEncEditorMain::FormCreate() {
    editorGuard("FormCreate()", [this] {
        controls_.TOC->setChecked(true);
        controls_.SubjectIndex->setChecked(false);
        session_.ZipMaster1.SetDLLDirectory(
            InstallZipFiles(session_.Context.Preferences.General.TempDir));
        const EditorPaths paths = session_.Paths();
        session_.ZipMaster1.SetZipFileName(paths.StringArchive);
        appendArchiveListing();
        session_.Log("Do we need default Encyclopedia entries?");
        needDefaults_ = !paths.HasLooseFiles();
        session_.Log(needDefaults_ ? "-> Yes" : "-> No");
    });
}

void TEncEditorMain::appendArchiveListing() {
    const std::string archive = PathText(session_.Paths().StringArchive);
    session_.Log("Processing " + archive + ".");
    for (const ZipDirEntry& entry : session_.ZipMaster1.ZipContents())
        session_.Log("-> .mob Entry: " + entry.FileName +
                     "Size: " + std::to_string(entry.UncompressedSize));
    session_.Log("Finished processing " + archive + ".");
}

void TEncEditorMain::FormShow() {
    editorGuard("FormShow()", [this] {
        const EditorPaths paths = session_.Paths();
        const bool parsed = needDefaults_ ? loadGameCopy(paths) : loadLooseCopies(paths);
        if (!parsed)
            return;
        session_.Log("Parser thread completed ...");
        SetStatus("Status: Browsing Encyclopedia");
    });
}

// The loose files of an installed encyclopedia win.
bool TEncEditorMain::loadLooseCopies(const EditorPaths& paths) {
    ReplaceFilesWithCopies(
        {{paths.Work.Contents, paths.Loose.Contents}, {paths.Work.Titles, paths.Loose.Titles}});
    session_.Log("Launching Parser Thread ...");
    return parser_->RunParse(false);
}

// Without both loose files, the game's own copy is taken from the string archive. Its bytes are
// parsed from memory while the work copies are written beside the parse, so the user waits for
// the longer of the two instead of both; the records are installed once both have ended well.
bool TEncEditorMain::loadGameCopy(const EditorPaths& paths) {
    ShowMessage(this, MsgIcon::Information, kExtractingNow);
    BytesPair copy;
    copy.Contents = extractWorkCopy(kArchiveContentsMember);
    copy.Titles = extractWorkCopy(kArchiveTitlesMember);
    session_.Log("Extraction completed.");
    // Written as one pair: an interruption never leaves one file new and the other old.
    std::future<void> written = std::async(std::launch::async, [&paths, &copy] {
        ReplaceFilesAtomically(
            {{paths.Work.Contents, copy.Contents}, {paths.Work.Titles, copy.Titles}});
    });
    session_.Log("Launching Parser Thread ...");
    const PreloadedFiles preloaded{copy, [&written] {
                                       written.get();
                                   }};
    return parser_->RunParse(false, &preloaded);
}

std::string TEncEditorMain::extractWorkCopy(std::string_view member) {
    session_.Log("-> Extracting " + std::string(member));
    TZipStream* stream = session_.ZipMaster1.ExtractFileToStream(std::string(member));
    if (!stream)
        throw std::runtime_error("Could not extract " + std::string(member) + " from " +
                                 PathText(session_.ZipMaster1.ZipFileName()));
    return stream->TakeBytes();
}

void TEncEditorMain::FormClose() {
    editorGuard("FormClose()", [this] { parser_->Stop(); });
}

void TEncEditorMain::CloseButClick() {
    editorGuard("CloseButClick()", [this] { close(); });
}

void TEncEditorMain::SetStatus(const std::string& text) {
    editorGuard("SetStatus()", [&] { browser_->SetStatus(text); });
}

// Export saves the changes elsewhere first; the command goes on only when that succeeded.
bool TEncEditorMain::ConfirmDiscardChanges() {
    return editorGuard("ConfirmDiscardChanges()", [this] {
        if (!history_->IsModified())
            return true;
        const MsgButton answer =
            ShowMessage(this, MsgIcon::Confirmation, kDiscardQuestion,
                        {MsgButton::Export, MsgButton::Discard, MsgButton::Cancel});
        if (answer == MsgButton::Export)
            return exchange_->ExportEncyclopedia();
        return answer == MsgButton::Discard;
    });
}

// Undo and redo changed the records in place: the list is built again and the display shows
// its record afresh, or the default page when that record is gone.
void TEncEditorMain::showHistoryStep() {
    editorGuard("ShowHistoryStep()", [this] {
        browser_->BuildList("");
        browser_->ShowAgain();
    });
}

void TEncEditorMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    placeSubWindow();
    guiGuard(this, [this] { FormShow(); });
}

// Where the user left the window, when that place still lies inside the frame; else centred.
void TEncEditorMain::placeSubWindow() {
    QMdiSubWindow* subWindow = subWindowOf(*this);
    QWidget* area = subWindow ? subWindow->parentWidget() : nullptr;
    if (area) {
        subWindow->setMinimumSize(kMinimumSize);
        placeIn(*subWindow, area->rect());
    }
    restoreListWidth();
}

void TEncEditorMain::placeIn(QMdiSubWindow& subWindow, const QRect& area) {
    if (const std::optional<WindowRect>& last = session_.Context.Placement.Editor) {
        const QRect placed(last->Left, last->Top, last->Width, last->Height);
        if (area.contains(placed)) {
            subWindow.setGeometry(placed);
            return;
        }
    }
    QRect placed = subWindow.frameGeometry();
    placed.moveCenter(area.center());
    subWindow.move(placed.topLeft());
}

// The splitter shares out the window's final width, so the layouts are settled first.
void TEncEditorMain::restoreListWidth() {
    const int listWidth = session_.Context.Placement.EditorListWidth;
    if (listWidth <= 0)
        return;
    if (QWidget* subWindow = parentWidget(); subWindow && subWindow->layout())
        subWindow->layout()->activate();
    layout()->activate();
    const int total = controls_.Splitter->width() - controls_.Splitter->handleWidth();
    controls_.Splitter->setSizes({listWidth, total - listWidth});
}

void TEncEditorMain::leavePlacement() {
    QMdiSubWindow* subWindow = subWindowOf(*this);
    if (!subWindow || subWindow->isMinimized() || subWindow->isMaximized())
        return;
    const QRect placed = subWindow->geometry();
    emit placementLeft(WindowRect{placed.x(), placed.y(), placed.width(), placed.height()},
                       controls_.Splitter->sizes().value(0));
}

void TEncEditorMain::closeEvent(QCloseEvent* event) {
    bool discard = true;
    guiGuard(this, [&] { discard = ConfirmDiscardChanges(); });
    if (!discard) {
        event->ignore();
        return;
    }
    guiGuard(this, [this] { FormClose(); });
    leavePlacement();
    event->accept();
}

} // namespace krel
