#pragma once
// The in-memory encyclopedia: EntryList and the operations that look records up and change
// header membership. The editor window owns one; the parser hand-over, the index builders, the
// writer, the commands and the command-line tool all work through it.
//
// Lookups give the same answers as a scan of EntryList in order (first match wins, tags compared
// with ASCII letter case folded) but use hash indexes, built when first needed and then kept
// through the list's changes, so nothing is quadratic on large encyclopedias. Records are handed
// out as const pointers; every change goes through a member function so the indexes never go
// stale. Even const lookups may build an index, so one encyclopedia belongs to one thread at a
// time.
//
// Each record also has a RecordId, given when it enters the list and kept through edits,
// reordering, undo and redo. Whatever outlives a change to the list (the rows of a view, the
// record on display, a link, a pending drag, a picker's rows) holds the id and looks the record
// up when it needs it: an id whose record has left the list finds nothing, so nothing can reach
// a released record.
//
// For undo, the encyclopedia can keep a journal of its changes (KeepJournal): a stretch of it
// taken out as a ListChange is undone and redone exactly, at the cost of what it changed.

#include "encyclopedia/Entry.h"
#include "encyclopedia/FlatMap.h"
#include "encyclopedia/ListChange.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

// The identity of one record in one encyclopedia; never given to two records. None is no record.
enum class RecordId : std::uint64_t { None = 0 };

class Lookups;
struct ValueStep;
struct PresenceStep;
struct OrderStep;
struct ListStep;

class Encyclopedia {
public:
    using EntryList = std::vector<std::unique_ptr<T_EncEntry>>;

    Encyclopedia();
    ~Encyclopedia();
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
    bool Contains(const T_EncEntry* record) const { return IdOf(record) != RecordId::None; }
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
    // Takes a record out and releases it; returns its former index, or npos if absent.
    size_t Remove(const T_EncEntry* record);
    // Overwrites all seven fields of a record in place (its address stays).
    void Update(const T_EncEntry* record, const T_EncEntry& value);
    void Update(const T_EncEntry* record, T_EncEntry&& value);
    // Changes a record in place through edit; the indexes follow. An edit that leaves the
    // record as it was changes nothing.
    void Modify(const T_EncEntry* record, const std::function<void(T_EncEntry&)>& edit);
    // A copy of every record in list order.
    std::vector<T_EncEntry> Snapshot() const;

    // --- Undo ---
    // While the journal is kept every change is written down; off by default, and turning it
    // off forgets what it holds.
    void KeepJournal(bool keep);
    // Where the journal stands now: a mark for TakeJournal.
    struct JournalMark {
        size_t Steps = 0;
        bool Sorted = false;
    };
    JournalMark MarkJournal() const;
    // Takes the changes written down since the mark (or all of them) out of the journal.
    ListChange TakeJournal(const JournalMark& from);
    ListChange TakeJournal();
    // Takes the changes written down before the mark, once those after it have been taken.
    ListChange TakeJournalUpTo(const JournalMark& mark);
    // Puts the list back as it was before the change, or forward as it was after it. The list
    // must stand as the change left it (for Undo) or found it (for Redo); neither is written
    // into the journal.
    void Undo(ListChange& change);
    void Redo(ListChange& change);

private:
    T_EncEntry* mutableRecord(const T_EncEntry* record);
    void setValue(T_EncEntry* stored, T_EncEntry&& value);
    void identify(const T_EncEntry* record, RecordId id);
    void forget(const T_EncEntry* record);
    std::vector<RecordId> idsInOrder() const;
    void identifyAll(const std::vector<RecordId>& ids);
    void replaceList(EntryList&& list);
    bool sortInPlace();
    bool sortAll();
    bool sortUnsorted();
    void moveTo(const std::vector<size_t>& order);
    void noteUnsorted(const T_EncEntry* record);
    bool knownSorted() const { return orderKnown_ && unsorted_.empty(); }
    void renumberHeaders();
    void journal(ListChange::Step&& step);
    void replayStep(ListChange::Step& step, bool forward);
    void replayed();
    void swapValue(ValueStep& step);
    void takeOut(PresenceStep& step);
    void putBack(PresenceStep& step);
    void reorder(const OrderStep& step, bool forward);
    void swapList(ListStep& step);

    EntryList list_;

    // Identities, kept with every append, removal and replacement.
    std::uint64_t lastId_ = 0;
    FlatMap<const T_EncEntry*, RecordId> idOf_;
    FlatMap<RecordId, const T_EncEntry*> byId_;

    // What the last reordering left: a sorted list, in which only the records added or given
    // another sort key since (unsorted_, which may also name records gone since) can be out of
    // place. Unknown after a replacement, an undo or a redo.
    bool orderKnown_ = false;
    std::vector<const T_EncEntry*> unsorted_;

    // The lookups, told of every change.
    std::unique_ptr<Lookups> lookups_;

    bool journaling_ = false;
    bool replaying_ = false;
    ListChange journal_;
    // Whether the list was known to be in order where the journal begins.
    bool journalStartSorted_ = false;
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
