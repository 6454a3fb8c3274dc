#pragma once
// Browsing the encyclopedia in the editor window: the list in its three views (table of
// contents, subject index, keyword search), the entry on display with its picture, text and
// related links, and the list's context menus. It holds records only by identity: the record on
// display and the links' targets are looked up when used, so a record that has gone is simply
// not found.

#include "editor/EditorControls.h"
#include "editor/PictureArchive.h"
#include "encyclopedia/Indexes.h"

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <array>
#include <string>

class QImage;

namespace krel {

class EntryListModel;
class ListFilter;
struct EditorSession;

class EntryBrowser : public QObject {
    Q_OBJECT
public:
    // Takes up its controls in the session's window, which outlives it.
    EntryBrowser(EditorSession& session, const EditorControls& controls);

    void TOCClick();
    void SubjectIndexClick();
    void FindClick();
    void FindTextKeyDown();
    void EntryListBoxItemClick(int row);
    // The list's current row moved (by mouse or keyboard): its entry is shown, the picture once
    // the row rests.
    void CurrentRowChanged(int row);
    // Reads the picture of the entry on display now, when it is still waiting.
    void ShowPendingPicture();
    void LinkClick(int link);
    void EntryImageDblClick();
    void EntryListBoxMouseDown(Qt::MouseButton button, QPoint position, QPoint screenPosition);
    enum class PictureTiming { Now, Later };
    // Shows an entry; anything else (a header, a letter row, nothing) shows the default page.
    // Its picture is read at once, or (Later) once the selection has rested a moment.
    void SelectEntry(const T_EncEntry* record, PictureTiming picture = PictureTiming::Now);
    // Says what the last command did, in the window's status bar.
    void SetStatus(const std::string& text);

    // The mode the check buttons stand for.
    ViewMode CurrentMode() const;
    // Rebuilds the list for the current mode.
    void BuildList(const std::string& searchText);
    // The rows of the list.
    EntryListModel& Rows() const { return *rows_; }

    // The record on display (CurrentEntry), or nullptr.
    const T_EncEntry* CurrentEntry() const;
    // The record of the selected row, or nullptr.
    const T_EncEntry* SelectedRecord() const;
    // The record a link refers to, or nullptr.
    const T_EncEntry* LinkTarget(int link) const;
    // The picture on display.
    const QImage& Picture() const;
    // The picture archive reader (its directory stays listed between selections).
    const PictureArchive& Pictures() const { return pictures_; }

    // After the records changed: the display falls back to the default page when its record has
    // gone, and links whose records have gone are emptied.
    void RecordsChanged();
    // Shows the record on display afresh (the default page when it is gone).
    void ShowAgain();
    // Shows the entry with this tag afresh, selecting its row, when the current view lists it.
    void ShowEdited(const std::string& tag);
    // Empties the list and the display before the records are replaced by a load.
    void Forget();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    void show(const T_EncEntry* record, bool keepPicture, PictureTiming picture);
    void setViewButtons(bool toc, bool subjectIndex);
    void schedulePicture();
    void clearDisplay();
    void clearLink(size_t link);
    void showPicture(const T_EncEntry& record);
    void keepShownPicture(const T_EncEntry& record, const QImage& picture);
    void showLinks(const T_EncEntry& record);

    EditorSession& session_;
    EditorControls controls_;
    EntryListModel* rows_;
    ListFilter* filter_;
    PictureArchive pictures_;
    RecordId current_ = RecordId::None;
    // The picture name of the record on display, once its picture is shown.
    std::string pictureShown_;
    std::array<RecordId, 4> linkTargets_{};
    QTimer pictureTimer_;
    bool picturePending_ = false;
    // The mouse button held on the list, if any: it tells a click from a key.
    Qt::MouseButton pressed_ = Qt::NoButton;
};

} // namespace krel
