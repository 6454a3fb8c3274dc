#include "editor/EntryReordering.h"

#include "editor/EditHistory.h"
#include "editor/EditorGuard.h"
#include "editor/EditorSession.h"
#include "editor/EntryBrowser.h"
#include "editor/EntryListModel.h"

#include <QFrame>
#include <QListView>
#include <QMouseEvent>

namespace krel {

EntryReordering::EntryReordering(EditorSession& session, EntryBrowser& browser, QListView& list)
    : session_(session), browser_(browser), list_(list), marker_(new QFrame(list.viewport())) {
    marker_->setObjectName(QStringLiteral("DropMarker"));
    marker_->setAttribute(Qt::WA_TransparentForMouseEvents);
    marker_->setStyleSheet(QStringLiteral("QFrame#DropMarker { border: 2px solid #1C3A66; }"));
    marker_->hide();
    list.viewport()->installEventFilter(this);
}

EntryReordering::RowDrop EntryReordering::PlanDrop(QPoint position) const {
    const EntryListModel& rows = browser_.Rows();
    RowDrop drop;
    drop.Row = list_.indexAt(position).row();
    const T_EncEntry* target = rows.Record(drop.Row);
    drop.Plan = krel::PlanDrop(session_.Records, session_.Records.Find(dragged_), target);
    if (drop.Plan.Target != target)
        drop.Row = rows.RowOf(session_.Records.IdOf(drop.Plan.Target));
    return drop;
}

void EntryReordering::EntryListBoxDragBegin(Qt::MouseButton button, QPoint position) {
    editorGuard("EntryListBoxMouseDown()", [&] {
        if (button == Qt::RightButton || browser_.CurrentMode() != ViewMode::TableOfContents)
            return;
        const EntryListModel& rows = browser_.Rows();
        const int row = list_.indexAt(position).row();
        if (!rows.Record(row))
            return;
        dragCount_ = 2;
        dragged_ = rows.IdAt(row);
    });
}

bool EntryReordering::EntryListBoxDragOver() const {
    return dragged_ != RecordId::None;
}

void EntryReordering::EntryListBoxMouseUp() {
    editorGuard("", [this] {
        if (--dragCount_ < 1)
            dragged_ = RecordId::None;
    });
}

void EntryReordering::EntryListBoxDragDrop(QPoint position) {
    editorGuard("EntryListBoxDragDrop()", [&] {
        const RowDrop drop = PlanDrop(position);
        const RecordId dragged = dragged_;
        dragged_ = RecordId::None;
        if (drop.Plan.Kind == DropKind::None)
            return;
        const bool header = drop.Plan.Kind == DropKind::BeforeHeader;
        session_.History->PushStep(
            header ? QStringLiteral("Move Header") : QStringLiteral("Move Entry"), [&] {
                ApplyDrop(session_.Records, session_.Records.Find(dragged), drop.Plan);
                browser_.BuildList("");
            });
        const QModelIndex index = browser_.Rows().index(browser_.Rows().RowOf(dragged));
        list_.setCurrentIndex(index);
        list_.scrollTo(index);
    });
}

bool EntryReordering::eventFilter(QObject*, QEvent* event) {
    auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (!mouse)
        return false;
    const QPoint point = mouse->position().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return pressed(point, mouse->button());
    case QEvent::MouseMove:
        return (mouse->buttons() & ~Qt::RightButton) && moved(point);
    case QEvent::MouseButtonRelease:
        return released(point);
    default:
        return false;
    }
}

// The press goes on to the list as well, so a plain click still selects its row.
bool EntryReordering::pressed(QPoint point, Qt::MouseButton button) {
    EntryListBoxDragBegin(button, point);
    pending_ = EntryListBoxDragOver() && button != Qt::RightButton;
    pressPoint_ = point;
    return false;
}

bool EntryReordering::moved(QPoint point) {
    if (!pending_)
        return false;
    dragging_ = dragging_ || (point - pressPoint_).manhattanLength() >= 1;
    if (dragging_)
        showMarker(point);
    return dragging_;
}

// A drop ends the drag; a release without a drag is a click and the list sees it.
bool EntryReordering::released(QPoint point) {
    const bool dropped = dragging_;
    if (dropped)
        EntryListBoxDragDrop(point);
    else if (pending_)
        EntryListBoxMouseUp();
    end();
    return dropped;
}

void EntryReordering::showMarker(QPoint point) {
    const RowDrop drop = PlanDrop(point);
    const QRect row = list_.visualRect(browser_.Rows().index(drop.Row));
    if (drop.Plan.Kind == DropKind::None || !row.isValid()) {
        marker_->hide();
        return;
    }
    const int width = list_.viewport()->width();
    if (drop.Plan.Kind == DropKind::IntoHeader)
        marker_->setGeometry(0, row.top(), width, row.height());
    else if (drop.Plan.Kind == DropKind::AfterEntry)
        marker_->setGeometry(0, row.bottom() - 1, width, 3);
    else
        marker_->setGeometry(0, row.top() - 1, width, 3);
    marker_->show();
    marker_->raise();
}

void EntryReordering::end() {
    pending_ = false;
    dragging_ = false;
    marker_->hide();
    dragged_ = RecordId::None;
}

} // namespace krel
