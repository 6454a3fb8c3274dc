#pragma once
// Reordering the table of contents by drag and drop in the editor window's list: a press on a
// row starts a pending drag, moving the pointer by a pixel with the button held starts the drag,
// and releasing it drops the dragged record on the row under the pointer: entries move into or
// within headers, headers move before other headers (encyclopedia/Edits.h), each drop one
// undoable step. While dragging, a marker shows where the record will land: a frame around a
// header that receives an entry, a line where a record will be put. The dragged record is held
// by identity, so a drag whose record has gone drops nothing.

#include "encyclopedia/Edits.h"

#include <QObject>
#include <QPoint>

class QFrame;
class QListView;

namespace krel {

class EntryBrowser;
struct EditorSession;

class EntryReordering : public QObject {
    Q_OBJECT
public:
    // Watches the list; the list's window outlives it.
    EntryReordering(EditorSession& session, EntryBrowser& browser, QListView& list);

    // The mouse pressed on the list (EntryListBoxMouseDown): starts a pending drag in the
    // table of contents with any button but the right one.
    void EntryListBoxDragBegin(Qt::MouseButton button, QPoint position);
    // Whether a drag from the list is pending.
    bool EntryListBoxDragOver() const;
    void EntryListBoxDragDrop(QPoint position);
    void EntryListBoxMouseUp();

    // What dropping the dragged record at a point would do, and the row the marker goes to.
    struct RowDrop {
        DropPlan Plan;
        int Row = -1;
    };
    RowDrop PlanDrop(QPoint position) const;

    bool dragging() const { return dragging_; }
    // The drop marker (hidden while no drop would change anything).
    const QFrame* marker() const { return marker_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool pressed(QPoint point, Qt::MouseButton button);
    bool moved(QPoint point);
    bool released(QPoint point);
    void showMarker(QPoint point);
    void end();

    EditorSession& session_;
    EntryBrowser& browser_;
    QListView& list_;
    QFrame* marker_;
    int dragCount_ = 0;                 // DragCount: mouse-ups left before a drag ends
    RecordId dragged_ = RecordId::None; // the record the pending drag began on
    QPoint pressPoint_;
    bool pending_ = false;
    bool dragging_ = false;
};

} // namespace krel
