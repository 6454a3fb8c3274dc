#pragma once
// The sort order of ReorderEncyclopedia and of the merge as a key per record: what
// CompareEncEntries compares, with each header number read once (which also checks every header
// tag before anything is moved) and titles mostly told apart by their first sixteen bytes.
// Records with equal keys keep their order through their position, as a stable sort would.

#include "encyclopedia/Encyclopedia.h"

#include <cstdint>
#include <string_view>

namespace krel {

struct SortKey {
    T_EntryKind Kind;
    int Number;
    std::uint64_t Prefix;   // the title's first eight bytes
    std::uint64_t Prefix2;  // and the next eight
    std::string_view Title; // points into the record
    size_t Index;

    bool operator<(const SortKey& other) const {
        if (Kind != other.Kind)
            return Kind < other.Kind;
        if (Kind == ekHeader && Number != other.Number)
            return Number < other.Number;
        if (Kind != ekHeader && Prefix != other.Prefix)
            return Prefix < other.Prefix;
        if (Kind != ekHeader && Prefix2 != other.Prefix2)
            return Prefix2 < other.Prefix2;
        int titles = Kind == ekHeader ? 0 : Title.compare(other.Title);
        return titles != 0 ? titles < 0 : Index < other.Index;
    }
};

// The key of a record standing at index. Throws std::invalid_argument for a header whose tag is
// not a decimal integer.
SortKey SortKeyOf(const T_EncEntry& record, size_t index);

} // namespace krel
