#include "encyclopedia/RecordIndex.h"

#include "encyclopedia/Encyclopedia.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace krel {
namespace {

constexpr size_t kSmallest = 16;

std::uint64_t foldedHash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a over the folded bytes
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        hash ^= (byte >= 'a' && byte <= 'z') ? byte - 'a' + 'A' : byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

// Slots for count records at most half full.
size_t slotsFor(size_t count) {
    return std::max(kSmallest, std::bit_ceil(2 * count));
}

} // namespace

void RecordIndex::Clear(size_t expected) {
    count_ = 0;
    slots_.assign(slotsFor(expected), nullptr);
}

void RecordIndex::Add(const T_EncEntry* record) {
    if (2 * (count_ + 1) > slots_.size())
        grow();
    size_t slot = slotFor(keyOf_(*record));
    if (slots_[slot])
        return;
    slots_[slot] = record;
    ++count_;
}

const T_EncEntry* RecordIndex::Find(std::string_view key) const {
    return slots_.empty() ? nullptr : slots_[slotFor(key)];
}

// The slot holding the key, or the free slot where it would go.
size_t RecordIndex::slotFor(std::string_view key) const {
    size_t mask = slots_.size() - 1;
    size_t slot = static_cast<size_t>(foldedHash(key)) & mask;
    while (slots_[slot] && !EqualsIgnoreCase(keyOf_(*slots_[slot]), key))
        slot = (slot + 1) & mask;
    return slot;
}

// Re-adds the records in slot order; keys are unique in the index, so which of two records
// with the same key came first is never in question here.
void RecordIndex::grow() {
    std::vector<const T_EncEntry*> old = std::move(slots_);
    Clear(old.size());
    for (const T_EncEntry* record : old)
        if (record)
            Add(record);
}

} // namespace krel
