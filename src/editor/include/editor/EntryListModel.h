#pragma once
// The rows of the editor window's list: each refers to one record of the encyclopedia and says
// whether it can be selected. The index builders fill it through RowSink; a whole build is one
// model reset, with no signal per row, so views of tens of thousands of rows come up at once.

#include "encyclopedia/Indexes.h"

#include <QAbstractListModel>
#include <functional>
#include <vector>

namespace krel {

class EntryListModel : public QAbstractListModel, public RowSink {
    Q_OBJECT
public:
    enum Role { KindRole = Qt::UserRole + 1, IndentRole };

    using QAbstractListModel::QAbstractListModel;

    // Runs fill inside one reset; mode decides how the rows are drawn. When fill fails, the rows
    // it added so far stay and the failure goes on.
    void Rebuild(ViewMode mode, const std::function<void(RowSink&)>& fill);
    // Drops every row (before the records they refer to are released).
    void Clear();

    const T_EncEntry* Record(int row) const;
    bool Selectable(int row) const;
    // The first row referring to record, or -1.
    int RowOf(const T_EncEntry* record) const;
    ViewMode Mode() const { return mode_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void ClearRows() override;
    void AddRow(const T_EncEntry* record, bool selectable) override;

private:
    struct Row {
        const T_EncEntry* Record;
        bool Selectable;
    };
    std::vector<Row> rows_;
    ViewMode mode_ = ViewMode::TableOfContents;
};

// The text a row shows: a header's title, an entry's title, a letter row's letter.
std::string RowText(const T_EncEntry& record);

} // namespace krel
