#pragma once
// The frame window: menus, the editor and debug windows inside it, the settings in force and
// the debug log. Every other window reaches the settings and the log through the frame.

#include "common/UnitError.h"
#include "kit/DebugLog.h"
#include "settings/GameSearch.h"
#include "settings/Preferences.h"
#include "settings/SettingsStore.h"
#include "settings/WindowPlacement.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QUndoGroup;

namespace krel {

KREL_UNIT_ERROR(EKrelEditMainFormError);

class TDebug;
class THelpWindow;
class TKrelEditMainForm;

class TKrelEditMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TKrelEditMainForm(QWidget* parent = nullptr);
    ~TKrelEditMainForm() override;

    T_Preferences Preferences;
    DebugLog* DebugList;
    QPointer<TDebug> DebugForm;

    QMenu* File1;
    QAction* OpenEncyclopediaEditor1;
    QAction* Exit1;
    // Undo and redo act on the history of the active editor window, which registers it here.
    QMenu* Edit1;
    QAction* Undo1;
    QAction* Redo1;
    QUndoGroup* UndoGroup;
    QMenu* Windows1;
    QAction* Cascade1;
    QAction* ile1;
    QAction* ArrangeAll1;
    QAction* DebugWindow1;
    // The editor's tools beyond the documented commands; enabled while an editor is open.
    QMenu* Tools1;
    QAction* Changes1;
    QAction* MergePreview1;
    QMenu* Options1;
    QAction* EditorOptions1;
    QMenu* Help1;
    QAction* Contents1;
    QAction* Index1;
    QAction* About1;
    QStatusBar* StatusBar1;
    QMdiArea* MdiArea;

    void PreferencesLoad();
    // The game folders found where players keep the game, in search order (GameSearch.h).
    std::vector<GameCandidate> GameFolders();
    // Stores Preferences, then enables or disables the editor command by the game folder.
    void PreferencesSave();
    // Empties the work folder the safe way (see WorkFolder.h).
    void DeleteFilesDir(const std::string& folder);

    // The open encyclopedia editor window, if any.
    QWidget* editorWindow() const;
    // The open help window, if any.
    THelpWindow* helpWindow() const;

    void OpenEncyclopediaEditor1Click();
    void Exit1Click();
    void DebugWindow1Click();
    void EditorOptions1Click();
    void Contents1Click();
    void Index1Click();
    void About1Click();
    void DebugOnChange();
    // Lines up the minimized child windows along the bottom of the frame.
    void arrangeIcons();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormClose();
    void buildMenus();
    void buildEditMenu();
    void buildToolsMenu();
    bool editorStillOpen() const;
    void connectMenus();
    void updateEditorCommand();
    std::string firstRunGameFolder();
    void openDebugWindow();
    void showHelp(const char* page);
    void restorePlacement();
    void storePlacement();
    void storeEditorPlacement(const WindowRect& place, int listWidth);

    SettingsHive userSettings_;
    SettingsHive machineSettings_;
    QPointer<QMdiSubWindow> editor_;
    QPointer<THelpWindow> help_;
};

} // namespace krel
