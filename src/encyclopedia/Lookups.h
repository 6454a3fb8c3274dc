#pragma once
// The encyclopedia's lookups: by tag, by entry tag, by header title, by header member and by
// position. Each gives the first record in list order, as a scan would, is built when first
// asked for, and then follows the list's changes instead of being built again: an append is
// added, a record that leaves or changes its key is taken out and put back under its new key.
// Only where two records share a key does a change that is not an append drop the lookup,
// since then only a scan knows which of them comes first now.

#include "encyclopedia/Encyclopedia.h"
#include "encyclopedia/RecordIndex.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace krel {

// One lookup from a key (read from the record) to the first record that has it. The empty key
// (the letter rows' tag) is kept apart: many records share it, and it must not make every
// reordering drop the lookup of all the others.
class KeyLookup {
public:
    using Holds = bool (*)(const T_EncEntry& record);
    KeyLookup(RecordIndex::KeyOf key, Holds holds) : index_(key), key_(key), holds_(holds) {}

    const T_EncEntry* Find(const Encyclopedia::EntryList& list, std::string_view key);

    void Appended(const T_EncEntry* record);
    void Inserted(const T_EncEntry* record);
    void Leaving(const T_EncEntry& record);
    // Around a record's change of value: before (the record still holds its old value) and
    // after.
    void Changing(const T_EncEntry& stored, const T_EncEntry& next);
    void Changed(const T_EncEntry* stored, const T_EncEntry& previous);
    void Reordered();
    void Drop() { valid_ = false; }

private:
    bool keyDiffers(const T_EncEntry& a, const T_EncEntry& b) const;
    bool emptyKey(const T_EncEntry& record) const { return key_(record).empty(); }
    void build(const Encyclopedia::EntryList& list);
    const T_EncEntry* firstWithEmptyKey(const Encyclopedia::EntryList& list);
    void leave(const T_EncEntry& record);
    void arrive(const T_EncEntry* record);

    RecordIndex index_; // the records with a key
    RecordIndex::KeyOf key_;
    Holds holds_;
    bool valid_ = false;
    // The records without a key: how many, and the first of them once looked for.
    size_t keyless_ = 0;
    bool firstKeylessKnown_ = false;
    const T_EncEntry* firstKeyless_ = nullptr;
};

// Header members (exact bytes, several per header) to the first header that lists them.
class MemberLookup {
public:
    const T_EncEntry* Find(const Encyclopedia::EntryList& list, const std::string& member);

    void Appended(const T_EncEntry* record);
    void Inserted(const T_EncEntry* record);
    void Leaving(const T_EncEntry& record);
    void Changing(const T_EncEntry& stored, const T_EncEntry& next);
    void Changed(const T_EncEntry* stored, const T_EncEntry& previous);
    void Reordered();
    void Drop() { valid_ = false; }

private:
    bool add(const T_EncEntry* header);

    std::unordered_map<std::string, const T_EncEntry*> headers_;
    // Members listed by two headers since the last build.
    size_t shared_ = 0;
    bool valid_ = false;
};

// Every lookup of an encyclopedia, told of every change to its list.
class Lookups {
public:
    explicit Lookups(const Encyclopedia::EntryList& list);

    const T_EncEntry* ByTag(std::string_view tag);
    const T_EncEntry* EntryByTag(std::string_view tag);
    const T_EncEntry* HeaderByTitle(std::string_view title);
    const T_EncEntry* HeaderListing(const std::string& member);
    // Position in the list, or Encyclopedia::npos.
    size_t PositionOf(const T_EncEntry* record);

    // A record has been appended / put into the list elsewhere than at its end.
    void Appended(const T_EncEntry* record);
    void Inserted(const T_EncEntry* record);
    // A record is about to leave the list (it still stands at its place).
    void Leaving(const T_EncEntry& record);
    // A record's value is about to change to next / has changed from previous.
    void Changing(const T_EncEntry& stored, const T_EncEntry& next);
    void Changed(const T_EncEntry* stored, const T_EncEntry& previous);
    // The records have been put in another order / replaced altogether.
    void Reordered();
    void Replaced();

private:
    template <class Call> void eachKeyed(Call call);

    const Encyclopedia::EntryList& list_;
    KeyLookup byTag_;
    KeyLookup entryByTag_;
    KeyLookup headerByTitle_;
    MemberLookup headerByMember_;
    bool positionsValid_ = false;
    std::unordered_map<const T_EncEntry*, size_t> position_;
};

} // namespace krel
