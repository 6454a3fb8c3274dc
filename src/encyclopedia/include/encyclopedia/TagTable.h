#pragma once
// A map from tags, letter case folded, to positions in a list, for the parse's binding of
// attribute lines to entries: open addressing over tags packed into numbers, so a lookup reads
// one slot and never a record.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace krel {

class TagTable {
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    // A tag of up to seven characters (the parse cuts them to four) as one number: its length
    // and its bytes with ASCII letter case folded, so equal numbers mean equal tags.
    static std::uint64_t KeyOf(std::string_view tag);

    // Makes room for about expected keys at once, sparing the table its regrowth.
    void Reserve(size_t expected);
    // The position added first for the key, or npos.
    size_t Find(std::uint64_t key) const;
    // Adds a position for the key unless it has one already; returns whether it did.
    bool Add(std::uint64_t key, size_t position);

private:
    struct Slot {
        std::uint64_t Key = 0;
        size_t Position = npos; // npos: the slot is free
    };

    size_t slotFor(std::uint64_t key) const;
    void grow();

    std::vector<Slot> slots_ = std::vector<Slot>(16); // a power of two, at most half full
    size_t count_ = 0;
};

} // namespace krel
