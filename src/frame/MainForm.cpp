#include "frame/MainForm.h"

#include "editor/EncEditorMain.h"
#include "editor/ToolCommands.h"
#include "frame/AboutForm.h"
#include "frame/DebugWindow.h"
#include "frame/HelpWindow.h"
#include "frame/OptionsDialog.h"
#include "kit/DialogControls.h"
#include "kit/Dialogs.h"
#include "kit/GuiGuard.h"
#include "kit/HintFilter.h"
#include "settings/GamePath.h"
#include "settings/GameSearch.h"
#include "settings/Paths.h"
#include "settings/WindowPlacement.h"
#include "settings/WorkFolder.h"
#include "skin/Artwork.h"
#include "skin/Skin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoGroup>

namespace krel {
namespace {

constexpr const char* kNotTheGameFolder =
    "The directory selected as the Vastreach 3 base directory is not the actual base directory "
    "of the game.  Go back to the options screen and change the base directory to it's correct "
    "path. (Editors Disabled)";

constexpr int kDebugWindowKeptLines = 256;
// Wide enough for a whole archive listing line, tall enough for a parse's progress lines.
constexpr QSize kDebugWindowOpenSize(720, 420);

template <class Body> void frameGuard(const char* routine, Body&& body) {
    guarded<EKrelEditMainFormError>(routine, std::forward<Body>(body));
}

void centre(QWidget* window, const QRect& area) {
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

} // namespace

TKrelEditMainForm::TKrelEditMainForm(QWidget* parent)
    : QMainWindow(parent), DebugList(new DebugLog(this)), MdiArea(new QMdiArea(this)),
      userSettings_(UserSettingsFile(), "HKEY_CURRENT_USER", SettingsHive::Access::ReadWrite),
      machineSettings_(MachineSettingsFile(), "HKEY_LOCAL_MACHINE",
                       SettingsHive::Access::ReadOnly) {
    setObjectName(QStringLiteral("KrelEditMainForm"));
    setWindowTitle(QStringLiteral("Vastreach 3 Editor"));
    setWindowIcon(skin::PlanetPicture(64));
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    MdiArea->setBackground(skin::Workspace());
    setCentralWidget(MdiArea);
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    buildMenus();
    connectMenus();
    resize(996, 785);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        centre(this, screen->availableGeometry());
    guiGuard(this, [this] { FormCreate(); });
    restorePlacement();
}

TKrelEditMainForm::~TKrelEditMainForm() = default;

void TKrelEditMainForm::buildMenus() {
    // The hint shows in the status bar while the item is highlighted and is what a screen
    // reader says the item is for.
    auto item = [](QMenu* menu, const char* name, const char* caption, const char* hint) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setStatusTip(QString::fromLatin1(hint));
        return action;
    };
    File1 = menuBar()->addMenu(QStringLiteral("&Editors"));
    OpenEncyclopediaEditor1 = item(File1, "OpenEncyclopediaEditor1", "&Encyclopedia Editor",
                                   "Opens the game's encyclopedia for editing.");
    File1->addSeparator();
    Exit1 = item(File1, "Exit1", "E&xit", "Closes the editor.");
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    buildEditMenu();
    Windows1 = menuBar()->addMenu(QStringLiteral("&Windows"));
    Cascade1 = item(Windows1, "Cascade1", "&Cascade", "Lays the open windows over each other.");
    ile1 = item(Windows1, "ile1", "&Tile", "Lays the open windows side by side.");
    ArrangeAll1 = item(Windows1, "ArrangeAll1", "&Arrange All",
                       "Lines up the minimized windows along the bottom.");
    Windows1->addSeparator();
    DebugWindow1 = item(Windows1, "DebugWindow1", "&Debug Window",
                        "Shows or hides the log of what the editor did.");
    DebugWindow1->setCheckable(true);
    buildToolsMenu();
    Options1 = menuBar()->addMenu(QStringLiteral("&Options"));
    EditorOptions1 = item(Options1, "EditorOptions1", "Editor &Options ...",
                          "Sets the game's folder, the work folder and how merges go.");
    Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
    Contents1 = item(Help1, "Contents1", "&Contents", "Opens the help at its list of pages.");
    Contents1->setShortcut(QKeySequence(Qt::Key_F1));
    Index1 = item(Help1, "Index1", "&Index", "Opens the help at its index of subjects.");
    Help1->addSeparator();
    About1 = item(Help1, "About1", "&About", "Shows the program's name and version.");
    // The bar's own button for the menus that do not fit in a narrow window.
    for (QToolButton* more : menuBar()->findChildren<QToolButton*>())
        describe(more, "More menus", "Shows the menus that do not fit in the window's width.");
    // F10 opens the menu bar, as on the desktops our players know.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        menuBar()->setFocus(Qt::ShortcutFocusReason);
        menuBar()->setActiveAction(File1->menuAction());
    });
}

void TKrelEditMainForm::buildEditMenu() {
    UndoGroup = new QUndoGroup(this);
    Edit1 = menuBar()->addMenu(QStringLiteral("E&dit"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Undo1 = UndoGroup->createUndoAction(this, QStringLiteral("&Undo"));
    Undo1->setObjectName(QStringLiteral("Undo1"));
    Undo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redo1 = UndoGroup->createRedoAction(this, QStringLiteral("&Redo"));
    Redo1->setObjectName(QStringLiteral("Redo1"));
    Redo1->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    Undo1->setStatusTip(QStringLiteral("Takes back the last change in the editor."));
    Redo1->setStatusTip(QStringLiteral("Makes the change taken back again."));
    Edit1->addAction(Undo1);
    Edit1->addAction(Redo1);
}

void TKrelEditMainForm::buildToolsMenu() {
    Tools1 = menuBar()->addMenu(QStringLiteral("&Tools"));
    Tools1->setObjectName(QStringLiteral("Tools1"));
    Changes1 = Tools1->addAction(QStringLiteral("&Changes..."));
    Changes1->setObjectName(QStringLiteral("Changes1"));
    Changes1->setStatusTip(
        QStringLiteral("Lists what the encyclopedia changes against the game's own copy."));
    MergePreview1 = Tools1->addAction(QStringLiteral("Merge with &Preview..."));
    MergePreview1->setObjectName(QStringLiteral("MergePreview1"));
    MergePreview1->setStatusTip(
        QStringLiteral("Merges another encyclopedia, choosing entry by entry first."));
    connect(Tools1, &QMenu::aboutToShow, this, [this] {
        for (QAction* tool : {Changes1, MergePreview1})
            tool->setEnabled(editorWindow() != nullptr);
    });
    auto onEditor = [this](void (ToolCommands::*command)()) {
        return [this, command] {
            if (auto* editor = qobject_cast<TEncEditorMain*>(editorWindow()))
                (editor->Tools().*command)();
        };
    };
    connectGuarded(Changes1, &QAction::triggered, this, onEditor(&ToolCommands::ChangesClick));
    connectGuarded(MergePreview1, &QAction::triggered, this,
                   onEditor(&ToolCommands::MergePreviewClick));
}

void TKrelEditMainForm::connectMenus() {
    connectGuarded(OpenEncyclopediaEditor1, &QAction::triggered, this,
                   [this] { OpenEncyclopediaEditor1Click(); });
    connectGuarded(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
    connect(Cascade1, &QAction::triggered, MdiArea, &QMdiArea::cascadeSubWindows);
    connect(ile1, &QAction::triggered, MdiArea, &QMdiArea::tileSubWindows);
    connectGuarded(ArrangeAll1, &QAction::triggered, this, [this] { arrangeIcons(); });
    // The menu has already moved the check mark when this runs.
    connectGuarded(DebugWindow1, &QAction::triggered, this,
                   [this] { frameGuard("DebugWindow1Click()", [this] { openDebugWindow(); }); });
    connectGuarded(EditorOptions1, &QAction::triggered, this, [this] { EditorOptions1Click(); });
    connectGuarded(Contents1, &QAction::triggered, this, [this] { Contents1Click(); });
    connectGuarded(Index1, &QAction::triggered, this, [this] { Index1Click(); });
    connectGuarded(About1, &QAction::triggered, this, [this] { About1Click(); });
    connectGuarded(DebugList, &DebugLog::changed, this, [this] { DebugOnChange(); });
}

void TKrelEditMainForm::FormCreate() {
    frameGuard("FormCreate()", [this] {
        auto hintGuard = [this](const std::function<void()>& body) {
            guiGuard(this, [&] { frameGuard("AppOnShowHint()", body); });
        };
        qApp->installEventFilter(new HintFilter(hintGuard, this));
        PreferencesLoad();
        updateEditorCommand();
    });
}

void TKrelEditMainForm::updateEditorCommand() {
    OpenEncyclopediaEditor1->setEnabled(IsGameFolder(Preferences.General.BaseDir));
}

void TKrelEditMainForm::PreferencesLoad() {
    frameGuard("PreferencesLoad()", [this] {
        ReadPreferences(
            Preferences, userSettings_, [this] { return firstRunGameFolder(); }, DefaultTempDir());
    });
}

std::vector<GameCandidate> TKrelEditMainForm::GameFolders() {
    return FindGameFolders(GameSearchPlaces::FromEnvironment(),
                           MachineGameLocation(machineSettings_));
}

// The search runs on first start only; the log tells where the game was found.
std::string TKrelEditMainForm::firstRunGameFolder() {
    DebugList->append("Looking for the game's folder ...");
    const std::vector<GameCandidate> found = GameFolders();
    for (const GameCandidate& game : found)
        DebugList->append("-> Found in " + game.Where + ": " + game.Folder);
    const std::string folder =
        FirstRunGameFolder(found, MachineGameLocation(machineSettings_), DefaultBaseDir());
    if (found.empty())
        DebugList->append("-> Not found; the base directory is " + folder);
    return folder;
}

void TKrelEditMainForm::PreferencesSave() {
    frameGuard("PreferencesSave()", [this] {
        WritePreferences(Preferences, userSettings_);
        updateEditorCommand();
        if (!IsGameFolder(Preferences.General.BaseDir))
            ShowMessage(this, MsgIcon::Error, kNotTheGameFolder);
    });
}

void TKrelEditMainForm::DeleteFilesDir(const std::string& folder) {
    frameGuard("DeleteFilesDir()", [&] {
        EmptyWorkFolder(folder, {ProgramFolder(), Preferences.General.BaseDir});
    });
}

QWidget* TKrelEditMainForm::editorWindow() const {
    return editor_ ? editor_->widget() : nullptr;
}

THelpWindow* TKrelEditMainForm::helpWindow() const {
    return help_;
}

void TKrelEditMainForm::OpenEncyclopediaEditor1Click() {
    frameGuard("OpenEncyclopediaEditor1Click()", [this] {
        if (editorWindow())
            return;
        auto* window = new TEncEditorMain(
            {Preferences, *DebugList, *UndoGroup, ReadWindowPlacement(userSettings_)});
        window->setAttribute(Qt::WA_DeleteOnClose);
        connect(window, &TEncEditorMain::placementLeft, this,
                [this](const WindowRect& place, int listWidth) {
                    storeEditorPlacement(place, listWidth);
                });
        editor_ = MdiArea->addSubWindow(window);
        editor_->setAttribute(Qt::WA_DeleteOnClose);
        // An editor that closes itself takes its frame along.
        connect(window, &QObject::destroyed, editor_.data(), &QMdiSubWindow::close);
        editor_->show();
    });
}

void TKrelEditMainForm::Exit1Click() {
    frameGuard("Exit1Click()", [this] { close(); });
}

void TKrelEditMainForm::DebugWindow1Click() {
    frameGuard("DebugWindow1Click()", [this] {
        DebugWindow1->setChecked(!DebugWindow1->isChecked());
        openDebugWindow();
    });
}

// Follows the check mark: opens the window (once) or closes it.
void TKrelEditMainForm::openDebugWindow() {
    if (!DebugWindow1->isChecked()) {
        if (DebugForm)
            DebugForm->parentWidget()->close();
        return;
    }
    if (DebugForm)
        return;
    DebugForm = new TDebug;
    QMdiSubWindow* frame = MdiArea->addSubWindow(DebugForm);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setMinimumSize(frame->sizeHint());
    connect(DebugForm, &TDebug::closed, this, [this] { DebugWindow1->setChecked(false); });
    frame->resize(frame->size().expandedTo(kDebugWindowOpenSize));
    DebugForm->setLines(DebugList->lines());
    frame->show();
    centre(frame, MdiArea->viewport()->rect());
}

void TKrelEditMainForm::DebugOnChange() {
    frameGuard("DebugOnChange()", [this] {
        if (!DebugWindow1->isChecked() || !DebugForm)
            return;
        while (DebugForm->lineCount() > kDebugWindowKeptLines)
            DebugForm->deleteFirstLine();
        DebugForm->appendLine(DebugList->lines().back());
    });
}

void TKrelEditMainForm::EditorOptions1Click() {
    frameGuard("Settings1Click()", [this] {
        TKrelEditorOptions options(*this, this);
        options.fillFrom(Preferences);
        options.listGameFolders(GameFolders());
        options.exec();
    });
}

void TKrelEditMainForm::Contents1Click() {
    frameGuard("Contents1Click()", [this] { showHelp("contents.html"); });
}

void TKrelEditMainForm::Index1Click() {
    frameGuard("Index1Click()", [this] { showHelp("index.html"); });
}

void TKrelEditMainForm::showHelp(const char* page) {
    if (!help_)
        help_ = new THelpWindow(this);
    help_->showPage(QString::fromLatin1(page));
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void TKrelEditMainForm::About1Click() {
    frameGuard("About1Click()", [this] {
        TAboutForm about(this);
        about.exec();
    });
}

void TKrelEditMainForm::arrangeIcons() {
    int x = 0;
    for (QMdiSubWindow* window : MdiArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        QSize size = window->size();
        window->move(x, MdiArea->viewport()->height() - size.height());
        x += size.width();
    }
}

void TKrelEditMainForm::closeEvent(QCloseEvent* event) {
    guiGuard(this, [this] { FormClose(); });
    if (editorStillOpen()) {
        event->ignore();
        return;
    }
    storePlacement();
    event->accept();
}

// The frame comes back where the user left it, unless that place is on no screen any more.
void TKrelEditMainForm::restorePlacement() {
    const WindowPlacement placement = ReadWindowPlacement(userSettings_);
    if (placement.Frame) {
        const WindowRect& r = *placement.Frame;
        const QRect rect(r.Left, r.Top, r.Width, r.Height);
        if (QGuiApplication::screenAt(rect.center()))
            setGeometry(rect);
    }
    if (placement.FrameMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

// The editor's place is kept beside the frame's, each written when its window closes.
void TKrelEditMainForm::storeEditorPlacement(const WindowRect& place, int listWidth) {
    WindowPlacement placement = ReadWindowPlacement(userSettings_);
    placement.Editor = place;
    placement.EditorListWidth = listWidth;
    WriteWindowPlacement(placement, userSettings_);
}

void TKrelEditMainForm::storePlacement() {
    const QRect rect = isMaximized() ? normalGeometry() : geometry();
    WindowPlacement placement = ReadWindowPlacement(userSettings_);
    if (rect.isValid())
        placement.Frame = WindowRect{rect.x(), rect.y(), rect.width(), rect.height()};
    placement.FrameMaximized = isMaximized();
    WriteWindowPlacement(placement, userSettings_);
}

// An editor window may refuse to close while it holds changes the user wants to keep.
bool TKrelEditMainForm::editorStillOpen() const {
    return editor_ && !editor_->isHidden();
}

void TKrelEditMainForm::FormClose() {
    frameGuard("FormClose()", [this] {
        MdiArea->closeAllSubWindows();
        if (editorStillOpen())
            return;
        if (help_)
            help_->close();
        DeleteFilesDir(WithTrailingSeparator(Preferences.General.TempDir));
    });
}

} // namespace krel
