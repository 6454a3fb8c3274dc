#pragma once
// What a ListChange holds, step by step: each step is what one change to the list needs to be
// undone and redone.

#include "encyclopedia/Encyclopedia.h"
#include "encyclopedia/ListChange.h"

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace krel {

// A record's value and Other are swapped by undo and by redo alike.
struct ValueStep {
    RecordId Id;
    std::unique_ptr<T_EncEntry> Other;
};

// A record that entered (Added) or left the list at Index; Held keeps it while it is out.
struct PresenceStep {
    RecordId Id;
    size_t Index;
    bool Added;
    std::unique_ptr<T_EncEntry> Held;
};

// A sort: the sorted list is these runs of consecutive positions of the list before it, in
// order. A sort after a few changes moves few records, so it keeps few runs.
struct OrderRun {
    std::uint32_t From;
    std::uint32_t Length;
};
struct OrderStep {
    std::vector<OrderRun> Runs;
};

// A replacement of the whole list: the other list, with its records' identities.
struct ListStep {
    Encyclopedia::EntryList Other;
    std::vector<RecordId> Ids;
};

struct ListChange::Step {
    std::variant<ValueStep, PresenceStep, OrderStep, ListStep> What;
};

} // namespace krel
