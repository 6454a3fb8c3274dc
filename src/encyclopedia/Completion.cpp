#include "encyclopedia/Completion.h"

#include "SortKey.h"
#include "encyclopedia/TextFormat.h"

#include <algorithm>

namespace krel {
namespace {

// The parsed records' positions in the order the merge takes them (a stable sort by
// CompareEncEntries). Every header number is read first, so a bad one fails before the list
// changes; the records themselves are not moved.
std::vector<size_t> mergeOrder(const std::vector<T_EncEntry>& parsed) {
    std::vector<SortKey> keys;
    keys.reserve(parsed.size());
    for (size_t i = 0; i < parsed.size(); ++i)
        keys.push_back(SortKeyOf(parsed[i], i));
    std::sort(keys.begin(), keys.end());
    std::vector<size_t> order;
    order.reserve(keys.size());
    for (const SortKey& key : keys)
        order.push_back(key.Index);
    return order;
}

// Decides for each duplicate whether the merged record replaces the existing one, asking when
// the preferences say so and remembering "Yes to All" and "No to All" for the whole merge.
class DuplicatePolicy {
public:
    explicit DuplicatePolicy(const MergeOptions& options) : options_(options) {}

    bool Overwrites(const std::string& tag) {
        if (options_.Overwrite)
            return false;
        if (!options_.Confirm || overwriteAll_)
            return true;
        if (keepAll_)
            return false;
        return answer(ask(tag));
    }

private:
    MergeAnswer ask(const std::string& tag) const {
        if (!options_.Ask)
            return MergeAnswer::No;
        return options_.Ask("Duplicate entry found for the tag \"" + tag + "\".  Overwrite?");
    }

    bool answer(MergeAnswer reply) {
        if (reply == MergeAnswer::YesToAll)
            overwriteAll_ = true;
        if (reply == MergeAnswer::NoToAll)
            keepAll_ = true;
        return reply == MergeAnswer::Yes || reply == MergeAnswer::YesToAll;
    }

    const MergeOptions& options_;
    bool overwriteAll_ = false;
    bool keepAll_ = false;
};

// Records are taken over from the parsed list when they are added or overwrite another.
void mergeEntry(Encyclopedia& encyclopedia, T_EncEntry& merged, DuplicatePolicy& policy,
                MergeResult& result) {
    const T_EncEntry* existing = encyclopedia.GetEntryOnlyByTag(merged.Tag);
    if (!existing) {
        encyclopedia.Append(std::move(merged));
        ++result.ItemsAdded;
    } else if (policy.Overwrites(merged.Tag)) {
        encyclopedia.Update(existing, std::move(merged));
        ++result.ItemsChanged;
    }
}

// Of a run of untitled headers only the first is added; an added titled header ends the run.
class HeaderMerge {
public:
    HeaderMerge(Encyclopedia& encyclopedia, DuplicatePolicy& policy, MergeResult& result)
        : encyclopedia_(encyclopedia), policy_(policy), result_(result) {}

    void Merge(T_EncEntry& merged) {
        bool untitled = merged.Content.starts_with(':');
        const T_EncEntry* existing = encyclopedia_.GetHeaderByTitle(HeaderTitle(merged.Content));
        if (existing && !untitled)
            replaceText(existing, merged);
        else if (!untitled || untitledRun_ == 0)
            add(merged, untitled);
    }

private:
    void replaceText(const T_EncEntry* existing, const T_EncEntry& merged) {
        if (!policy_.Overwrites(merged.Tag))
            return;
        encyclopedia_.Modify(existing,
                             [&](T_EncEntry& header) { header.Content = merged.Content; });
        ++result_.ItemsChanged;
    }

    void add(T_EncEntry& merged, bool untitled) {
        untitledRun_ = untitled ? 1 : 0;
        encyclopedia_.Append(std::move(merged));
        ++result_.ItemsAdded;
    }

    Encyclopedia& encyclopedia_;
    DuplicatePolicy& policy_;
    MergeResult& result_;
    int untitledRun_ = 0;
};

void appendLetterRows(Encyclopedia& encyclopedia) {
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        encyclopedia.Append({ekLetter, std::string(1, letter), {}, {}, {}, {}, {}});
}

} // namespace

// The records go straight into the list, without a vector of their own on the way.
void InstallParsed(Encyclopedia& encyclopedia, const std::vector<T_EncEntry>& parsed) {
    encyclopedia.Replace(parsed);
    appendLetterRows(encyclopedia);
}

void InstallParsed(Encyclopedia& encyclopedia, std::vector<T_EncEntry>&& parsed) {
    encyclopedia.Replace(std::move(parsed));
    appendLetterRows(encyclopedia);
}

MergeResult MergeParsed(Encyclopedia& encyclopedia, const std::vector<T_EncEntry>& parsed,
                        const MergeOptions& options) {
    return MergeParsed(encyclopedia, std::vector<T_EncEntry>(parsed), options);
}

MergeResult MergeParsed(Encyclopedia& encyclopedia, std::vector<T_EncEntry>&& parsed,
                        const MergeOptions& options) {
    std::vector<T_EncEntry> taken = std::move(parsed);
    const std::vector<size_t> order = mergeOrder(taken);
    MergeResult result;
    DuplicatePolicy policy(options);
    for (size_t at : order)
        if (taken[at].Kind == ekEntry)
            mergeEntry(encyclopedia, taken[at], policy, result);
    HeaderMerge headers(encyclopedia, policy, result);
    for (size_t at : order)
        if (taken[at].Kind == ekHeader)
            headers.Merge(taken[at]);
    return result;
}

std::string ParsedReadyLine(const Encyclopedia& encyclopedia) {
    return "Encyclopedia Parsed and ready.  " + std::to_string(encyclopedia.Count()) +
           " entries found.";
}

} // namespace krel
