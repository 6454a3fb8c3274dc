#include "encyclopedia/TocLayout.h"

#include "encyclopedia/TextFormat.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>
#include <utility>

namespace krel {
namespace {

// Headers whose number cannot be read go last; the table of contents refuses to build then.
long long displayRank(const T_EncEntry& header) {
    try {
        return HeaderNumber(header.Tag);
    } catch (const std::invalid_argument&) {
        return std::numeric_limits<long long>::max();
    }
}

std::vector<const T_EncEntry*> headersInOrder(const Encyclopedia& book) {
    std::vector<std::pair<long long, const T_EncEntry*>> ranked;
    for (const auto& record : book.GetEntryList())
        if (record->Kind == ekHeader)
            ranked.emplace_back(displayRank(*record), record.get());
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const T_EncEntry*> headers;
    headers.reserve(ranked.size());
    for (const auto& [rank, header] : ranked)
        headers.push_back(header);
    return headers;
}

// Sorts the spots by entry, keeping the order of each entry's own spots.
void sortByEntry(std::vector<const T_EncEntry*>& entries, std::vector<TocLayout::Spot>& spots) {
    std::vector<size_t> order(entries.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return std::less<>()(entries[a], entries[b]); });
    std::vector<const T_EncEntry*> sortedEntries;
    std::vector<TocLayout::Spot> sortedSpots;
    sortedEntries.reserve(order.size());
    sortedSpots.reserve(order.size());
    for (size_t i : order) {
        sortedEntries.push_back(entries[i]);
        sortedSpots.push_back(spots[i]);
    }
    entries = std::move(sortedEntries);
    spots = std::move(sortedSpots);
}

} // namespace

TocLayout::TocLayout(const Encyclopedia& book)
    : headers_(headersInOrder(book)), memberKeys_(headers_.size()) {
    for (size_t header = 0; header < headers_.size(); ++header)
        addMembers(book, header);
    sortByEntry(spotEntries_, spots_);
}

std::span<const TocLayout::Spot> TocLayout::SpotsOf(const T_EncEntry* entry) const {
    auto [first, last] =
        std::equal_range(spotEntries_.begin(), spotEntries_.end(), entry, std::less<>());
    return {spots_.data() + (first - spotEntries_.begin()), static_cast<size_t>(last - first)};
}

// A member item shows the first record of any kind with its tag, as the table of contents does.
void TocLayout::addMembers(const Encyclopedia& book, size_t header) {
    size_t row = 0;
    CommaListReader members(HeaderMembers(headers_[header]->Content));
    while (auto item = members.Next()) {
        memberKeys_[header].push_back(FoldCase(*item));
        const T_EncEntry* record = book.GetEntryByTag(*item);
        if (!record)
            continue;
        if (record->Kind == ekEntry) {
            spotEntries_.push_back(record);
            spots_.push_back({header, row});
        }
        ++row;
    }
}

size_t MemberRowCount(const Encyclopedia& book, const T_EncEntry& header) {
    size_t count = 0;
    CommaListReader members(HeaderMembers(header.Content));
    while (auto item = members.Next())
        count += book.GetEntryByTag(*item) != nullptr ? 1 : 0;
    return count;
}

} // namespace krel
