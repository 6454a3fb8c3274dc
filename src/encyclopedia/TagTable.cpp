#include "encyclopedia/TagTable.h"

#include <bit>

namespace krel {

std::uint64_t TagTable::KeyOf(std::string_view tag) {
    std::uint64_t key = tag.size();
    for (char c : tag.substr(0, 7)) {
        auto byte = static_cast<unsigned char>(c);
        key = (key << 8) | ((byte >= 'a' && byte <= 'z') ? byte - 'a' + 'A' : byte);
    }
    return key;
}

void TagTable::Reserve(size_t expected) {
    if (2 * expected <= slots_.size())
        return;
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::bit_ceil(2 * expected), Slot{});
    count_ = 0;
    for (const Slot& slot : old)
        if (slot.Position != npos)
            Add(slot.Key, slot.Position);
}

size_t TagTable::Find(std::uint64_t key) const {
    return slots_[slotFor(key)].Position;
}

bool TagTable::Add(std::uint64_t key, size_t position) {
    if (2 * (count_ + 1) > slots_.size())
        grow();
    Slot& slot = slots_[slotFor(key)];
    if (slot.Position != npos)
        return false;
    slot = {key, position};
    ++count_;
    return true;
}

// The slot holding the key, or the free slot where it would go.
size_t TagTable::slotFor(std::uint64_t key) const {
    size_t mask = slots_.size() - 1;
    size_t slot = static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
    while (slots_[slot].Position != npos && slots_[slot].Key != key)
        slot = (slot + 1) & mask;
    return slot;
}

void TagTable::grow() {
    Reserve(slots_.size());
}

} // namespace krel
