#include "encyclopedia/Filter.h"

#include "encyclopedia/Errors.h"
#include "encyclopedia/Letters.h"
#include "encyclopedia/TextFormat.h"
#include "encyclopedia/TocLayout.h"

namespace krel {

// Records the rows of a view as a builder gives them, telling the heads of groups from their
// members: in the table of contents a header listed as a member of another looks like a head,
// so each head's member rows are counted; in the subject index the letter rows, the only rows
// that cannot be selected, are the heads; the search view has none.
class ViewRecorder : public RowSink {
public:
    ViewRecorder(const Encyclopedia& book, ViewMode mode, FilterableView& view)
        : book_(book), mode_(mode), view_(view) {}

    void ClearRows() override {
        view_.rows_.clear();
        view_.titles_.clear();
        membersLeft_ = 0;
    }

    void AddRow(const T_EncEntry* record, bool selectable) override {
        using Role = FilterableView::Role;
        Role role = Role::Member;
        if (mode_ == ViewMode::TableOfContents && membersLeft_ == 0) {
            role = Role::HeaderHead;
            membersLeft_ = MemberRowCount(book_, *record);
        } else if (mode_ == ViewMode::TableOfContents) {
            --membersLeft_;
        } else if (mode_ == ViewMode::SubjectIndex && !selectable) {
            role = Role::LetterHead;
        }
        std::string_view title = record->Kind == ekHeader ? HeaderTitle(record->Content)
                                                          : std::string_view(record->Title);
        view_.rows_.push_back({record, selectable, role, view_.titles_.size(), title.size()});
        for (char c : title)
            view_.titles_.push_back(capitals_[static_cast<unsigned char>(c)]);
    }

private:
    const Encyclopedia& book_;
    ViewMode mode_;
    FilterableView& view_;
    size_t membersLeft_ = 0;
    const std::array<char, 256>& capitals_ = Cp1252Capitals();
};

void FilterableView::Build(Encyclopedia& encyclopedia, ViewMode mode, std::string_view searchText) {
    guarded<EEncEditorError>("Build()", [&] {
        ViewRecorder recorder(encyclopedia, mode, *this);
        if (mode == ViewMode::TableOfContents)
            BuildTOC(encyclopedia, recorder, {});
        else if (mode == ViewMode::SubjectIndex)
            BuildSubjectIndex(encyclopedia, recorder, {});
        else
            BuildKeyword(encyclopedia, searchText, recorder);
    });
}

void FilterableView::Narrow(std::string_view filterText, RowSink& rows) const {
    std::string folded = FoldCp1252Case(filterText);
    rows.ClearRows();
    const Row* heldHead = nullptr;
    bool wholeGroup = false;
    for (const Row& row : rows_) {
        if (row.Kind != Role::Member) {
            wholeGroup = row.Kind == Role::HeaderHead && contains(row, folded);
            heldHead = wholeGroup ? nullptr : &row;
            if (wholeGroup)
                rows.AddRow(row.Record, row.Selectable);
        } else if (wholeGroup || contains(row, folded)) {
            if (heldHead)
                rows.AddRow(heldHead->Record, heldHead->Selectable);
            heldHead = nullptr;
            rows.AddRow(row.Record, row.Selectable);
        }
    }
}

bool FilterableView::contains(const Row& row, std::string_view folded) const {
    return std::string_view(titles_).substr(row.TitleStart, row.TitleLength).find(folded) !=
           std::string_view::npos;
}

} // namespace krel
