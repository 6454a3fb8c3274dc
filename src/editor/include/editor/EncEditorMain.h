#pragma once
// The encyclopedia editor window: a child window of the frame that loads the game's
// encyclopedia into memory and shows it as a table of contents, a subject index or the results
// of a keyword search, with the selected entry's title, picture, text and related links.
//
// Loading copies or extracts the two text files into the work folder and parses them on the
// parser thread behind a modal progress window (RunParse, which the commands that reload or
// merge an encyclopedia reuse). Every handler guards its body and reports failures through the
// program's error box; the progress of its work is appended to the frame's debug log.

#include "archive/ZipMaster.h"
#include "common/UnitError.h"
#include "editor/EditHistory.h"
#include "editor/EditorContext.h"
#include "editor/EditorPaths.h"
#include "editor/EncThread.h"
#include "editor/PictureArchive.h"
#include "encyclopedia/Completion.h"
#include "encyclopedia/Encyclopedia.h"
#include "encyclopedia/Indexes.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QEventLoop;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

namespace krel {

class DebugLog;
class EntryListModel;
class TDisplayLink;
class TDisplayPicture;
class TProgressForm;

class TEncEditorMain : public QWidget {
    Q_OBJECT
public:
    explicit TEncEditorMain(const EditorContext& context, QWidget* parent = nullptr);
    ~TEncEditorMain() override;

    // --- State ---
    bool NeedDefaults = false; // the defaults come from the string archive
    DebugLog* DebugList;
    QPointer<TProgressForm> ProgressForm;     // the latest progress window
    std::unique_ptr<TEncThread> ParserThread; // the last parser thread started
    const T_EncEntry* CurrentEntry = nullptr; // the record on display
    Encyclopedia EntryList;
    int DragCount = 0;
    std::string ZipFolder;
    int32_t ZipTotalSize = 0;
    int32_t ZipDoneSize = 0;
    bool MergeMode = false;
    int ItemsAdded = 0;
    int ItemsChanged = 0;
    TZipMaster ZipMaster1;

    // --- Controls ---
    QListView* EntryListBox;
    EntryListModel* EntryRows;
    QPushButton* TOC;
    QPushButton* SubjectIndex;
    QLineEdit* FindText;
    QPushButton* Find;
    QLabel* EntryTitle;
    TDisplayPicture* EntryImage;
    QPlainTextEdit* EntryDesc;
    TDisplayLink* Link1;
    TDisplayLink* Link2;
    TDisplayLink* Link3;
    TDisplayLink* Link4;
    QPushButton* CloseBut;
    QPushButton* Delete;
    QPushButton* Edit;
    QPushButton* Add;
    QPushButton* Import;
    QPushButton* Export;
    QPushButton* Install;
    QPushButton* Merge;
    QPushButton* Reset;
    QMenu* EntryMenu;
    QMenu* HeaderMenu;
    QStatusBar* StatusBar;
    QLabel* StatusPanel1;
    QLabel* StatusPanel2;

    // --- Loading (window set-up) ---
    void FormCreate();
    void FormShow();
    void FormClose();
    void CloseButClick();
    void SetStatus(const std::string& text);
    void ZipMaster1Progress(TZipMaster& sender, ProgressType type, const std::string& fileName,
                            int64_t fileSize);
    // A fresh progress window owned by this window, with the given caption and step text; the
    // previous one is released.
    TProgressForm* NewProgressForm(const std::string& caption, const std::string& step);
    // Runs a parse of the work files (merge: the ".merge" files, merged into EntryList) behind
    // the modal progress window. Returns true when the parse completed, false when the window
    // was closed meanwhile; a failed parse raises its chained message and leaves EntryList,
    // the counters and the list as they were.
    bool RunParse(bool merge);
    void ThreadOnProgress(TEncThread& sender, const std::string& message, int percent);
    void ThreadOnComplete(TEncThread& sender, const ParseResult& list);

    // --- Exchanging whole encyclopedias ---
    void ResetClick();
    void InstallClick();
    void ImportClick();
    void MergeClick();
    void ExportClick();
    // The undo step at which the work copies last held EntryList (load, reset, import, export).
    int WorkCopiesStep = 0;

    // --- Browsing ---
    void TOCClick();
    void SubjectIndexClick();
    void FindClick();
    void FindTextKeyDown();
    void EntryListBoxItemClick(int row);
    void LinkClick(int link);
    void EntryImageDblClick();
    void EntryListBoxMouseDown(Qt::MouseButton button, QPoint position, QPoint screenPosition);
    void SelectEntry(const T_EncEntry* record);

    // The mode the check buttons stand for.
    ViewMode CurrentMode() const;
    // Rebuilds the list for the current mode.
    void BuildList(const std::string& searchText);
    // The record each link refers to (nullptr for none).
    const T_EncEntry* LinkTarget(int link) const { return linkTargets_.at(link); }
    // Takes a record out of EntryList and releases it; the display and the list never keep
    // referring to it. The list is rebuilt for the current mode.
    void RemoveRecord(const T_EncEntry* record);
    // The paths of the game and work folders as the settings name them now.
    EditorPaths Paths() const;
    // The picture archive reader (its directory stays listed between selections).

    // --- Editing: commands, drag and drop, undo ---
    // Every change to EntryList is one step here; the window is modified while it is not clean.
    EditHistory* History = nullptr;
    // The record a pending drag began on.
    const T_EncEntry* DraggedRecord = nullptr;
    void EditClick();
    void AddClick();
    void DeleteClick();
    // The record of the selected row, or nullptr.
    const T_EncEntry* SelectedRecord() const;
    // With unexported changes, asks whether to discard them; true when they may go.
    bool ConfirmDiscardChanges();
    void EntryListBoxDragBegin(Qt::MouseButton button, QPoint position);
    bool EntryListBoxDragOver() const;
    void EntryListBoxDragDrop(QPoint position);
    void EntryListBoxMouseUp();
    enum class DropKind { None, IntoHeader, AfterEntry, BeforeHeader };
    struct DropPlan {
        DropKind Kind = DropKind::None;
        const T_EncEntry* Target = nullptr; // the header or entry the drop acts on
        int Row = -1;                       // the row the drop marker goes to
    };
    // What dropping the dragged record at position would do.
    DropPlan PlanDrop(QPoint position) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    void connectControls();
    void connectExchange();
    void log(const std::string& line);
    void appendArchiveListing();
    void putWorkCopies(const EditorPaths& paths);
    std::string extractWorkCopy(std::string_view member);
    void startParserThread(bool merge);
    void waitForParse();
    void finishParse(const ParseResult& list);
    MergeOptions mergeOptions();
    void stopParse();
    void forgetRecords();
    void clearDisplay();
    void showPicture(const T_EncEntry& record);
    void showLinks(const T_EncEntry& record);
    void setUpEditing();
    void connectCommands();
    void connectKeys();
    void editEntry(const T_EncEntry* entry);
    void moveToHeader(const T_EncEntry* entry, const std::string& headerTitle);
    void renameTag(const std::string& from, const std::string& to);
    void showEdited(const std::string& tag);
    void editHeader(const T_EncEntry* header);
    void addHeader();
    void addEntry();
    void restoreSnapshot(const ListSnapshot& records);
    void applyDrop(const DropPlan& plan, const T_EncEntry* dragged);
    void moveHeaderBefore(const T_EncEntry* dragged, const T_EncEntry* target);

    EditorContext context_;
    PictureArchive pictures_;
    std::array<TDisplayLink*, 4> links_{};
    std::array<const T_EncEntry*, 4> linkTargets_{};
    QEventLoop* parseWait_ = nullptr;
    bool shown_ = false;
    bool closing_ = false;
};

} // namespace krel
