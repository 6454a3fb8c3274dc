#include "encyclopedia/Encyclopedia.h"

#include "common/Blanks.h"
#include "encyclopedia/Errors.h"
#include "encyclopedia/TextFormat.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace krel {
namespace {

char foldChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isHeader(const T_EncEntry& record) {
    return record.Kind == ekHeader;
}

bool tagKeysDiffer(const T_EncEntry& a, const T_EncEntry& b) {
    return a.Kind != b.Kind || !EqualsIgnoreCase(a.Tag, b.Tag);
}

bool titleKeysDiffer(const T_EncEntry& a, const T_EncEntry& b) {
    if (!isHeader(a) && !isHeader(b))
        return false;
    return a.Kind != b.Kind || !EqualsIgnoreCase(HeaderTitle(a.Content), HeaderTitle(b.Content));
}

bool memberKeysDiffer(const T_EncEntry& a, const T_EncEntry& b) {
    if (!isHeader(a) && !isHeader(b))
        return false;
    return a.Kind != b.Kind || HeaderMembers(a.Content) != HeaderMembers(b.Content);
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

size_t Encyclopedia::IndexOf(const T_EncEntry* record) const {
    ensurePositions();
    auto found = position_.find(record);
    return found == position_.end() ? npos : found->second;
}

RecordId Encyclopedia::IdOf(const T_EncEntry* record) const {
    auto found = idOf_.find(record);
    return found == idOf_.end() ? RecordId::None : found->second;
}

const T_EncEntry* Encyclopedia::Find(RecordId id) const {
    auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

const T_EncEntry* Encyclopedia::GetEntryByTag(std::string_view tag) const {
    ensureTags();
    return byTag_.Find(tag);
}

const T_EncEntry* Encyclopedia::GetEntryOnlyByTag(std::string_view tag) const {
    ensureEntryTags();
    return entryByTag_.Find(tag);
}

std::string Encyclopedia::GetTagTitle(std::string_view tag) const {
    const T_EncEntry* record = GetEntryByTag(tag);
    return record ? record->Title : std::string();
}

const T_EncEntry* Encyclopedia::GetHeader(const T_EncEntry* entry) const {
    if (!entry || entry->Kind != ekEntry || entry->Tag.empty())
        return nullptr;
    ensureMembers();
    auto found = headerByMember_.find(entry->Tag);
    return found == headerByMember_.end() ? nullptr : found->second;
}

const T_EncEntry* Encyclopedia::GetHeaderByTitle(std::string_view title) const {
    ensureTitles();
    return headerByTitle_.Find(title);
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
        bool moved = sortInPlace();
        bool renamed = renumberHeaders();
        if (moved)
            invalidateAll();
        else if (renamed)
            tagsValid_ = false; // entries keep their tags
    });
}

// --- Changing the list ---

void Encyclopedia::Replace(const std::vector<T_EncEntry>& records) {
    list_.clear();
    list_.reserve(records.size());
    for (const T_EncEntry& record : records)
        list_.push_back(std::make_unique<T_EncEntry>(record));
    identifyAll();
    invalidateAll();
}

// The given vector is emptied and its storage released here, not when the caller lets it go.
void Encyclopedia::Replace(std::vector<T_EncEntry>&& records) {
    std::vector<T_EncEntry> taken = std::move(records);
    list_.clear();
    list_.reserve(taken.size());
    for (T_EncEntry& record : taken)
        list_.push_back(std::make_unique<T_EncEntry>(std::move(record)));
    identifyAll();
    invalidateAll();
}

const T_EncEntry* Encyclopedia::Append(const T_EncEntry& record) {
    return Append(T_EncEntry(record));
}

const T_EncEntry* Encyclopedia::Append(T_EncEntry&& record) {
    list_.push_back(std::make_unique<T_EncEntry>(std::move(record)));
    identify(list_.back().get());
    recordAppended(list_.back().get());
    return list_.back().get();
}

const T_EncEntry* Encyclopedia::Insert(size_t index, const T_EncEntry& record) {
    if (index >= list_.size())
        return Append(record);
    auto inserted = list_.insert(list_.begin() + static_cast<std::ptrdiff_t>(index),
                                 std::make_unique<T_EncEntry>(record));
    identify(inserted->get());
    invalidateAll();
    return inserted->get();
}

size_t Encyclopedia::Remove(const T_EncEntry* record) {
    size_t index = IndexOf(record);
    if (index == npos)
        return npos;
    forget(record);
    list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(index));
    invalidateAll();
    return index;
}

void Encyclopedia::Update(const T_EncEntry* record, const T_EncEntry& value) {
    Modify(record, [&](T_EncEntry& stored) { stored = value; });
}

void Encyclopedia::Modify(const T_EncEntry* record, const std::function<void(T_EncEntry&)>& edit) {
    // The edit works on a copy, so a failing edit leaves record and lookups as they were.
    T_EncEntry* stored = mutableRecord(record);
    T_EncEntry edited = *stored;
    edit(edited);
    recordChanged(*stored, edited);
    *stored = std::move(edited);
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

// The first eight bytes of a title as one number that orders like the bytes themselves.
std::uint64_t titlePrefix(std::string_view title) {
    std::uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < title.size() ? static_cast<unsigned char>(title[i]) : 0u);
    return prefix;
}

// What CompareEncEntries compares, with each header number read once (which also checks every
// header tag before the list is touched) and titles mostly told apart by their first bytes.
// Records with equal keys keep their order through the position, as a stable sort would.
struct SortKey {
    T_EntryKind Kind;
    int Number;
    std::uint64_t Prefix;
    std::string_view Title;
    size_t Index;

    bool operator<(const SortKey& other) const {
        if (Kind != other.Kind)
            return Kind < other.Kind;
        if (Kind == ekHeader && Number != other.Number)
            return Number < other.Number;
        if (Kind != ekHeader && Prefix != other.Prefix)
            return Prefix < other.Prefix;
        int titles = Kind == ekHeader ? 0 : Title.compare(other.Title);
        return titles != 0 ? titles < 0 : Index < other.Index;
    }
};

std::vector<SortKey> sortKeysOf(const Encyclopedia::EntryList& list) {
    std::vector<SortKey> keys;
    keys.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        const T_EncEntry& record = *list[i];
        int number = isHeader(record) ? HeaderNumber(record.Tag) : 0;
        keys.push_back({record.Kind, number, titlePrefix(record.Title), record.Title, i});
    }
    return keys;
}

} // namespace

// Returns whether any record moved.
bool Encyclopedia::sortInPlace() {
    std::vector<SortKey> keys = sortKeysOf(list_);
    if (std::is_sorted(keys.begin(), keys.end()))
        return false;
    std::sort(keys.begin(), keys.end());
    EntryList sorted;
    sorted.reserve(list_.size());
    for (const SortKey& key : keys)
        sorted.push_back(std::move(list_[key.Index]));
    list_ = std::move(sorted);
    return true;
}

// Numbers the headers 0001, 0002, ... in list order; returns whether any tag changed.
bool Encyclopedia::renumberHeaders() {
    bool renamed = false;
    int number = 1;
    for (auto& record : list_) {
        if (!isHeader(*record))
            continue;
        std::string tag = FormatHeaderTag(number++);
        if (record->Tag != tag) {
            record->Tag = std::move(tag);
            renamed = true;
        }
    }
    return renamed;
}

// --- Index upkeep ---

std::string_view Encyclopedia::headerTitleOf(const T_EncEntry& record) {
    return HeaderTitle(record.Content);
}

T_EncEntry* Encyclopedia::mutableRecord(const T_EncEntry* record) {
    size_t index = IndexOf(record);
    if (index == npos)
        throw std::invalid_argument("The record is not part of the encyclopedia");
    return list_[index].get();
}

void Encyclopedia::identify(const T_EncEntry* record) {
    const auto id = static_cast<RecordId>(++lastId_);
    idOf_.emplace(record, id);
    byId_.emplace(id, record);
}

void Encyclopedia::forget(const T_EncEntry* record) {
    auto found = idOf_.find(record);
    byId_.erase(found->second);
    idOf_.erase(found);
}

// Every record of a new list is new: the identities of the old ones are never given again.
void Encyclopedia::identifyAll() {
    idOf_.clear();
    byId_.clear();
    idOf_.reserve(list_.size());
    byId_.reserve(list_.size());
    for (const auto& record : list_)
        identify(record.get());
}

void Encyclopedia::invalidateAll() const {
    tagsValid_ = entryTagsValid_ = titlesValid_ = membersValid_ = positionsValid_ = false;
}

void Encyclopedia::recordAppended(const T_EncEntry* record) const {
    if (tagsValid_)
        byTag_.Add(record);
    if (entryTagsValid_)
        indexEntryTag(record);
    if (titlesValid_)
        indexTitle(record);
    if (membersValid_)
        indexMembers(record);
    if (positionsValid_)
        position_.emplace(record, list_.size() - 1);
}

void Encyclopedia::recordChanged(const T_EncEntry& before, const T_EncEntry& after) const {
    if (tagKeysDiffer(before, after))
        tagsValid_ = entryTagsValid_ = false;
    if (titleKeysDiffer(before, after))
        titlesValid_ = false;
    if (memberKeysDiffer(before, after))
        membersValid_ = false;
}

void Encyclopedia::indexEntryTag(const T_EncEntry* record) const {
    if (record->Kind == ekEntry)
        entryByTag_.Add(record);
}

void Encyclopedia::indexTitle(const T_EncEntry* record) const {
    if (isHeader(*record))
        headerByTitle_.Add(record);
}

void Encyclopedia::indexMembers(const T_EncEntry* record) const {
    if (!isHeader(*record))
        return;
    CommaListReader members(HeaderMembers(record->Content));
    while (auto member = members.Next())
        headerByMember_.emplace(*member, record);
}

void Encyclopedia::ensureTags() const {
    if (tagsValid_)
        return;
    byTag_.Clear(list_.size());
    for (const auto& record : list_)
        byTag_.Add(record.get());
    tagsValid_ = true;
}

void Encyclopedia::ensureEntryTags() const {
    if (entryTagsValid_)
        return;
    entryByTag_.Clear(list_.size());
    for (const auto& record : list_)
        indexEntryTag(record.get());
    entryTagsValid_ = true;
}

void Encyclopedia::ensureTitles() const {
    if (titlesValid_)
        return;
    headerByTitle_.Clear();
    for (const auto& record : list_)
        indexTitle(record.get());
    titlesValid_ = true;
}

void Encyclopedia::ensureMembers() const {
    if (membersValid_)
        return;
    headerByMember_.clear();
    for (const auto& record : list_)
        indexMembers(record.get());
    membersValid_ = true;
}

void Encyclopedia::ensurePositions() const {
    if (positionsValid_)
        return;
    position_.clear();
    position_.reserve(list_.size());
    for (size_t i = 0; i < list_.size(); ++i)
        position_.emplace(list_[i].get(), i);
    positionsValid_ = true;
}

} // namespace krel
