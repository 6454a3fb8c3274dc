#pragma once
// A list of rows that each stand for one record of the encyclopedia, drawn as one line of text,
// with a line that marks where a dragged row would land. A row holds the record's identity, so
// a record that has left the encyclopedia is found nowhere, whatever the list still shows.

#include "encyclopedia/Encyclopedia.h"

#include <QListWidget>
#include <vector>

namespace krel {

class TRecordList : public QListWidget {
    Q_OBJECT
public:
    TRecordList(int rowHeight, int indent, QWidget* parent);

    void appendRecord(const QString& text, RecordId record);
    // The record of a row; None for a row without one or a row that does not exist.
    RecordId recordAt(int row) const;
    std::vector<RecordId> records() const;
    // The row under a point of the viewport, or -1 (below the last row, for instance).
    int rowAt(const QPoint& point) const;

    // Marks the top edge of row as the landing place; -1 hides the mark.
    void setDropIndicatorRow(int row);
    int dropIndicatorRow() const { return indicatorRow_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int indicatorRow_ = -1;
};

} // namespace krel
