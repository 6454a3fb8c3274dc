#pragma once
// The encyclopedia editor window: a child window of the frame that loads the game's
// encyclopedia into memory and shows it as a table of contents, a subject index or the results
// of a keyword search, with the selected entry's title, picture, text and related links.
//
// The window itself sets up, loads and closes; its parts each own their state and handlers:
// browsing and display (EntryBrowser), the parse behind the progress window (ParseRunner,
// ProgressWindows), the editing commands (EntryCommands), reordering by drag and drop
// (EntryReordering) and the exchange of whole encyclopedias (ExchangeCommands). Every handler
// guards its body and reports failures through the program's error box; the progress of its
// work is appended to the frame's debug log.

#include "editor/EditHistory.h"
#include "editor/EditorContext.h"
#include "editor/EditorControls.h"
#include "editor/EditorSession.h"

#include <QWidget>

class QMdiSubWindow;
#include <memory>
#include <string>

namespace krel {

class EntryBrowser;
class EntryCommands;
class EntryReordering;
class ExchangeCommands;
class ParseRunner;
class ProgressWindows;
class ToolCommands;

class TEncEditorMain : public QWidget {
    Q_OBJECT
public:
    explicit TEncEditorMain(const EditorContext& context, QWidget* parent = nullptr);
    ~TEncEditorMain() override;

    void FormCreate();
    void FormShow();
    void FormClose();
    void CloseButClick();
    void SetStatus(const std::string& text);
    // With unexported changes, offers to export them, discard them or cancel; true when the
    // command may go on (exported or discarded).
    bool ConfirmDiscardChanges();

    // The encyclopedia (EntryList) and its undo history.
    Encyclopedia& EntryList() { return session_.Records; }
    EditHistory& History() { return *history_; }
    TZipMaster& ZipMaster1() { return session_.ZipMaster1; }
    // The game's own copy is to be taken from the string archive (NeedDefaults).
    bool NeedDefaults() const { return needDefaults_; }

    EntryBrowser& Browser() { return *browser_; }
    EntryCommands& Commands() { return *commands_; }
    EntryReordering& Reordering() { return *reordering_; }
    ExchangeCommands& Exchange() { return *exchange_; }
    ToolCommands& Tools() { return *tools_; }
    ParseRunner& Parser() { return *parser_; }
    ProgressWindows& Progress() { return *progress_; }

signals:
    // The window is closing, leaving its place in the frame and its list's width.
    void placementLeft(const krel::WindowRect& place, int listWidth);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpHistory();
    void setUpZip();
    void appendArchiveListing();
    bool loadLooseCopies(const EditorPaths& paths);
    bool loadGameCopy(const EditorPaths& paths);
    std::string extractWorkCopy(std::string_view member);
    void showHistoryStep();
    void placeSubWindow();
    void placeIn(QMdiSubWindow& subWindow, const QRect& area);
    void restoreListWidth();
    void leavePlacement();

    EditorSession session_;
    EditorControls controls_;
    // The parts, released in reverse order before the session they share: a running parse is
    // stopped before the browser and the progress windows it reports to go.
    std::unique_ptr<EditHistory> history_;
    std::unique_ptr<ProgressWindows> progress_;
    std::unique_ptr<EntryBrowser> browser_;
    std::unique_ptr<ParseRunner> parser_;
    std::unique_ptr<EntryCommands> commands_;
    std::unique_ptr<EntryReordering> reordering_;
    std::unique_ptr<ExchangeCommands> exchange_;
    std::unique_ptr<ToolCommands> tools_;
    bool needDefaults_ = false;
    bool shown_ = false;
};

} // namespace krel
