#pragma once
// The in-memory encyclopedia: EntryList and the operations that look records up and change
// header membership. The editor window owns one; the parser hand-over, the index builders, the
// writer, the commands and the command-line tool all work through it.
//
// Lookups give the same answers as a scan of EntryList in order (first match wins, tags compared
// with ASCII letter case folded) but use hash indexes that are rebuilt lazily after a change, so
// nothing is quadratic on large encyclopedias. Records are handed out as const pointers; every
// change goes through a member function so the indexes never go stale.
// Even const lookups may build an index, so one encyclopedia belongs to one thread at a time.

#include "encyclopedia/Entry.h"
#include "encyclopedia/RecordIndex.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace krel {

// The identity of one record in one encyclopedia; never given to two records. None is no record.
enum class RecordId : std::uint64_t { None = 0 };

class Encyclopedia {
public:
    using EntryList = std::vector<std::unique_ptr<T_EncEntry>>;

    Encyclopedia() = default;
    Encyclopedia(const Encyclopedia&) = delete;
    Encyclopedia& operator=(const Encyclopedia&) = delete;

    // The list itself, in its current order. Pointers stay valid until the record is removed
    // or the list is replaced.
    const EntryList& GetEntryList() const { return list_; }
    size_t Count() const { return list_.size(); }
    const T_EncEntry* At(size_t index) const { return list_[index].get(); }
    // Position of a record in the list, or npos when it is not (or no longer) there.
    static constexpr size_t npos = static_cast<size_t>(-1);
    size_t IndexOf(const T_EncEntry* record) const;
    bool Contains(const T_EncEntry* record) const { return IndexOf(record) != npos; }
    // The identity of a record of the list; None for nullptr or a record that is not there.
    RecordId IdOf(const T_EncEntry* record) const;
    // The record with that identity; nullptr when it has left the list (or never was in it).
    const T_EncEntry* Find(RecordId id) const;

    // --- Lookups ---
    // First record of any kind whose Tag equals tag, letter case ignored.
    const T_EncEntry* GetEntryByTag(std::string_view tag) const;
    // First record of kind ekEntry whose Tag equals tag, letter case ignored.
    const T_EncEntry* GetEntryOnlyByTag(std::string_view tag) const;
    // Title of GetEntryByTag(tag), or "".
    std::string GetTagTitle(std::string_view tag) const;
    // First header whose member list holds the entry's tag as a whole item (exact bytes);
    // nullptr for nullptr or a record that is not an entry.
    const T_EncEntry* GetHeader(const T_EncEntry* entry) const;
    // First header whose title equals title, letter case ignored.
    const T_EncEntry* GetHeaderByTitle(std::string_view title) const;
    // Largest header number (never below 0). Throws EEncEditorError "GetLastHeaderTag()\r..."
    // when a header tag is not a decimal integer.
    int GetLastHeaderTag() const;

    // --- Header membership ---
    void AddEntryToHeader(const T_EncEntry* entry, const T_EncEntry* header);
    void AddEntryToHeaderByTitle(const T_EncEntry* entry, std::string_view title);
    // Removes every item equal to the entry's tag (whole items, exact bytes) from the member
    // list; the title and the colon stay.
    void RemoveEntryFromHeader(const T_EncEntry* entry, const T_EncEntry* header);

    // Sorts by CompareEncEntries and renumbers the headers 0001, 0002, ... Throws
    // EEncEditorError "ReorderEncyclopedia()\r..." before changing anything when a header tag
    // is not a decimal integer. A list already in order keeps its lookups, so rebuilding the
    // table of contents after an edit costs a scan, not a sort and new indexes.
    void ReorderEncyclopedia();

    // --- Changing the list ---
    // Replaces the whole list (a normal load). Records are copied in the order given; they get
    // new identities, so whatever held the old ones finds nothing.
    void Replace(const std::vector<T_EncEntry>& records);
    // The same, taking the records over instead of copying them.
    void Replace(std::vector<T_EncEntry>&& records);
    // Appends a copy (or takes the record over); returns the stored record.
    const T_EncEntry* Append(const T_EncEntry& record);
    const T_EncEntry* Append(T_EncEntry&& record);
    // Inserts a copy at index (clamped to the end); returns the stored record.
    const T_EncEntry* Insert(size_t index, const T_EncEntry& record);
    // Takes a record out and releases it; returns its former index, or npos if absent.
    size_t Remove(const T_EncEntry* record);
    // Overwrites all seven fields of a record in place (its address stays).
    void Update(const T_EncEntry* record, const T_EncEntry& value);
    // Changes a record in place through edit; the indexes follow.
    void Modify(const T_EncEntry* record, const std::function<void(T_EncEntry&)>& edit);
    // A copy of every record in list order, and the reverse (for undo).
    std::vector<T_EncEntry> Snapshot() const;

private:
    T_EncEntry* mutableRecord(const T_EncEntry* record);
    void identify(const T_EncEntry* record);
    void forget(const T_EncEntry* record);
    void identifyAll();
    bool sortInPlace();
    bool renumberHeaders();
    void invalidateAll() const;
    void recordAppended(const T_EncEntry* record) const;
    void recordChanged(const T_EncEntry& before, const T_EncEntry& after) const;
    void ensureTags() const;
    void ensureEntryTags() const;
    void ensureTitles() const;
    void ensureMembers() const;
    void ensurePositions() const;
    void indexEntryTag(const T_EncEntry* record) const;
    void indexTitle(const T_EncEntry* record) const;
    void indexMembers(const T_EncEntry* record) const;
    static std::string_view tagOf(const T_EncEntry& record) { return record.Tag; }
    static std::string_view headerTitleOf(const T_EncEntry& record);

    EntryList list_;

    // Identities, kept with every append, removal and replacement.
    std::uint64_t lastId_ = 0;
    std::unordered_map<const T_EncEntry*, RecordId> idOf_;
    std::unordered_map<RecordId, const T_EncEntry*> byId_;

    // Lazily built lookups; each gives the first record in list order. Appending extends the
    // ones already built; any other change drops only the lookups whose keys it touches, so a
    // merge that appends and overwrites records never rebuilds them.
    mutable bool tagsValid_ = false;
    mutable RecordIndex byTag_{&Encyclopedia::tagOf};
    mutable bool entryTagsValid_ = false;
    mutable RecordIndex entryByTag_{&Encyclopedia::tagOf};
    mutable bool titlesValid_ = false;
    mutable RecordIndex headerByTitle_{&Encyclopedia::headerTitleOf};
    mutable bool membersValid_ = false;
    // Member items are exact bytes and several per header, so they are kept as texts.
    mutable std::unordered_map<std::string, const T_EncEntry*> headerByMember_;
    mutable bool positionsValid_ = false;
    mutable std::unordered_map<const T_EncEntry*, size_t> position_;
};

// Sort order of ReorderEncyclopedia and of the merge: kind, then header number, then title
// (bytes, case-sensitive). Returns true when a comes before b. Throws std::invalid_argument for
// a header tag that is not a decimal integer.
bool CompareEncEntries(const T_EncEntry& a, const T_EncEntry& b);

// Reads a header number; throws std::invalid_argument ("'x' is not a valid integer value").
int HeaderNumber(std::string_view tag);

// Formats a header number with at least four digits ("%.4d").
std::string FormatHeaderTag(int number);

// ASCII letter-case folding used by every lookup by tag or title.
std::string FoldCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

} // namespace krel
