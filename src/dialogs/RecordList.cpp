#include "dialogs/RecordList.h"

#include "dialogs/RowDelegate.h"

#include <QPainter>

namespace krel {

TRecordList::TRecordList(int rowHeight, int indent, QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TRowDelegate(rowHeight, indent, this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TRecordList::appendRecord(const QString& text, const T_EncEntry* record) {
    auto* item = new QListWidgetItem(text, this);
    item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(record)));
}

const T_EncEntry* TRecordList::recordAt(int row) const {
    const QListWidgetItem* found = item(row);
    if (!found)
        return nullptr;
    return reinterpret_cast<const T_EncEntry*>(found->data(Qt::UserRole).value<quintptr>());
}

std::vector<const T_EncEntry*> TRecordList::records() const {
    std::vector<const T_EncEntry*> all;
    all.reserve(static_cast<size_t>(count()));
    for (int row = 0; row < count(); ++row)
        all.push_back(recordAt(row));
    return all;
}

int TRecordList::rowAt(const QPoint& point) const {
    return indexAt(point).row();
}

void TRecordList::setDropIndicatorRow(int row) {
    if (row == indicatorRow_)
        return;
    indicatorRow_ = row;
    viewport()->update();
}

void TRecordList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    QListWidgetItem* target = item(indicatorRow_);
    if (!target)
        return;
    QRect row = visualItemRect(target);
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Text), 2));
    painter.drawLine(row.left() + 1, row.top() + 1, row.right() - 1, row.top() + 1);
}

} // namespace krel
