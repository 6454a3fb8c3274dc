#pragma once
// Draws the rows of the editor window's list: headers and letters bold at 12 points, entries
// regular at 10 points (3 pixels further right in the subject index), one line vertically
// centred in a row 30 pixels high, on the list's blue or the lighter selection blue.

#include <QStyledItemDelegate>

namespace krel {

inline constexpr int kEntryRowHeight = 30;
inline constexpr int kSubjectIndexIndent = 3;

class EntryListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The font a row of this kind is drawn in.
    static QFont RowFont(int kind);
};

} // namespace krel
