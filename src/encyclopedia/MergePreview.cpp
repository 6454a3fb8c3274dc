#include "encyclopedia/MergePreview.h"

#include "encyclopedia/Errors.h"
#include "encyclopedia/TextFormat.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace krel {
namespace {

bool isUntitled(const T_EncEntry& header) {
    return header.Content.starts_with(':');
}

// Classifies the incoming records as if every new one were added and every conflict kept
// mine, which is also what later records with the same tag or title meet when all are taken.
class Classifier {
public:
    explicit Classifier(const Encyclopedia& current) : current_(current) {}

    void Entry(T_EncEntry&& theirs) {
        std::string tag = FoldCase(theirs.Tag);
        const T_EncEntry* mine = current_.GetEntryOnlyByTag(tag);
        if (!mine)
            mine = earlier(addedEntries_, tag);
        if (mine)
            meet(*mine, std::move(theirs), *mine == theirs);
        else
            addNew(addedEntries_, tag, std::move(theirs));
    }

    void Header(T_EncEntry&& theirs) {
        bool untitled = isUntitled(theirs);
        std::string title = FoldCase(HeaderTitle(theirs.Content));
        const T_EncEntry* mine = untitled ? nullptr : current_.GetHeaderByTitle(title);
        if (!mine && !untitled)
            mine = earlier(addedHeaders_, title);
        if (mine) {
            meet(*mine, std::move(theirs), mine->Content == theirs.Content);
        } else if (untitled && inUntitledRun_) {
            records_.push_back({IncomingKind::Skipped, std::move(theirs), std::nullopt, false});
        } else {
            inUntitledRun_ = untitled;
            addNew(addedHeaders_, title, std::move(theirs));
        }
    }

    MergePreview Finish() { return {std::move(records_)}; }

private:
    using Added = std::unordered_map<std::string, size_t>; // folded key to record index

    // The first incoming record added under the key, if any.
    const T_EncEntry* earlier(const Added& added, const std::string& key) const {
        auto found = added.find(key);
        return found == added.end() ? nullptr : &records_[found->second].Theirs;
    }

    void meet(const T_EncEntry& mine, T_EncEntry&& theirs, bool identical) {
        IncomingKind kind = identical ? IncomingKind::Identical : IncomingKind::Conflict;
        records_.push_back({kind, std::move(theirs), mine, false});
    }

    void addNew(Added& added, const std::string& key, T_EncEntry&& theirs) {
        added.try_emplace(key, records_.size());
        records_.push_back({IncomingKind::New, std::move(theirs), std::nullopt, true});
    }

    const Encyclopedia& current_;
    std::vector<IncomingRecord> records_;
    Added addedEntries_;
    Added addedHeaders_;
    bool inUntitledRun_ = false;
};

void chooseForAll(MergePreview& preview, bool take) {
    for (IncomingRecord& record : preview.Records)
        if (record.Kind == IncomingKind::Conflict || record.Kind == IncomingKind::Identical)
            record.Take = take;
}

void applyEntry(Encyclopedia& encyclopedia, const T_EncEntry& theirs, MergeResult& result) {
    const T_EncEntry* mine = encyclopedia.GetEntryOnlyByTag(theirs.Tag);
    if (!mine) {
        encyclopedia.Append(theirs);
        ++result.ItemsAdded;
    } else if (*mine != theirs) {
        encyclopedia.Update(mine, theirs);
        ++result.ItemsChanged;
    }
}

void applyHeader(Encyclopedia& encyclopedia, const T_EncEntry& theirs, MergeResult& result) {
    const T_EncEntry* mine =
        isUntitled(theirs) ? nullptr : encyclopedia.GetHeaderByTitle(HeaderTitle(theirs.Content));
    if (!mine) {
        encyclopedia.Append(theirs);
        ++result.ItemsAdded;
    } else if (mine->Content != theirs.Content) {
        encyclopedia.Modify(mine, [&](T_EncEntry& header) { header.Content = theirs.Content; });
        ++result.ItemsChanged;
    }
}

} // namespace

MergePreview PreviewMerge(const Encyclopedia& current, const std::vector<T_EncEntry>& incoming) {
    return guarded<EEncEditorError>("PreviewMerge()", [&] {
        std::vector<T_EncEntry> sorted = incoming;
        std::stable_sort(sorted.begin(), sorted.end(), CompareEncEntries);
        Classifier classifier(current);
        for (T_EncEntry& record : sorted)
            if (record.Kind == ekEntry)
                classifier.Entry(std::move(record));
        for (T_EncEntry& record : sorted)
            if (record.Kind == ekHeader)
                classifier.Header(std::move(record));
        return classifier.Finish();
    });
}

void TakeTheirsForAll(MergePreview& preview) {
    chooseForAll(preview, true);
}

void KeepMineForAll(MergePreview& preview) {
    chooseForAll(preview, false);
}

MergeResult ApplyMerge(Encyclopedia& encyclopedia, const MergePreview& preview) {
    MergeResult result;
    for (const IncomingRecord& record : preview.Records) {
        if (!record.Take || record.Kind == IncomingKind::Skipped)
            continue;
        if (record.Theirs.Kind == ekEntry)
            applyEntry(encyclopedia, record.Theirs, result);
        else if (record.Theirs.Kind == ekHeader)
            applyHeader(encyclopedia, record.Theirs, result);
    }
    return result;
}

} // namespace krel
