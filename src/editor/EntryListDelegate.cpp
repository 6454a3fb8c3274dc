#include "editor/EntryListDelegate.h"

#include "editor/EntryListModel.h"
#include "skin/Skin.h"

#include <QPainter>

namespace krel {

QFont EntryListDelegate::RowFont(int kind) {
    // Every property is set, so nothing is taken over from the list's own bold font.
    QFont font = kind == ekEntry ? skin::TextFont(10) : skin::CaptionFont(12);
    font.setBold(kind != ekEntry);
    return font;
}

void EntryListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect, selected ? skin::Selection() : skin::Background());
    const QFont font = RowFont(index.data(EntryListModel::KindRole).toInt());
    const QFontMetrics metrics(font);
    const int textHeight = metrics.height();
    const int top = option.rect.top() + option.rect.height() / 2 - textHeight / 2;
    int left = option.rect.left();
    if (index.data(EntryListModel::IndentRole).toBool())
        left += kSubjectIndexIndent;
    painter->setFont(font);
    painter->setPen(selected ? skin::SelectedText() : QColor(Qt::black));
    const QRect line(left, top, option.rect.right() - left, textHeight);
    const QString text = index.data(Qt::DisplayRole).toString();
    painter->drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      metrics.elidedText(text, Qt::ElideRight, line.width()));
    painter->restore();
}

QSize EntryListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kEntryRowHeight};
}

} // namespace krel
