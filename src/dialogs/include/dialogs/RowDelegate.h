#pragma once
// Draws the rows of the dialogs' lists: in each column one line of text at the row's top,
// indented by a few pixels and clipped short of the next column, on the list's normal or
// selected background, every row the same height.

#include <QStyledItemDelegate>

namespace krel {

class TRowDelegate : public QStyledItemDelegate {
public:
    TRowDelegate(int rowHeight, int indent, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    int rowHeight() const { return rowHeight_; }
    // Gives one column an indent of its own (the others keep the one given at construction).
    void setColumnIndent(int column, int indent);

private:
    int indentOf(int column) const;

    int rowHeight_;
    int indent_;
    QList<int> columnIndents_;
};

// Paints the background of a row: the selection colour when selected, else nothing.
void PaintRowBackground(QPainter* painter, const QStyleOptionViewItem& option);

} // namespace krel
