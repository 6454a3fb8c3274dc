#include "dialogs/ZipListModel.h"

#include "archive/ZipNames.h"
#include "dialogs/ZipListing.h"
#include "kit/QtText.h"

namespace krel {

void TZipListModel::setRows(std::vector<const ZipDirEntry*> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

const ZipDirEntry* TZipListModel::entryAt(int row) const {
    return row >= 0 && static_cast<size_t>(row) < rows_.size() ? rows_[static_cast<size_t>(row)]
                                                               : nullptr;
}

int TZipListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TZipListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant TZipListModel::data(const QModelIndex& index, int role) const {
    const ZipDirEntry* entry = entryAt(index.row());
    if (!entry || role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return ToQt(PictureNameOf(MemberNamePart(entry->FileName)));
    case SizeColumn:
        return QString::number(entry->UncompressedSize);
    case DirColumn:
        return ToQt(DirPart(entry->FileName));
    default:
        return {};
    }
}

QVariant TZipListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const captions[] = {"   Filename", "   Size", "   Directory"};
    return section >= 0 && section < 3 ? QString::fromLatin1(captions[section]) : QVariant();
}

} // namespace krel
