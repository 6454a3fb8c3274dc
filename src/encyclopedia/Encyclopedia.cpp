#include "encyclopedia/Encyclopedia.h"

#include "ListChangeSteps.h"
#include "Lookups.h"
#include "SortKey.h"
#include "common/Blanks.h"
#include "encyclopedia/Errors.h"
#include "encyclopedia/TextFormat.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace krel {
namespace {

char foldChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isHeader(const T_EncEntry& record) {
    return record.Kind == ekHeader;
}

// Whether a change moves a record in the sort order: its kind, a header's number or another
// record's title.
bool sortKeyDiffers(const T_EncEntry& a, const T_EncEntry& b) {
    if (a.Kind != b.Kind)
        return true;
    return isHeader(a) ? a.Tag != b.Tag : a.Title != b.Title;
}

// What AddEntryToHeader appends: a colon and the tag to a header without members, the tag
// alone after a colon that ends the text, else a comma and the tag.
std::string memberSuffix(std::string_view content, std::string_view tag) {
    std::string_view text = Trimmed(content);
    size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return ":" + std::string(tag);
    if (colon + 1 == text.size())
        return std::string(tag);
    return "," + std::string(tag);
}

// The member list without the items equal to tag. Each kept item keeps its own text and the
// separator after it; a removed last item takes the separator before it along.
std::string withoutMember(std::string_view members, std::string_view tag) {
    std::vector<CommaItem> items = ScanCommaList(members);
    std::string kept(members.substr(0, items.empty() ? members.size() : items[0].Start));
    size_t keptItemEnd = kept.size();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].Value == tag)
            continue;
        size_t next = i + 1 < items.size() ? items[i + 1].Start : members.size();
        keptItemEnd = kept.size() + (items[i].End - items[i].Start);
        kept.append(members.substr(items[i].Start, next - items[i].Start));
    }
    if (!items.empty() && items.back().Value == tag)
        kept.resize(keptItemEnd);
    return kept;
}

} // namespace

// --- Free helpers ---

std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = foldChar(c);
    return folded;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldChar(a[i]) != foldChar(b[i]))
            return false;
    return true;
}

int HeaderNumber(std::string_view tag) {
    std::string_view digits = tag;
    if (digits.starts_with('+') || digits.starts_with('-'))
        digits.remove_prefix(1);
    bool decimal = !digits.empty() && std::all_of(digits.begin(), digits.end(),
                                                  [](char c) { return c >= '0' && c <= '9'; });
    int value = 0;
    const char* first = tag.starts_with('+') ? tag.data() + 1 : tag.data();
    if (!decimal || std::from_chars(first, tag.data() + tag.size(), value).ec != std::errc())
        throw std::invalid_argument("'" + std::string(tag) + "' is not a valid integer value");
    return value;
}

std::string FormatHeaderTag(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%.4d", number);
    return text;
}

bool CompareEncEntries(const T_EncEntry& a, const T_EncEntry& b) {
    if (a.Kind != b.Kind)
        return a.Kind < b.Kind;
    if (isHeader(a))
        return HeaderNumber(a.Tag) < HeaderNumber(b.Tag);
    return a.Title < b.Title;
}

// --- Lookups ---

Encyclopedia::Encyclopedia() : lookups_(std::make_unique<Lookups>(list_)) {}

Encyclopedia::~Encyclopedia() = default;

size_t Encyclopedia::IndexOf(const T_EncEntry* record) const {
    return lookups_->PositionOf(record);
}

RecordId Encyclopedia::IdOf(const T_EncEntry* record) const {
    const RecordId* id = record ? idOf_.Find(record) : nullptr;
    return id ? *id : RecordId::None;
}

const T_EncEntry* Encyclopedia::Find(RecordId id) const {
    const T_EncEntry* const* record = id == RecordId::None ? nullptr : byId_.Find(id);
    return record ? *record : nullptr;
}

const T_EncEntry* Encyclopedia::GetEntryByTag(std::string_view tag) const {
    return lookups_->ByTag(tag);
}

const T_EncEntry* Encyclopedia::GetEntryOnlyByTag(std::string_view tag) const {
    return lookups_->EntryByTag(tag);
}

std::string Encyclopedia::GetTagTitle(std::string_view tag) const {
    const T_EncEntry* record = GetEntryByTag(tag);
    return record ? record->Title : std::string();
}

const T_EncEntry* Encyclopedia::GetHeader(const T_EncEntry* entry) const {
    if (!entry || entry->Kind != ekEntry || entry->Tag.empty())
        return nullptr;
    return lookups_->HeaderListing(entry->Tag);
}

const T_EncEntry* Encyclopedia::GetHeaderByTitle(std::string_view title) const {
    return lookups_->HeaderByTitle(title);
}

int Encyclopedia::GetLastHeaderTag() const {
    return guarded<EEncEditorError>("GetLastHeaderTag()", [&] {
        int last = 0;
        for (const auto& record : list_)
            if (isHeader(*record))
                last = std::max(last, HeaderNumber(record->Tag));
        return last;
    });
}

// --- Header membership ---

void Encyclopedia::AddEntryToHeader(const T_EncEntry* entry, const T_EncEntry* header) {
    guarded<EEncEditorError>("AddEntryToHeader()", [&] {
        if (!entry || !header)
            return;
        std::string suffix = memberSuffix(header->Content, entry->Tag);
        Modify(header, [&](T_EncEntry& record) { record.Content += suffix; });
    });
}

void Encyclopedia::AddEntryToHeaderByTitle(const T_EncEntry* entry, std::string_view title) {
    guarded<EEncEditorError>("AddEntryToHeaderByTitle()", [&] {
        if (const T_EncEntry* header = GetHeaderByTitle(title))
            AddEntryToHeader(entry, header);
    });
}

void Encyclopedia::RemoveEntryFromHeader(const T_EncEntry* entry, const T_EncEntry* header) {
    guarded<EEncEditorError>("RemoveEntryFromHeader()", [&] {
        if (!entry || !header || entry->Tag.empty())
            return;
        size_t colon = header->Content.find(':');
        if (colon == std::string::npos)
            return;
        std::string content = header->Content.substr(0, colon + 1) +
                              withoutMember(HeaderMembers(header->Content), entry->Tag);
        Modify(header, [&](T_EncEntry& record) { record.Content = std::move(content); });
    });
}

void Encyclopedia::ReorderEncyclopedia() {
    guarded<EEncEditorError>("ReorderEncyclopedia()", [&] {
        sortInPlace();
        renumberHeaders();
        unsorted_.clear();
    });
}

// --- Changing the list ---

void Encyclopedia::Replace(const std::vector<T_EncEntry>& records) {
    EntryList list;
    list.reserve(records.size());
    for (const T_EncEntry& record : records)
        list.push_back(std::make_unique<T_EncEntry>(record));
    replaceList(std::move(list));
}

// The given vector is emptied and its storage released here, not when the caller lets it go.
void Encyclopedia::Replace(std::vector<T_EncEntry>&& records) {
    std::vector<T_EncEntry> taken = std::move(records);
    EntryList list;
    list.reserve(taken.size());
    for (T_EncEntry& record : taken)
        list.push_back(std::make_unique<T_EncEntry>(std::move(record)));
    replaceList(std::move(list));
}

// Every record of a new list is new: the identities of the old ones are never given again.
void Encyclopedia::replaceList(EntryList&& list) {
    std::vector<RecordId> ids = idsInOrder();
    ListStep replaced{std::move(list_), std::move(ids)};
    list_ = std::move(list);
    std::vector<RecordId> fresh(list_.size());
    for (RecordId& id : fresh)
        id = static_cast<RecordId>(++lastId_);
    identifyAll(fresh);
    lookups_->Replaced();
    orderKnown_ = false;
    journal({std::move(replaced)});
}

const T_EncEntry* Encyclopedia::Append(const T_EncEntry& record) {
    return Append(T_EncEntry(record));
}

const T_EncEntry* Encyclopedia::Append(T_EncEntry&& record) {
    list_.push_back(std::make_unique<T_EncEntry>(std::move(record)));
    const T_EncEntry* added = list_.back().get();
    const auto id = static_cast<RecordId>(++lastId_);
    identify(added, id);
    lookups_->Appended(added);
    noteUnsorted(added);
    journal({PresenceStep{id, list_.size() - 1, true, nullptr}});
    return added;
}

size_t Encyclopedia::Remove(const T_EncEntry* record) {
    auto found = std::find_if(list_.begin(), list_.end(),
                              [&](const auto& stored) { return stored.get() == record; });
    if (found == list_.end())
        return npos;
    const auto index = static_cast<size_t>(found - list_.begin());
    PresenceStep removed{IdOf(record), index, false, nullptr};
    takeOut(removed);
    journal({std::move(removed)});
    return index;
}

void Encyclopedia::Update(const T_EncEntry* record, const T_EncEntry& value) {
    Update(record, T_EncEntry(value));
}

void Encyclopedia::Update(const T_EncEntry* record, T_EncEntry&& value) {
    T_EncEntry* stored = mutableRecord(record);
    if (*stored != value)
        setValue(stored, std::move(value));
}

void Encyclopedia::Modify(const T_EncEntry* record, const std::function<void(T_EncEntry&)>& edit) {
    // The edit works on a copy, so a failing edit leaves record and lookups as they were.
    T_EncEntry* stored = mutableRecord(record);
    T_EncEntry edited = *stored;
    edit(edited);
    if (edited != *stored)
        setValue(stored, std::move(edited));
}

std::vector<T_EncEntry> Encyclopedia::Snapshot() const {
    std::vector<T_EncEntry> copy;
    copy.reserve(list_.size());
    for (const auto& record : list_)
        copy.push_back(*record);
    return copy;
}

// --- Reordering ---

namespace {

std::vector<SortKey> sortKeysOf(const Encyclopedia::EntryList& list) {
    std::vector<SortKey> keys;
    keys.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        keys.push_back(SortKeyOf(*list[i], i));
    return keys;
}

// The places in their new order: each of the sorted taken keys goes before the first of the rest
// (places in order) whose key comes after it.
std::vector<size_t> placeBySearch(const Encyclopedia::EntryList& list,
                                  const std::vector<SortKey>& taken,
                                  const std::vector<size_t>& rest) {
    std::vector<size_t> order;
    order.reserve(list.size());
    auto next = rest.begin();
    for (const SortKey& key : taken) {
        auto before = std::partition_point(
            next, rest.end(), [&](size_t at) { return SortKeyOf(*list[at], at) < key; });
        order.insert(order.end(), next, before);
        order.push_back(key.Index);
        next = before;
    }
    order.insert(order.end(), next, rest.end());
    return order;
}

std::vector<size_t> placeByWalk(const Encyclopedia::EntryList& list,
                                const std::vector<SortKey>& taken,
                                const std::vector<size_t>& rest) {
    std::vector<size_t> order;
    order.reserve(list.size());
    auto next = taken.begin();
    for (size_t at : rest) {
        const SortKey key = SortKeyOf(*list[at], at);
        for (; next != taken.end() && *next < key; ++next)
            order.push_back(next->Index);
        order.push_back(at);
    }
    for (; next != taken.end(); ++next)
        order.push_back(next->Index);
    return order;
}

} // namespace

// Returns whether any record moved. After a reordering only the records added or changed since
// can be out of place: only they are sorted, then put where a sort of the whole list would put
// them.
bool Encyclopedia::sortInPlace() {
    const bool moved = orderKnown_ ? sortUnsorted() : sortAll();
    orderKnown_ = true;
    return moved;
}

bool Encyclopedia::sortAll() {
    std::vector<SortKey> keys = sortKeysOf(list_);
    if (std::is_sorted(keys.begin(), keys.end()))
        return false;
    std::sort(keys.begin(), keys.end());
    std::vector<size_t> order;
    order.reserve(keys.size());
    for (const SortKey& key : keys)
        order.push_back(key.Index);
    moveTo(order);
    return true;
}

// The records of unsorted_ that are still in the list, with their keys, are taken out; the rest
// is in order (by key, then by place). Each taken record goes back before the first remaining
// one that comes after it: found by a search among the rest when the taken are few (a command),
// by one walk along the rest when they are many (a merge).
bool Encyclopedia::sortUnsorted() {
    FlatMap<const T_EncEntry*, bool> taken;
    taken.Clear(unsorted_.size());
    for (const T_EncEntry* record : unsorted_)
        if (Contains(record) && !taken.Find(record))
            taken.Insert(record, true);
    std::vector<SortKey> out;
    std::vector<size_t> kept;
    kept.reserve(list_.size());
    for (size_t i = 0; i < list_.size(); ++i) {
        if (taken.Find(list_[i].get()))
            out.push_back(SortKeyOf(*list_[i], i));
        else
            kept.push_back(i);
    }
    std::sort(out.begin(), out.end());
    const std::vector<size_t> order = out.size() <= list_.size() / 16
                                          ? placeBySearch(list_, out, kept)
                                          : placeByWalk(list_, out, kept);
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i] != i) {
            moveTo(order);
            return true;
        }
    return false;
}

// Puts the list in the given order of its present places, as one step of the journal.
void Encyclopedia::moveTo(const std::vector<size_t>& order) {
    OrderStep step;
    for (size_t at : order) {
        if (!step.Runs.empty() && step.Runs.back().From + step.Runs.back().Length == at)
            ++step.Runs.back().Length;
        else
            step.Runs.push_back({static_cast<std::uint32_t>(at), 1});
    }
    reorder(step, true);
    journal({std::move(step)});
}

// A record added, or whose sort key changed, since the last reordering.
void Encyclopedia::noteUnsorted(const T_EncEntry* record) {
    if (orderKnown_)
        unsorted_.push_back(record);
}

// Numbers the headers 0001, 0002, ... in list order; sorted, the list starts with them.
void Encyclopedia::renumberHeaders() {
    int number = 1;
    for (auto& record : list_) {
        if (!isHeader(*record))
            break;
        std::string tag = FormatHeaderTag(number++);
        if (record->Tag == tag)
            continue;
        T_EncEntry renumbered = *record;
        renumbered.Tag = std::move(tag);
        setValue(record.get(), std::move(renumbered));
    }
}

// --- Records and identities ---

// The encyclopedia's own records were made writable; handing them out as const keeps the
// changes going through its members.
T_EncEntry* Encyclopedia::mutableRecord(const T_EncEntry* record) {
    if (!Contains(record))
        throw std::invalid_argument("The record is not part of the encyclopedia");
    return const_cast<T_EncEntry*>(record);
}

void Encyclopedia::setValue(T_EncEntry* stored, T_EncEntry&& value) {
    lookups_->Changing(*stored, value);
    auto previous = std::make_unique<T_EncEntry>(std::exchange(*stored, std::move(value)));
    lookups_->Changed(stored, *previous);
    if (sortKeyDiffers(*previous, *stored))
        noteUnsorted(stored);
    journal({ValueStep{IdOf(stored), std::move(previous)}});
}

void Encyclopedia::identify(const T_EncEntry* record, RecordId id) {
    idOf_.Insert(record, id);
    byId_.Insert(id, record);
}

void Encyclopedia::forget(const T_EncEntry* record) {
    byId_.Erase(IdOf(record));
    idOf_.Erase(record);
}

std::vector<RecordId> Encyclopedia::idsInOrder() const {
    std::vector<RecordId> ids;
    ids.reserve(list_.size());
    for (const auto& record : list_)
        ids.push_back(IdOf(record.get()));
    return ids;
}

void Encyclopedia::identifyAll(const std::vector<RecordId>& ids) {
    idOf_.Clear(list_.size());
    byId_.Clear(list_.size());
    for (size_t i = 0; i < list_.size(); ++i)
        identify(list_[i].get(), ids[i]);
}

} // namespace krel
