#include "dialogs/RowDelegate.h"

#include "skin/Skin.h"

#include <QPainter>

namespace krel {

TRowDelegate::TRowDelegate(int rowHeight, int indent, QObject* parent)
    : QStyledItemDelegate(parent), rowHeight_(rowHeight), indent_(indent) {}

void TRowDelegate::setColumnIndent(int column, int indent) {
    while (columnIndents_.size() <= column)
        columnIndents_.append(indent_);
    columnIndents_[column] = indent;
}

int TRowDelegate::indentOf(int column) const {
    return column < columnIndents_.size() ? columnIndents_[column] : indent_;
}

void PaintRowBackground(QPainter* painter, const QStyleOptionViewItem& option) {
    if (option.state & QStyle::State_Selected)
        painter->fillRect(option.rect, skin::Selection());
}

void TRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    painter->save();
    PaintRowBackground(painter, option);
    painter->setFont(option.font);
    painter->setPen(option.state & QStyle::State_Selected ? skin::SelectedText() : skin::Text());
    QRect text = option.rect.adjusted(indentOf(index.column()), 0, -1, 0);
    painter->setClipRect(option.rect.adjusted(0, 0, -1, 0));
    painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize TRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), rowHeight_);
}

} // namespace krel
