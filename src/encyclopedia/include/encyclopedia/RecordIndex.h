#pragma once
// A lookup from a key to the first record that has it, for the encyclopedia's lazily kept
// indexes. Keys are compared with ASCII letter case folded and are read from the records
// themselves (open addressing, linear probing). Records are added in list order. While no two
// records share a key the index can follow a record that goes away or changes its key (Erase,
// then Add); once two do, only a rebuild knows which comes first after such a change.

#include "encyclopedia/Entry.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace krel {

class RecordIndex {
public:
    using KeyOf = std::string_view (*)(const T_EncEntry& record);

    explicit RecordIndex(KeyOf keyOf) : keyOf_(keyOf) {}

    // Empties the index and makes room for expected records.
    void Clear(size_t expected = 0);
    // Adds a record unless one with the same key was added before it (then returns false and
    // the index no longer has unique keys).
    bool Add(const T_EncEntry* record);
    // Takes a record out, read by the key it was added with; nothing when another record
    // answers for that key.
    void Erase(const T_EncEntry* record);
    const T_EncEntry* Find(std::string_view key) const;
    // No two records added since the last Clear had the same key.
    bool Unique() const { return duplicates_ == 0; }

private:
    // The record and a signature of its key: short keys whole, so that most probes never
    // have to read a record.
    struct Slot {
        const T_EncEntry* Record = nullptr;
        std::uint64_t Signature = 0;
    };

    size_t slotFor(std::string_view key, std::uint64_t signature) const;
    size_t homeOf(const Slot& slot) const;
    void place(const Slot& slot);
    void grow();

    KeyOf keyOf_;
    std::vector<Slot> slots_; // a power of two in size; a slot without a record is free
    size_t count_ = 0;
    size_t duplicates_ = 0;
};

} // namespace krel
