#include "editor/EntryListModel.h"

#include "encyclopedia/TextFormat.h"
#include "kit/QtText.h"

namespace krel {

std::string RowText(const T_EncEntry& record) {
    if (record.Kind == ekHeader)
        return std::string(HeaderTitle(record.Content));
    return record.Title;
}

EntryListModel::EntryListModel(const Encyclopedia& encyclopedia, QObject* parent)
    : QAbstractListModel(parent), encyclopedia_(encyclopedia) {}

void EntryListModel::Rebuild(ViewMode mode, const std::function<void(RowSink&)>& fill) {
    beginResetModel();
    mode_ = mode;
    rows_.clear();
    try {
        fill(*this);
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void EntryListModel::Clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

RecordId EntryListModel::IdAt(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<size_t>(row)].Record : RecordId::None;
}

const T_EncEntry* EntryListModel::Record(int row) const {
    return encyclopedia_.Find(IdAt(row));
}

bool EntryListModel::Selectable(int row) const {
    return row >= 0 && row < rowCount() && rows_[static_cast<size_t>(row)].Selectable &&
           Record(row);
}

int EntryListModel::RowOf(RecordId record) const {
    if (record == RecordId::None)
        return -1;
    for (size_t row = 0; row < rows_.size(); ++row)
        if (rows_[row].Record == record)
            return static_cast<int>(row);
    return -1;
}

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    const T_EncEntry* record = Record(index.row());
    if (!record)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return ToQt(RowText(*record));
    case KindRole:
        return static_cast<int>(record->Kind);
    case IndentRole:
        return record->Kind == ekEntry && mode_ == ViewMode::SubjectIndex;
    default:
        return {};
    }
}

Qt::ItemFlags EntryListModel::flags(const QModelIndex& index) const {
    if (!Selectable(index.row()))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void EntryListModel::ClearRows() {
    rows_.clear();
}

void EntryListModel::AddRow(const T_EncEntry* record, bool selectable) {
    rows_.push_back({encyclopedia_.IdOf(record), selectable});
}

} // namespace krel
