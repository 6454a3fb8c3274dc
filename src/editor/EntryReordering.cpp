// Reordering the table of contents by drag and drop: entries move into or within headers,
// headers move before other headers. Each drop is one undoable step.

#include "editor/EditHistory.h"
#include "editor/EditorGuard.h"
#include "editor/EncEditorMain.h"
#include "editor/EntryListDrag.h"
#include "editor/EntryListModel.h"
#include "encyclopedia/TextFormat.h"

#include <QFrame>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>

namespace krel {
namespace {

// Inserts tag into the header's member list right after the first item equal to after.
std::string insertAfter(const std::string& content, std::string_view after,
                        const std::string& tag) {
    const size_t colon = content.find(':');
    if (colon == std::string::npos)
        return content;
    const std::string_view members = std::string_view(content).substr(colon + 1);
    CommaListReader items(members);
    while (std::optional<std::string_view> item = items.Next()) {
        if (*item != after)
            continue;
        const size_t at = colon + 1 + items.ItemEnd();
        return content.substr(0, at) + "," + BuildCommaList({tag}) + content.substr(at);
    }
    return content;
}

} // namespace

TEncEditorMain::DropPlan TEncEditorMain::PlanDrop(QPoint position) const {
    DropPlan plan;
    plan.Row = EntryListBox->indexAt(position).row();
    const T_EncEntry* target = EntryRows->Record(plan.Row);
    const T_EncEntry* dragged = DraggedRecord;
    if (!target || !dragged || target == dragged || !EntryList.Contains(dragged))
        return plan;
    if (dragged->Kind == ekEntry && target->Kind == ekHeader)
        plan.Kind = DropKind::IntoHeader;
    else if (dragged->Kind == ekEntry && target->Kind == ekEntry)
        plan.Kind = DropKind::AfterEntry;
    else if (dragged->Kind == ekHeader && target->Kind == ekHeader)
        plan.Kind = DropKind::BeforeHeader;
    else if (dragged->Kind == ekHeader && target->Kind == ekEntry) {
        target = EntryList.GetHeader(target);
        plan.Kind = target && target != dragged ? DropKind::BeforeHeader : DropKind::None;
        plan.Row = EntryRows->RowOf(target);
    }
    plan.Target = plan.Kind == DropKind::None ? nullptr : target;
    return plan;
}

void TEncEditorMain::EntryListBoxDragBegin(Qt::MouseButton button, QPoint position) {
    editorGuard("EntryListBoxMouseDown()", [&] {
        if (button == Qt::RightButton || !TOC->isChecked())
            return;
        const T_EncEntry* record = EntryRows->Record(EntryListBox->indexAt(position).row());
        if (!record)
            return;
        DragCount = 2;
        DraggedRecord = record;
    });
}

bool TEncEditorMain::EntryListBoxDragOver() const {
    return DraggedRecord != nullptr;
}

void TEncEditorMain::EntryListBoxMouseUp() {
    editorGuard("", [this] {
        if (--DragCount < 1)
            DraggedRecord = nullptr;
    });
}

void TEncEditorMain::EntryListBoxDragDrop(QPoint position) {
    editorGuard("EntryListBoxDragDrop()", [&] {
        const DropPlan plan = PlanDrop(position);
        const T_EncEntry* dragged = DraggedRecord;
        DraggedRecord = nullptr;
        if (plan.Kind == DropKind::None)
            return;
        const bool header = plan.Kind == DropKind::BeforeHeader;
        History->PushStep(header ? QStringLiteral("Move Header") : QStringLiteral("Move Entry"),
                          [&] {
                              applyDrop(plan, dragged);
                              BuildList("");
                          });
        const int row = EntryRows->RowOf(dragged);
        EntryListBox->setCurrentIndex(EntryRows->index(row));
        EntryListBox->scrollTo(EntryRows->index(row));
    });
}

void TEncEditorMain::applyDrop(const DropPlan& plan, const T_EncEntry* dragged) {
    if (plan.Kind == DropKind::BeforeHeader)
        return moveHeaderBefore(dragged, plan.Target);
    if (const T_EncEntry* from = EntryList.GetHeader(dragged))
        EntryList.RemoveEntryFromHeader(dragged, from);
    if (plan.Kind == DropKind::IntoHeader)
        return EntryList.AddEntryToHeader(dragged, plan.Target);
    if (const T_EncEntry* header = EntryList.GetHeader(plan.Target)) {
        EntryList.Modify(header, [&](T_EncEntry& edited) {
            edited.Content = insertAfter(edited.Content, plan.Target->Tag, dragged->Tag);
        });
    }
}

// The dragged header takes the target's number and every header from the target on moves one
// up; the next table of contents sorts them and numbers them 0001, 0002, ... again.
void TEncEditorMain::moveHeaderBefore(const T_EncEntry* dragged, const T_EncEntry* target) {
    const int number = HeaderNumber(target->Tag);
    EntryList.Modify(dragged, [&](T_EncEntry& edited) { edited.Tag = std::to_string(number); });
    bool reached = false;
    for (size_t i = 0; i < EntryList.Count(); ++i) {
        const T_EncEntry* header = EntryList.At(i);
        reached = reached || header == target;
        if (!reached || header == dragged || header->Kind != ekHeader)
            continue;
        const int next = HeaderNumber(header->Tag) + 1;
        EntryList.Modify(header, [&](T_EncEntry& edited) { edited.Tag = std::to_string(next); });
    }
}

EntryListDrag::EntryListDrag(TEncEditorMain& window)
    : QObject(&window), window_(window), marker_(new QFrame(window.EntryListBox->viewport())) {
    marker_->setObjectName(QStringLiteral("DropMarker"));
    marker_->setAttribute(Qt::WA_TransparentForMouseEvents);
    marker_->setStyleSheet(QStringLiteral("QFrame#DropMarker { border: 2px solid #1C3A66; }"));
    marker_->hide();
    window.EntryListBox->viewport()->installEventFilter(this);
}

bool EntryListDrag::eventFilter(QObject*, QEvent* event) {
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
bool EntryListDrag::pressed(QPoint point, Qt::MouseButton button) {
    window_.EntryListBoxDragBegin(button, point);
    pending_ = window_.EntryListBoxDragOver() && button != Qt::RightButton;
    pressPoint_ = point;
    return false;
}

bool EntryListDrag::moved(QPoint point) {
    if (!pending_)
        return false;
    dragging_ = dragging_ || (point - pressPoint_).manhattanLength() >= 1;
    if (dragging_)
        showMarker(point);
    return dragging_;
}

// A drop ends the drag; a release without a drag is a click and the list sees it.
bool EntryListDrag::released(QPoint point) {
    const bool dropped = dragging_;
    if (dropped)
        window_.EntryListBoxDragDrop(point);
    else if (pending_)
        window_.EntryListBoxMouseUp();
    end();
    return dropped;
}

void EntryListDrag::showMarker(QPoint point) {
    const TEncEditorMain::DropPlan plan = window_.PlanDrop(point);
    const QRect row = window_.EntryListBox->visualRect(window_.EntryRows->index(plan.Row));
    if (plan.Kind == TEncEditorMain::DropKind::None || !row.isValid()) {
        marker_->hide();
        return;
    }
    const int width = window_.EntryListBox->viewport()->width();
    if (plan.Kind == TEncEditorMain::DropKind::IntoHeader)
        marker_->setGeometry(0, row.top(), width, row.height());
    else if (plan.Kind == TEncEditorMain::DropKind::AfterEntry)
        marker_->setGeometry(0, row.bottom() - 1, width, 3);
    else
        marker_->setGeometry(0, row.top() - 1, width, 3);
    marker_->show();
    marker_->raise();
}

void EntryListDrag::end() {
    pending_ = false;
    dragging_ = false;
    marker_->hide();
    window_.DraggedRecord = nullptr;
}

} // namespace krel
