#include "encyclopedia/Compare.h"

#include "encyclopedia/TextFormat.h"
#include "encyclopedia/TocLayout.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace krel {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

// Each field's name, in the order of their bits.
constexpr std::array<std::string_view, 9> kFieldNames = {
    "tag", "title", "text", "picture", "keywords", "links", "header", "members", "order"};

// Marks the values that keep their relative order: one longest increasing run of them, found
// by patience sorting. The others are the ones that moved.
std::vector<bool> longestIncreasing(const std::vector<size_t>& values) {
    std::vector<size_t> tails; // per run length, the index of the smallest value ending one
    std::vector<size_t> previous(values.size(), kNone);
    for (size_t i = 0; i < values.size(); ++i) {
        auto place =
            std::lower_bound(tails.begin(), tails.end(), values[i],
                             [&](size_t tail, size_t value) { return values[tail] < value; });
        if (place != tails.begin())
            previous[i] = *(place - 1);
        if (place == tails.end())
            tails.push_back(i);
        else
            *place = i;
    }
    std::vector<bool> kept(values.size(), false);
    for (size_t i = tails.empty() ? kNone : tails.back(); i != kNone; i = previous[i])
        kept[i] = true;
    return kept;
}

// Which item of the other side each item goes with (kNone for none).
struct Pairing {
    std::vector<size_t> BeforeToAfter;
    std::vector<size_t> AfterToBefore;

    Pairing(size_t before, size_t after)
        : BeforeToAfter(before, kNone), AfterToBefore(after, kNone) {}
};

// Pairs the items still without a partner that have equal keys: the n-th such item of one side
// goes with the n-th of the other. A key function gives an item's key, or nothing for an item
// that pairs by no key. The items of the after side waiting for a partner are chained per key.
template <class BeforeKey, class AfterKey>
void pairByKey(Pairing& pairing, const BeforeKey& beforeKey, const AfterKey& afterKey) {
    std::unordered_map<std::string, size_t> firstWaiting;
    std::vector<size_t> nextWaiting(pairing.AfterToBefore.size(), kNone);
    for (size_t j = pairing.AfterToBefore.size(); j-- > 0;) {
        std::optional<std::string> key =
            pairing.AfterToBefore[j] == kNone ? afterKey(j) : std::nullopt;
        if (!key)
            continue;
        auto [slot, added] = firstWaiting.try_emplace(std::move(*key), j);
        if (!added)
            nextWaiting[j] = std::exchange(slot->second, j);
    }
    for (size_t i = 0; i < pairing.BeforeToAfter.size(); ++i) {
        std::optional<std::string> key =
            pairing.BeforeToAfter[i] == kNone ? beforeKey(i) : std::nullopt;
        auto found = key ? firstWaiting.find(*key) : firstWaiting.end();
        if (found == firstWaiting.end() || found->second == kNone)
            continue;
        size_t j = found->second;
        pairing.BeforeToAfter[i] = j;
        pairing.AfterToBefore[j] = i;
        found->second = nextWaiting[j];
    }
}

// One encyclopedia as the comparison sees it: its entries in list order and its table of
// contents.
struct Side {
    TocLayout Layout;
    std::vector<const T_EncEntry*> Entries;

    explicit Side(const Encyclopedia& book) : Layout(book) {
        for (const auto& record : book.GetEntryList())
            if (record->Kind == ekEntry)
                Entries.push_back(record.get());
    }

    const T_EncEntry& Header(size_t index) const { return *Layout.Headers()[index]; }

    std::string MemberList(size_t header) const {
        std::string joined;
        for (const std::string& key : Layout.MemberKeys(header))
            joined += key + ",";
        return joined;
    }

    RecordVersion HeaderVersion(size_t index) const { return {Header(index), {}, index + 1}; }

    RecordVersion EntryVersion(size_t index) const {
        RecordVersion version{*Entries[index], {}, 0};
        for (const TocLayout::Spot& spot : Layout.SpotsOf(Entries[index]))
            version.Placements.push_back(
                {std::string(HeaderTitle(Header(spot.Header).Content)), spot.Row + 1});
        return version;
    }
};

Pairing pairHeaders(const Side& before, const Side& after) {
    Pairing pairing(before.Layout.Headers().size(), after.Layout.Headers().size());
    auto titleOf = [](const Side& side) {
        return [&side](size_t h) -> std::optional<std::string> {
            return FoldCase(HeaderTitle(side.Header(h).Content));
        };
    };
    pairByKey(pairing, titleOf(before), titleOf(after));
    auto membersOf = [](const Side& side) {
        return [&side](size_t h) -> std::optional<std::string> {
            if (side.Layout.MemberKeys(h).empty())
                return std::nullopt;
            return side.MemberList(h);
        };
    };
    pairByKey(pairing, membersOf(before), membersOf(after));
    return pairing;
}

Pairing pairEntries(const Side& before, const Side& after) {
    Pairing pairing(before.Entries.size(), after.Entries.size());
    auto tagOf = [](const Side& side) {
        return [&side](size_t e) -> std::optional<std::string> {
            return FoldCase(side.Entries[e]->Tag);
        };
    };
    pairByKey(pairing, tagOf(before), tagOf(after));
    return pairing;
}

// The members, by folded tag, that moved among the other members of a header found on both
// sides; only first listings count.
void collectMovedMembers(const std::vector<std::string>& before,
                         const std::vector<std::string>& after,
                         std::unordered_set<std::string>& moved) {
    std::unordered_map<std::string_view, size_t> afterRow;
    for (size_t row = 0; row < after.size(); ++row)
        afterRow.try_emplace(after[row], row);
    std::unordered_set<std::string_view> seen;
    std::vector<std::string_view> common;
    std::vector<size_t> rows;
    for (const std::string& key : before) {
        auto found = afterRow.find(key);
        if (found != afterRow.end() && seen.insert(key).second) {
            common.push_back(key);
            rows.push_back(found->second);
        }
    }
    std::vector<bool> kept = longestIncreasing(rows);
    for (size_t i = 0; i < common.size(); ++i)
        if (!kept[i])
            moved.emplace(common[i]);
}

// Works out the changes of one comparison step by step: headers, then entries.
class Comparer {
public:
    Comparer(const Encyclopedia& before, const Encyclopedia& after)
        : before_(before), after_(after), headers_(pairHeaders(before_, after_)),
          entries_(pairEntries(before_, after_)) {}

    Comparison Run() {
        findMovedHeaders();
        findMovedMembers();
        compare(
            headers_, ekHeader, [](const Side& side, size_t h) { return side.HeaderVersion(h); },
            [this](size_t i, size_t j) { return headerFields(i, j); });
        compare(
            entries_, ekEntry, [](const Side& side, size_t e) { return side.EntryVersion(e); },
            [this](size_t i, size_t j) { return entryFields(i, j); });
        return std::move(result_);
    }

private:
    void findMovedHeaders() {
        std::vector<size_t> partners;
        for (size_t partner : headers_.BeforeToAfter)
            if (partner != kNone)
                partners.push_back(partner);
        std::vector<bool> kept = longestIncreasing(partners);
        headerMoved_.assign(headers_.AfterToBefore.size(), false);
        for (size_t i = 0; i < partners.size(); ++i)
            headerMoved_[partners[i]] = !kept[i];
    }

    void findMovedMembers() {
        for (size_t h = 0; h < headers_.BeforeToAfter.size(); ++h)
            if (size_t partner = headers_.BeforeToAfter[h]; partner != kNone)
                collectMovedMembers(before_.Layout.MemberKeys(h), after_.Layout.MemberKeys(partner),
                                    movedMembers_);
    }

    // Changed and added records in the order of the after side, then the removed ones.
    template <class VersionOf, class FieldsOf>
    void compare(const Pairing& pairing, T_EntryKind kind, const VersionOf& versionOf,
                 const FieldsOf& fieldsOf) {
        for (size_t j = 0; j < pairing.AfterToBefore.size(); ++j) {
            size_t i = pairing.AfterToBefore[j];
            if (i == kNone)
                add(ChangeKind::Added, kind, std::nullopt, versionOf(after_, j));
            else if (FieldSet fields = fieldsOf(i, j); !fields.Empty())
                add(ChangeKind::Changed, kind, versionOf(before_, i), versionOf(after_, j), fields);
        }
        for (size_t i = 0; i < pairing.BeforeToAfter.size(); ++i)
            if (pairing.BeforeToAfter[i] == kNone)
                add(ChangeKind::Removed, kind, versionOf(before_, i), std::nullopt);
    }

    FieldSet headerFields(size_t before, size_t after) const {
        FieldSet fields;
        if (HeaderTitle(before_.Header(before).Content) !=
            HeaderTitle(after_.Header(after).Content))
            fields.Add(Field::Title);
        if (before_.Layout.MemberKeys(before) != after_.Layout.MemberKeys(after))
            fields.Add(Field::Members);
        if (headerMoved_[after])
            fields.Add(Field::Order);
        return fields;
    }

    FieldSet entryFields(size_t before, size_t after) const {
        const T_EncEntry& a = *before_.Entries[before];
        const T_EncEntry& b = *after_.Entries[after];
        FieldSet fields;
        auto compare = [&](const std::string& x, const std::string& y, Field field) {
            if (x != y)
                fields.Add(field);
        };
        compare(a.Tag, b.Tag, Field::Tag);
        compare(a.Title, b.Title, Field::Title);
        compare(a.Content, b.Content, Field::Text);
        compare(a.Image, b.Image, Field::Picture);
        compare(a.Keywords, b.Keywords, Field::Keywords);
        compare(a.Related, b.Related, Field::Links);
        if (headersListing(before_, before, true) != headersListing(after_, after, false))
            fields.Add(Field::Header);
        if (!before_.Layout.SpotsOf(&a).empty() && movedMembers_.count(FoldCase(a.Tag)))
            fields.Add(Field::Order);
        return fields;
    }

    // The headers listing an entry, named by their index on the after side (kNone for a
    // header the after side lacks), sorted.
    std::vector<size_t> headersListing(const Side& side, size_t entry, bool translate) const {
        std::vector<size_t> headers;
        for (const TocLayout::Spot& spot : side.Layout.SpotsOf(side.Entries[entry]))
            headers.push_back(translate ? headers_.BeforeToAfter[spot.Header] : spot.Header);
        std::sort(headers.begin(), headers.end());
        return headers;
    }

    void add(ChangeKind change, T_EntryKind kind, std::optional<RecordVersion> before,
             std::optional<RecordVersion> after, FieldSet fields = {}) {
        result_.Changes.push_back({change, kind, std::move(before), std::move(after), fields});
    }

    Side before_;
    Side after_;
    Pairing headers_;
    Pairing entries_;
    std::vector<bool> headerMoved_;
    std::unordered_set<std::string> movedMembers_;
    Comparison result_;
};

} // namespace

FieldSet::FieldSet(std::initializer_list<Field> fields) {
    for (Field field : fields)
        Add(field);
}

std::vector<Field> FieldSet::Fields() const {
    std::vector<Field> fields;
    for (size_t bit = 0; bit < kFieldNames.size(); ++bit)
        if (bits_ & (1u << bit))
            fields.push_back(static_cast<Field>(1u << bit));
    return fields;
}

std::string_view FieldName(Field field) {
    return kFieldNames[static_cast<size_t>(std::countr_zero(static_cast<unsigned>(field)))];
}

std::string FieldNames(const FieldSet& fields) {
    std::string names;
    for (Field field : fields.Fields())
        names += (names.empty() ? "" : ", ") + std::string(FieldName(field));
    return names;
}

Comparison CompareEncyclopedias(const Encyclopedia& before, const Encyclopedia& after) {
    return Comparer(before, after).Run();
}

} // namespace krel
