#pragma once
// Where the table of contents of an encyclopedia shows each record, worked out without
// reordering the encyclopedia (building the table of contents sorts and renumbers it).

#include "encyclopedia/Encyclopedia.h"

#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace krel {

class TocLayout {
public:
    // A member row: the header (an index into Headers()) and the row among its members, from 0.
    struct Spot {
        size_t Header = 0;
        size_t Row = 0;
    };

    explicit TocLayout(const Encyclopedia& book);

    // The headers in the order the table of contents shows them: by number, equal numbers in
    // list order, and after them those whose number is not a number, in list order.
    const std::vector<const T_EncEntry*>& Headers() const { return headers_; }
    // A header's member items, letter case folded as tags are compared, including items that
    // name no record (which show no row).
    const std::vector<std::string>& MemberKeys(size_t header) const { return memberKeys_[header]; }
    // The member rows that show an entry. Empty for an entry no header lists, and for every
    // entry but the first of a repeated tag, since a member row shows the first record.
    std::span<const Spot> SpotsOf(const T_EncEntry* entry) const;

private:
    void addMembers(const Encyclopedia& book, size_t header);

    std::vector<const T_EncEntry*> headers_;
    std::vector<std::vector<std::string>> memberKeys_;
    // Sorted by entry, each entry's spots in header order: one array, not a list per entry.
    std::vector<const T_EncEntry*> spotEntries_;
    std::vector<Spot> spots_;
};

// The number of member rows the table of contents shows under a header: one for each member
// item that names a record of any kind. The rows alone cannot tell a header that heads a group
// from a header listed as a member; this count can.
size_t MemberRowCount(const Encyclopedia& book, const T_EncEntry& header);

} // namespace krel
