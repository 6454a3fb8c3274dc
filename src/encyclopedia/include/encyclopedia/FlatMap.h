#pragma once
// A hash map from a small key to a small value kept in one array (open addressing, linear
// probing), for the identity lookups the encyclopedia makes once per row of a view: one probe
// touches one slot, and adding a record allocates nothing. The key's zero value (a null
// pointer, RecordId::None) marks a free slot and is never a key.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace krel {

template <class Key, class Value> class FlatMap {
public:
    void Clear(size_t expected) {
        count_ = 0;
        slots_.assign(std::max<size_t>(16, std::bit_ceil(2 * expected)), Slot{});
    }

    // Adds a key that is not in the map yet.
    void Insert(Key key, Value value) {
        if (2 * (count_ + 1) > slots_.size())
            grow();
        slots_[slotOf(key)] = {key, value};
        ++count_;
    }

    const Value* Find(Key key) const {
        if (slots_.empty())
            return nullptr;
        const Slot& slot = slots_[slotOf(key)];
        return slot.key == Key{} ? nullptr : &slot.value;
    }

    // Empties the key's slot, then moves back into the gap each entry of the probe run behind
    // it that may live there, so that every entry stays reachable from its home slot.
    void Erase(Key key) {
        if (slots_.empty())
            return;
        size_t gap = slotOf(key);
        if (slots_[gap].key == Key{})
            return;
        const size_t mask = slots_.size() - 1;
        slots_[gap] = Slot{};
        --count_;
        for (size_t next = (gap + 1) & mask; slots_[next].key != Key{}; next = (next + 1) & mask) {
            const size_t home = homeOf(slots_[next].key);
            if (((next - home) & mask) >= ((next - gap) & mask)) {
                slots_[gap] = slots_[next];
                slots_[next] = Slot{};
                gap = next;
            }
        }
    }

private:
    struct Slot {
        Key key{};
        Value value{};
    };

    static std::uint64_t bitsOf(Key key) {
        if constexpr (std::is_pointer_v<Key>)
            return reinterpret_cast<std::uintptr_t>(key);
        else
            return static_cast<std::uint64_t>(key);
    }

    size_t homeOf(Key key) const {
        return static_cast<size_t>((bitsOf(key) * 0x9E3779B97F4A7C15ull) >> 32) &
               (slots_.size() - 1);
    }

    // The slot holding the key, or the free slot where it would go.
    size_t slotOf(Key key) const {
        const size_t mask = slots_.size() - 1;
        size_t at = homeOf(key);
        while (slots_[at].key != Key{} && slots_[at].key != key)
            at = (at + 1) & mask;
        return at;
    }

    void grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(std::max<size_t>(16, 2 * old.size()), Slot{});
        for (const Slot& slot : old)
            if (slot.key != Key{})
                slots_[slotOf(slot.key)] = slot;
    }

    std::vector<Slot> slots_;
    size_t count_ = 0;
};

} // namespace krel
