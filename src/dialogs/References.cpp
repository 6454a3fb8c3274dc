#include "dialogs/References.h"

#include <set>
#include <string_view>

namespace krel {
namespace {

struct Candidates {
    std::unordered_set<std::string_view> tags;
    std::set<size_t> lengths;
};

Candidates entryTags(const Encyclopedia::EntryList& list) {
    Candidates candidates;
    for (const auto& record : list) {
        if (record->Kind != ekEntry)
            continue;
        candidates.tags.insert(record->Tag);
        candidates.lengths.insert(record->Tag.size());
    }
    return candidates;
}

void collectFrom(std::string_view text, size_t length, const Candidates& candidates,
                 std::unordered_set<std::string>& found) {
    for (size_t start = 0; start + length <= text.size(); ++start) {
        auto hit = candidates.tags.find(text.substr(start, length));
        if (hit != candidates.tags.end())
            found.emplace(*hit);
    }
}

} // namespace

const T_EncEntry* FirstRecordHolding(const Encyclopedia::EntryList& list, const std::string& tag) {
    for (const auto& record : list)
        if (record->Content.find(tag) != std::string::npos)
            return record.get();
    return nullptr;
}

std::unordered_set<std::string> ReferencedTags(const Encyclopedia::EntryList& list) {
    Candidates candidates = entryTags(list);
    std::unordered_set<std::string> found;
    for (const auto& record : list)
        for (size_t length : candidates.lengths)
            collectFrom(record->Content, length, candidates, found);
    return found;
}

} // namespace krel
