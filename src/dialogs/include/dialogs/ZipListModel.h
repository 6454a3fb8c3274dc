#pragma once
// The graphic browser's rows: one per listed archive member, in three columns (the file name
// without its final ".png", the size in bytes, the folder). Rows refer to the ZIP component's
// own directory entries, so the model is refilled whenever that list is re-ordered.

#include "archive/ZipTypes.h"

#include <QAbstractTableModel>
#include <vector>

namespace krel {

class TZipListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn = 0, SizeColumn = 1, DirColumn = 2 };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<const ZipDirEntry*> rows);
    const ZipDirEntry* entryAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<const ZipDirEntry*> rows_;
};

} // namespace krel
