#include "encyclopedia/RecordIndex.h"

#include "encyclopedia/Encyclopedia.h"

#include <algorithm>
#include <bit>

namespace krel {
namespace {

constexpr size_t kSmallest = 16;
constexpr std::uint64_t kHashed = 1ull << 63;

unsigned char folded(char c) {
    auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

// A key of up to seven bytes is its length followed by its folded bytes, which tells any two
// such keys apart exactly (the top bit stays clear); a longer key is its folded FNV-1a hash
// with the top bit set, and equal signatures then still need the keys compared.
std::uint64_t signatureOf(std::string_view key) {
    if (key.size() <= 7) {
        std::uint64_t packed = key.size();
        for (char c : key)
            packed = (packed << 8) | folded(c);
        return packed;
    }
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : key) {
        hash ^= folded(c);
        hash *= 1099511628211ull;
    }
    return hash | kHashed;
}

size_t firstSlot(std::uint64_t signature, size_t mask) {
    return static_cast<size_t>((signature * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

// Slots for count records at most half full.
size_t slotsFor(size_t count) {
    return std::max(kSmallest, std::bit_ceil(2 * count));
}

} // namespace

void RecordIndex::Clear(size_t expected) {
    count_ = 0;
    duplicates_ = 0;
    slots_.assign(slotsFor(expected), Slot{});
}

bool RecordIndex::Add(const T_EncEntry* record) {
    if (2 * (count_ + 1) > slots_.size())
        grow();
    std::string_view key = keyOf_(*record);
    std::uint64_t signature = signatureOf(key);
    Slot& slot = slots_[slotFor(key, signature)];
    if (slot.Record) {
        ++duplicates_;
        return false;
    }
    slot = {record, signature};
    ++count_;
    return true;
}

// Empties the record's slot, then moves each record of the probe run behind it that may live
// there back into the gap, so that every record stays reachable from its home slot.
void RecordIndex::Erase(const T_EncEntry* record) {
    if (slots_.empty())
        return;
    std::string_view key = keyOf_(*record);
    size_t gap = slotFor(key, signatureOf(key));
    if (slots_[gap].Record != record)
        return;
    const size_t mask = slots_.size() - 1;
    slots_[gap] = Slot{};
    --count_;
    for (size_t next = (gap + 1) & mask; slots_[next].Record; next = (next + 1) & mask) {
        const size_t home = homeOf(slots_[next]);
        // The record may fill the gap when its home does not lie after the gap on its run.
        if (((next - home) & mask) >= ((next - gap) & mask)) {
            slots_[gap] = slots_[next];
            slots_[next] = Slot{};
            gap = next;
        }
    }
}

const T_EncEntry* RecordIndex::Find(std::string_view key) const {
    return slots_.empty() ? nullptr : slots_[slotFor(key, signatureOf(key))].Record;
}

// The slot holding the key, or the free slot where it would go.
size_t RecordIndex::slotFor(std::string_view key, std::uint64_t signature) const {
    size_t mask = slots_.size() - 1;
    for (size_t slot = firstSlot(signature, mask);; slot = (slot + 1) & mask) {
        const Slot& candidate = slots_[slot];
        if (!candidate.Record)
            return slot;
        if (candidate.Signature == signature &&
            (!(signature & kHashed) || EqualsIgnoreCase(keyOf_(*candidate.Record), key)))
            return slot;
    }
}

size_t RecordIndex::homeOf(const Slot& slot) const {
    return firstSlot(slot.Signature, slots_.size() - 1);
}

// Puts a slot of an index being rebuilt into the first free slot from its home.
void RecordIndex::place(const Slot& slot) {
    const size_t mask = slots_.size() - 1;
    size_t at = homeOf(slot);
    while (slots_[at].Record)
        at = (at + 1) & mask;
    slots_[at] = slot;
}

// Moves the slots over in slot order; keys are unique in the index, so which of two records
// with the same key came first is never in question here.
void RecordIndex::grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slotsFor(old.size()), Slot{});
    for (const Slot& slot : old)
        if (slot.Record)
            place(slot);
}

} // namespace krel
