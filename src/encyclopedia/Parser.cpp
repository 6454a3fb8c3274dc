#include "encyclopedia/Parser.h"

#include "common/AtomicFile.h"
#include "encyclopedia/Encyclopedia.h"
#include "encyclopedia/Errors.h"
#include "encyclopedia/TextFormat.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

namespace krel {
namespace {

void setProgress(const ProgressFn& progress, const std::string& message, int percent) {
    guarded<EEncThreadError>("SetProgress()", [&] {
        if (progress)
            progress(message, percent);
    });
}

std::optional<T_RawKind> attributeKind(KindCode code) {
    switch (code) {
    case KindCode::EGI:
        return rkImage;
    case KindCode::EGK:
        return rkKeywords;
    case KindCode::EGR:
        return rkRelated;
    case KindCode::EGC:
        return rkContent;
    default:
        return std::nullopt;
    }
}

// The parse's own lists: the records in the order of their lines and the attribute lines still
// waiting for their entry. Hash maps stand in for the scans by tag, with the same answers: an
// attribute binds to the first entry with its tag, and a new entry takes the waiting attributes
// with its tag in the order they were read.
class Binder {
public:
    void Add(const RecordCut& line) {
        if (line.Code == KindCode::EGH)
            records_.push_back({ekHeader, {}, {}, {}, {}, line.Value(), std::string(line.Tag)});
        else if (line.Code == KindCode::EGT)
            addEntry({ekEntry, line.Value(), {}, {}, {}, {}, std::string(line.Tag)});
        else if (auto kind = attributeKind(line.Code))
            addAttribute(line, *kind);
    }

    ParseResult Finish() {
        ParseResult result{std::move(records_), {}};
        for (size_t i = 0; i < waiting_.size(); ++i)
            if (!applied_[i])
                result.Orphans.push_back(std::move(waiting_[i]));
        return result;
    }

private:
    void addEntry(T_EncEntry entry) {
        std::string key = FoldCase(entry.Tag);
        guarded<EEncThreadError>("CheckRawList()", [&] { takeWaiting(key, entry); });
        records_.push_back(std::move(entry));
        firstEntry_.emplace(std::move(key), records_.size() - 1);
    }

    // Applied attributes are never looked at again, so their texts move into the entry.
    void takeWaiting(const std::string& key, T_EncEntry& entry) {
        auto found = waitingByTag_.find(key);
        if (found == waitingByTag_.end())
            return;
        for (size_t index : found->second) {
            FieldFor(entry, waiting_[index].Kind) = std::move(waiting_[index].Text);
            applied_[index] = true;
        }
        waitingByTag_.erase(found);
    }

    void addAttribute(const RecordCut& line, T_RawKind kind) {
        std::string key = FoldCase(line.Tag);
        bool bound = guarded<EEncThreadError>("CheckEntryList()", [&] {
            auto found = firstEntry_.find(key);
            if (found != firstEntry_.end())
                FieldFor(records_[found->second], kind) = line.Value();
            return found != firstEntry_.end();
        });
        if (bound)
            return;
        waitingByTag_[key].push_back(waiting_.size());
        waiting_.push_back({std::string(line.Tag), kind, line.Value()});
        applied_.push_back(false);
    }

    std::vector<T_EncEntry> records_;
    std::unordered_map<std::string, size_t> firstEntry_; // folded tag -> index in records_
    std::vector<T_RawEntry> waiting_;
    std::vector<bool> applied_;
    std::unordered_map<std::string, std::vector<size_t>> waitingByTag_; // folded tag
};

// One pass over a file's lines; the percentage counts the lines up to the current candidate.
void parsePass(RecordGatherer& gatherer, const std::string& status, const ProgressFn& progress,
               Binder& binder) {
    setProgress(progress, status, 0);
    int percent = 0;
    while (!gatherer.AtEnd()) {
        std::string_view candidate = gatherer.NextCandidateView();
        int reached = static_cast<int>(gatherer.CandidateEnd() * 100 / gatherer.LineCount());
        if (reached != percent) {
            percent = reached;
            setProgress(progress, status, percent);
        }
        if (auto line = CutRecordView(candidate))
            binder.Add(*line);
    }
}

// Both texts are split before either pass, so a file without a line fails before a pass starts.
ParseResult parseTexts(std::string_view titles, std::string_view contents,
                       const ProgressFn& progress) {
    RecordGatherer titleLines(EncyclopediaLinesOf(titles));
    RecordGatherer contentLines(EncyclopediaLinesOf(contents));
    Binder binder;
    parsePass(titleLines, "Parsing Encyclopedia Titles.", progress, binder);
    parsePass(contentLines, "Parsing Encyclopedia Contents.", progress, binder);
    setProgress(progress, "Processing Completed.", 100);
    return binder.Finish();
}

// Each file's bytes are released as soon as they are decoded, and the decoded texts before the
// records are handed over, so whoever takes the records never shares memory with the files.
ParseResult parseWorkFiles(const std::filesystem::path& workFolder, bool mergeFiles,
                           const ProgressFn& progress) {
    setProgress(progress, "Loading Encyclopedia Titles.", 0);
    // Both files are read as one pair (a save into the folder cannot slip in between), without
    // holding the folder while progress is reported.
    std::vector<std::string> files = ReadFilesTogether(
        {TitlesFileIn(workFolder, mergeFiles), ContentsFileIn(workFolder, mergeFiles)});
    std::string titles = DecodeEncyclopediaText(std::exchange(files[0], {}));
    setProgress(progress, "Loading Encyclopedia Content.", 0);
    std::string contents = DecodeEncyclopediaText(std::exchange(files[1], {}));
    return parseTexts(titles, contents, progress);
}

} // namespace

ParseResult ParseEncyclopedia(std::string_view titlesBytes, std::string_view contentsBytes,
                              const ProgressFn& progress) {
    return parseTexts(DecodeEncyclopediaText(titlesBytes), DecodeEncyclopediaText(contentsBytes),
                      progress);
}

std::filesystem::path TitlesFileIn(const std::filesystem::path& folder, bool mergeFiles) {
    return EncyclopediaFilesIn(folder, mergeFiles).Titles;
}

std::filesystem::path ContentsFileIn(const std::filesystem::path& folder, bool mergeFiles) {
    return EncyclopediaFilesIn(folder, mergeFiles).Contents;
}

void Execute(const std::filesystem::path& workFolder, bool mergeFiles, const ProgressFn& progress,
             const std::function<void(const ParseResult&)>& onComplete) {
    guarded<EEncThreadError>("Execute()", [&] {
        ParseResult result = parseWorkFiles(workFolder, mergeFiles, progress);
        if (onComplete)
            onComplete(result);
    });
}

bool CheckEntryList(const T_RawEntry& raw, std::vector<T_EncEntry>& parsed) {
    return guarded<EEncThreadError>("CheckEntryList()", [&] {
        auto entry = std::find_if(parsed.begin(), parsed.end(), [&](const T_EncEntry& record) {
            return record.Kind == ekEntry && EqualsIgnoreCase(record.Tag, raw.Tag);
        });
        if (entry != parsed.end())
            FieldFor(*entry, raw.Kind) = raw.Text;
        return entry != parsed.end();
    });
}

void CheckRawList(T_EncEntry& entry, std::vector<T_RawEntry>& rawList) {
    guarded<EEncThreadError>("CheckRawList()", [&] {
        auto matches = [&](const T_RawEntry& raw) {
            return EqualsIgnoreCase(raw.Tag, entry.Tag);
        };
        for (const T_RawEntry& raw : rawList)
            if (matches(raw))
                FieldFor(entry, raw.Kind) = raw.Text;
        std::erase_if(rawList, matches);
    });
}

} // namespace krel
