#include "editor/EntryListModel.h"

#include "encyclopedia/TextFormat.h"
#include "kit/QtText.h"

#include <algorithm>

namespace krel {

std::string RowText(const T_EncEntry& record) {
    if (record.Kind == ekHeader)
        return std::string(HeaderTitle(record.Content));
    return record.Title;
}

EntryListModel::EntryListModel(const Encyclopedia& encyclopedia, QObject* parent)
    : QAbstractListModel(parent), encyclopedia_(encyclopedia) {}

void EntryListModel::Rebuild(ViewMode mode, const std::function<void(RowSink&)>& fill) {
    built_.clear();
    try {
        fill(*this);
    } catch (...) {
        replaceAll(mode);
        throw;
    }
    if (mode != mode_ || !update())
        replaceAll(mode);
}

void EntryListModel::Clear() {
    built_.clear();
    replaceAll(mode_);
}

void EntryListModel::replaceAll(ViewMode mode) {
    beginResetModel();
    mode_ = mode;
    rows_ = std::move(built_);
    built_.clear();
    endResetModel();
}

// The rows both lists share at their beginning and at their end stay; those between go and the
// new ones come in their place. Every row is then redrawn, since its record may have another
// title now. False, with nothing done, when most rows would go.
bool EntryListModel::update() {
    const size_t shorter = std::min(rows_.size(), built_.size());
    size_t same = 0;
    while (same < shorter && rows_[same] == built_[same])
        ++same;
    size_t sameEnd = 0;
    while (sameEnd < shorter - same &&
           rows_[rows_.size() - 1 - sameEnd] == built_[built_.size() - 1 - sameEnd])
        ++sameEnd;
    const size_t going = rows_.size() - same - sameEnd;
    const size_t coming = built_.size() - same - sameEnd;
    if (going + coming > std::max(rows_.size(), built_.size()) / 2)
        return false;
    const auto first = static_cast<int>(same);
    if (going > 0) {
        beginRemoveRows({}, first, first + static_cast<int>(going) - 1);
        rows_.erase(rows_.begin() + first, rows_.begin() + first + static_cast<long>(going));
        endRemoveRows();
    }
    if (coming > 0) {
        beginInsertRows({}, first, first + static_cast<int>(coming) - 1);
        rows_.insert(rows_.begin() + first, built_.begin() + first,
                     built_.begin() + first + static_cast<long>(coming));
        endInsertRows();
    }
    built_.clear();
    if (!rows_.empty())
        emit dataChanged(index(0), index(rowCount() - 1));
    return true;
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
    built_.clear();
}

void EntryListModel::AddRow(const T_EncEntry* record, bool selectable) {
    built_.push_back({encyclopedia_.IdOf(record), selectable});
}

} // namespace krel
