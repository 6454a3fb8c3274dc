#pragma once
// Drag and drop inside the editor window's list: a press on a row starts a pending drag, moving
// the pointer by a pixel with the button held starts the drag, and releasing it drops the
// dragged record on the row under the pointer. While dragging, a marker shows where the record
// will land: a frame around a header that receives an entry, a line where a record will be put.

#include <QObject>
#include <QPoint>

class QFrame;

namespace krel {

class TEncEditorMain;

class EntryListDrag : public QObject {
    Q_OBJECT
public:
    // Watches the window's list; owned by the window.
    explicit EntryListDrag(TEncEditorMain& window);

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

    TEncEditorMain& window_;
    QFrame* marker_;
    QPoint pressPoint_;
    bool pending_ = false;
    bool dragging_ = false;
};

} // namespace krel
