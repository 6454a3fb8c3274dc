#pragma once
// A lookup from a key to the first record that has it, for the encyclopedia's lazily kept
// indexes. Keys are compared with ASCII letter case folded and are read from the records
// themselves, so the index holds nothing but pointers (open addressing, linear probing): it
// must be cleared when a record's key changes or a record goes away.

#include "encyclopedia/Entry.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace krel {

class RecordIndex {
public:
    using KeyOf = std::string_view (*)(const T_EncEntry& record);

    explicit RecordIndex(KeyOf keyOf) : keyOf_(keyOf) {}

    // Empties the index and makes room for expected records.
    void Clear(size_t expected = 0);
    // Adds a record unless one with the same key was added before it.
    void Add(const T_EncEntry* record);
    const T_EncEntry* Find(std::string_view key) const;

private:
    size_t slotFor(std::string_view key) const;
    void grow();

    KeyOf keyOf_;
    std::vector<const T_EncEntry*> slots_; // a power of two in size; nullptr marks a free slot
    size_t count_ = 0;
};

} // namespace krel
