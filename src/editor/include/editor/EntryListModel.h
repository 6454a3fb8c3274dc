#pragma once
// The rows of the editor window's list: each holds the identity of one record of the
// encyclopedia and says whether it can be selected. A row whose record has left the
// encyclopedia shows nothing and refers to nothing until the next build. The index builders
// fill it through RowSink; a whole build is one model reset, with no signal per row, so views of
// tens of thousands of rows come up at once.

#include "encyclopedia/Indexes.h"

#include <QAbstractListModel>
#include <functional>
#include <vector>

namespace krel {

class EntryListModel : public QAbstractListModel, public RowSink {
    Q_OBJECT
public:
    enum Role { KindRole = Qt::UserRole + 1, IndentRole };

    EntryListModel(const Encyclopedia& encyclopedia, QObject* parent);

    // Runs fill inside one reset; mode decides how the rows are drawn. When fill fails, the rows
    // it added so far stay and the failure goes on.
    void Rebuild(ViewMode mode, const std::function<void(RowSink&)>& fill);
    // Drops every row.
    void Clear();

    RecordId IdAt(int row) const;
    // The record of a row; nullptr for no row or a record that has gone.
    const T_EncEntry* Record(int row) const;
    // Whether a row can be chosen: not a letter of the subject index, nor a record that has gone.
    bool Selectable(int row) const;
    // The first row referring to the record, or -1.
    int RowOf(RecordId record) const;
    ViewMode Mode() const { return mode_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void ClearRows() override;
    void AddRow(const T_EncEntry* record, bool selectable) override;

private:
    struct Row {
        RecordId Record;
        bool Selectable;
    };
    const Encyclopedia& encyclopedia_;
    std::vector<Row> rows_;
    ViewMode mode_ = ViewMode::TableOfContents;
};

// The text a row shows: a header's title, an entry's title, a letter row's letter.
std::string RowText(const T_EncEntry& record);

} // namespace krel
