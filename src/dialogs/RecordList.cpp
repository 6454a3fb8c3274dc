#include "dialogs/RecordList.h"

#include "dialogs/RowDelegate.h"

#include <QPainter>

namespace krel {

TRecordList::TRecordList(int rowHeight, int indent, QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TRowDelegate(rowHeight, indent, this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TRecordList::appendRecord(const QString& text, RecordId record) {
    auto* item = new QListWidgetItem(text, this);
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<quint64>(record)));
}

RecordId TRecordList::recordAt(int row) const {
    const QListWidgetItem* found = item(row);
    return found ? static_cast<RecordId>(found->data(Qt::UserRole).value<quint64>())
                 : RecordId::None;
}

std::vector<RecordId> TRecordList::records() const {
    std::vector<RecordId> all;
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
