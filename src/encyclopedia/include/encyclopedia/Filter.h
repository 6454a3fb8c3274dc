#pragma once
// Filter as you type: the table of contents or the subject index narrowed to the rows whose
// titles contain a text, letter case ignored for every Windows-1252 letter (é finds É). Each
// row kept stays under its header or letter row, so the user still sees where it belongs.

#include "encyclopedia/Encyclopedia.h"
#include "encyclopedia/Indexes.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

// The rows of one view, kept with their titles folded, so that a keystroke narrows them
// without building the view again or reading the records. The rows refer to the records of
// the encyclopedia: build the view again after every change to it, as the window rebuilds its
// list then anyway.
class FilterableView {
public:
    // Builds the view of the mode as BuildList does, without its log lines. Fails as the
    // view's builder does, chained as "Build()\r...".
    void Build(Encyclopedia& encyclopedia, ViewMode mode, std::string_view searchText = {});

    // Clears rows and gives it the rows kept for the text: an entry row whose title contains
    // it, with the header or letter row above it; a header whose own title contains it with
    // all its members. The search view is narrowed row by row. The empty text keeps every row.
    void Narrow(std::string_view filterText, RowSink& rows) const;

private:
    // A group's head is held back until a row of its group is kept; a header can also keep its
    // whole group, a letter cannot.
    enum class Role : unsigned char { Member, HeaderHead, LetterHead };

    struct Row {
        const T_EncEntry* Record = nullptr;
        bool Selectable = true;
        Role Kind = Role::Member;
        size_t TitleStart = 0; // the folded title in titles_
        size_t TitleLength = 0;
    };

    friend class ViewRecorder;
    bool contains(const Row& row, std::string_view folded) const;

    std::vector<Row> rows_;
    std::string titles_;
};

} // namespace krel
