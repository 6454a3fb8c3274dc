#include "Lookups.h"

#include "encyclopedia/TextFormat.h"

namespace krel {
namespace {

bool anyRecord(const T_EncEntry&) {
    return true;
}

bool isEntry(const T_EncEntry& record) {
    return record.Kind == ekEntry;
}

bool isHeader(const T_EncEntry& record) {
    return record.Kind == ekHeader;
}

std::string_view tagOf(const T_EncEntry& record) {
    return record.Tag;
}

std::string_view headerTitleOf(const T_EncEntry& record) {
    return HeaderTitle(record.Content);
}

bool membersDiffer(const T_EncEntry& a, const T_EncEntry& b) {
    return isHeader(a) != isHeader(b) ||
           (isHeader(a) && HeaderMembers(a.Content) != HeaderMembers(b.Content));
}

} // namespace

// --- KeyLookup ---

const T_EncEntry* KeyLookup::Find(const Encyclopedia::EntryList& list, std::string_view key) {
    if (!valid_)
        build(list);
    return key.empty() ? firstWithEmptyKey(list) : index_.Find(key);
}

void KeyLookup::build(const Encyclopedia::EntryList& list) {
    index_.Clear(list.size());
    keyless_ = 0;
    firstKeylessKnown_ = false;
    for (const auto& record : list) {
        if (!holds_(*record))
            continue;
        if (emptyKey(*record))
            ++keyless_;
        else
            index_.Add(record.get());
    }
    valid_ = true;
}

const T_EncEntry* KeyLookup::firstWithEmptyKey(const Encyclopedia::EntryList& list) {
    if (!firstKeylessKnown_) {
        firstKeyless_ = nullptr;
        for (const auto& record : list)
            if (holds_(*record) && emptyKey(*record)) {
                firstKeyless_ = record.get();
                break;
            }
        firstKeylessKnown_ = true;
    }
    return firstKeyless_;
}

void KeyLookup::Appended(const T_EncEntry* record) {
    if (!valid_ || !holds_(*record))
        return;
    if (!emptyKey(*record)) {
        index_.Add(record);
        return;
    }
    if (keyless_++ == 0 && firstKeylessKnown_)
        firstKeyless_ = record;
}

void KeyLookup::Inserted(const T_EncEntry* record) {
    if (valid_ && holds_(*record))
        arrive(record);
}

void KeyLookup::Leaving(const T_EncEntry& record) {
    if (valid_ && holds_(record))
        leave(record);
}

void KeyLookup::Changing(const T_EncEntry& stored, const T_EncEntry& next) {
    if (valid_ && holds_(stored) && keyDiffers(stored, next))
        leave(stored);
}

void KeyLookup::Changed(const T_EncEntry* stored, const T_EncEntry& previous) {
    if (valid_ && holds_(*stored) && keyDiffers(previous, *stored))
        arrive(stored);
}

// Records with unique keys answer for them in any order; with a shared key the order decides.
void KeyLookup::Reordered() {
    if (!index_.Unique())
        valid_ = false;
    if (keyless_ > 1)
        firstKeylessKnown_ = false;
}

bool KeyLookup::keyDiffers(const T_EncEntry& a, const T_EncEntry& b) const {
    return holds_(a) != holds_(b) || !EqualsIgnoreCase(key_(a), key_(b));
}

void KeyLookup::leave(const T_EncEntry& record) {
    if (emptyKey(record)) {
        --keyless_;
        firstKeylessKnown_ = firstKeylessKnown_ && firstKeyless_ != &record;
    } else if (index_.Unique()) {
        index_.Erase(&record);
    } else {
        valid_ = false;
    }
}

// A record that is not the last one: when its key is taken already, only a rebuild knows which
// of the two comes first.
void KeyLookup::arrive(const T_EncEntry* record) {
    if (emptyKey(*record)) {
        ++keyless_;
        firstKeylessKnown_ = false;
    } else if (index_.Find(key_(*record))) {
        valid_ = false;
    } else {
        index_.Add(record);
    }
}

// --- MemberLookup ---

const T_EncEntry* MemberLookup::Find(const Encyclopedia::EntryList& list,
                                     const std::string& member) {
    if (!valid_) {
        headers_.clear();
        shared_ = 0;
        for (const auto& record : list)
            add(record.get());
        valid_ = true;
    }
    auto found = headers_.find(member);
    return found == headers_.end() ? nullptr : found->second;
}

// Adds a header's members after every header already known; false when one of them is listed
// by another header as well.
bool MemberLookup::add(const T_EncEntry* header) {
    if (!isHeader(*header))
        return true;
    bool alone = true;
    CommaListReader members(HeaderMembers(header->Content));
    while (auto member = members.Next()) {
        // An entry without a tag belongs to no header, so an empty member is never asked for.
        if (member->empty())
            continue;
        auto [at, added] = headers_.emplace(*member, header);
        if (!added && at->second != header) {
            ++shared_;
            alone = false;
        }
    }
    return alone;
}

void MemberLookup::Appended(const T_EncEntry* record) {
    if (valid_)
        add(record);
}

void MemberLookup::Inserted(const T_EncEntry* record) {
    if (valid_ && !add(record))
        valid_ = false;
}

void MemberLookup::Leaving(const T_EncEntry& record) {
    if (!valid_ || !isHeader(record))
        return;
    if (shared_ > 0) {
        valid_ = false;
        return;
    }
    CommaListReader members(HeaderMembers(record.Content));
    while (auto member = members.Next()) {
        auto at = headers_.find(std::string(*member));
        if (at != headers_.end() && at->second == &record)
            headers_.erase(at);
    }
}

void MemberLookup::Changing(const T_EncEntry& stored, const T_EncEntry& next) {
    if (membersDiffer(stored, next))
        Leaving(stored);
}

void MemberLookup::Changed(const T_EncEntry* stored, const T_EncEntry& previous) {
    if (membersDiffer(previous, *stored))
        Inserted(stored);
}

void MemberLookup::Reordered() {
    if (shared_ > 0)
        valid_ = false;
}

// --- Lookups ---

Lookups::Lookups(const Encyclopedia::EntryList& list)
    : list_(list), byTag_(&tagOf, &anyRecord), entryByTag_(&tagOf, &isEntry),
      headerByTitle_(&headerTitleOf, &isHeader) {}

const T_EncEntry* Lookups::ByTag(std::string_view tag) {
    return byTag_.Find(list_, tag);
}

const T_EncEntry* Lookups::EntryByTag(std::string_view tag) {
    return entryByTag_.Find(list_, tag);
}

const T_EncEntry* Lookups::HeaderByTitle(std::string_view title) {
    return headerByTitle_.Find(list_, title);
}

const T_EncEntry* Lookups::HeaderListing(const std::string& member) {
    return headerByMember_.Find(list_, member);
}

size_t Lookups::PositionOf(const T_EncEntry* record) {
    if (!positionsValid_) {
        position_.clear();
        position_.reserve(list_.size());
        for (size_t i = 0; i < list_.size(); ++i)
            position_.emplace(list_[i].get(), i);
        positionsValid_ = true;
    }
    auto found = position_.find(record);
    return found == position_.end() ? Encyclopedia::npos : found->second;
}

template <class Call> void Lookups::eachKeyed(Call call) {
    call(byTag_);
    call(entryByTag_);
    call(headerByTitle_);
    call(headerByMember_);
}

void Lookups::Appended(const T_EncEntry* record) {
    eachKeyed([&](auto& lookup) { lookup.Appended(record); });
    if (positionsValid_)
        position_.emplace(record, list_.size() - 1);
}

void Lookups::Inserted(const T_EncEntry* record) {
    eachKeyed([&](auto& lookup) { lookup.Inserted(record); });
    positionsValid_ = false;
}

void Lookups::Leaving(const T_EncEntry& record) {
    eachKeyed([&](auto& lookup) { lookup.Leaving(record); });
    positionsValid_ = false;
}

void Lookups::Changing(const T_EncEntry& stored, const T_EncEntry& next) {
    eachKeyed([&](auto& lookup) { lookup.Changing(stored, next); });
}

void Lookups::Changed(const T_EncEntry* stored, const T_EncEntry& previous) {
    eachKeyed([&](auto& lookup) { lookup.Changed(stored, previous); });
}

void Lookups::Reordered() {
    eachKeyed([](auto& lookup) { lookup.Reordered(); });
    positionsValid_ = false;
}

void Lookups::Replaced() {
    eachKeyed([](auto& lookup) { lookup.Drop(); });
    positionsValid_ = false;
}

} // namespace krel
