#include "encyclopedia/Parser.h"

#include "common/AtomicFile.h"
#include "encyclopedia/Encyclopedia.h"
#include "encyclopedia/Errors.h"
#include "encyclopedia/FileText.h"
#include "encyclopedia/TagTable.h"
#include "encyclopedia/TextFormat.h"

#include <algorithm>
#include <optional>
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
// waiting for their entry. Tables by tag stand in for the scans by tag, with the same answers:
// an attribute binds to the first entry with its tag, and a new entry takes the waiting
// attributes with its tag in the order they were read.
class Binder {
public:
    // Records come from record lines, so the lines bound how many there can be; room that is
    // never written costs no memory. A written entry takes about four lines of titles.
    explicit Binder(size_t lineCount) {
        records_.reserve(lineCount);
        firstKeys_.reserve(lineCount);
        firstEntry_.Reserve(lineCount / 4);
    }

    void Add(const RecordCut& line) {
        if (line.Code == KindCode::EGH)
            addRecord({ekHeader, {}, {}, {}, {}, line.Value(), std::string(line.Tag)}, kNoKey);
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
    static constexpr std::uint64_t kNoKey = ~std::uint64_t{0}; // no tag packs into this

    void addEntry(T_EncEntry entry) {
        std::uint64_t key = TagTable::KeyOf(entry.Tag);
        guarded<EEncThreadError>("CheckRawList()", [&] { takeWaiting(key, entry); });
        bool first = firstEntry_.Add(key, records_.size());
        addRecord(std::move(entry), first ? key : kNoKey);
        last_ = records_.size() - 1;
    }

    void addRecord(T_EncEntry record, std::uint64_t firstKey) {
        records_.push_back(std::move(record));
        firstKeys_.push_back(firstKey);
    }

    // Attribute lines mostly follow their entry's title line, and body lines come in the order
    // of the entries, so the entry found last and the record after it are tried first.
    size_t firstEntryWith(std::uint64_t key) {
        for (size_t guess : {last_, last_ + 1})
            if (guess < firstKeys_.size() && firstKeys_[guess] == key)
                return last_ = guess;
        size_t found = firstEntry_.Find(key);
        if (found != TagTable::npos)
            last_ = found;
        return found;
    }

    // Applied attributes are never looked at again, so their texts move into the entry.
    void takeWaiting(std::uint64_t key, T_EncEntry& entry) {
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
        std::uint64_t key = TagTable::KeyOf(line.Tag);
        bool bound = guarded<EEncThreadError>("CheckEntryList()", [&] {
            size_t found = firstEntryWith(key);
            if (found != TagTable::npos)
                FieldFor(records_[found], kind) = line.Value();
            return found != TagTable::npos;
        });
        if (bound)
            return;
        waitingByTag_[key].push_back(waiting_.size());
        waiting_.push_back({std::string(line.Tag), kind, line.Value()});
        applied_.push_back(false);
    }

    std::vector<T_EncEntry> records_;
    std::vector<std::uint64_t> firstKeys_; // per record: its tag's key if it is the first entry
                                           // with that tag, else kNoKey
    size_t last_ = 0;
    TagTable firstEntry_; // tag -> index in records_
    std::vector<T_RawEntry> waiting_;
    std::vector<bool> applied_;
    std::unordered_map<std::uint64_t, std::vector<size_t>> waitingByTag_; // TagTable::KeyOf
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

// Each file is decoded as it is read; the texts are released before the records are handed
// over, so whoever takes the records never shares memory with the files.
ParseResult parseWorkFiles(const std::filesystem::path& workFolder, bool mergeFiles,
                           const ProgressFn& progress) {
    setProgress(progress, "Loading Encyclopedia Titles.", 0);
    // Both files are read as one pair (a save into the folder cannot slip in between), without
    // holding the folder while progress is reported.
    const FilePair files = EncyclopediaFilesIn(workFolder, mergeFiles);
    auto pair = std::make_optional<ReadingLock>(std::vector{files.Titles, files.Contents});
    FileText titles = ReadEncyclopediaFile(files.Titles);
    FileText contents = ReadEncyclopediaFile(files.Contents);
    pair.reset();
    setProgress(progress, "Loading Encyclopedia Content.", 0);
    return ParseEncyclopediaTexts(titles.View(), contents.View(), progress);
}

} // namespace

ParseResult ParseEncyclopedia(std::string_view titlesBytes, std::string_view contentsBytes,
                              const ProgressFn& progress) {
    return ParseEncyclopediaTexts(DecodeEncyclopediaFile(titlesBytes).View(),
                                  DecodeEncyclopediaFile(contentsBytes).View(), progress);
}

// Both texts are split before either pass, so a file without a line fails before a pass starts.
ParseResult ParseEncyclopediaTexts(std::string_view titles, std::string_view contents,
                                   const ProgressFn& progress) {
    RecordGatherer titleLines(EncyclopediaLinesOf(titles));
    RecordGatherer contentLines(EncyclopediaLinesOf(contents));
    Binder binder(titleLines.LineCount());
    parsePass(titleLines, "Parsing Encyclopedia Titles.", progress, binder);
    parsePass(contentLines, "Parsing Encyclopedia Contents.", progress, binder);
    setProgress(progress, "Processing Completed.", 100);
    return binder.Finish();
}

std::filesystem::path TitlesFileIn(const std::filesystem::path& folder, bool mergeFiles) {
    return EncyclopediaFilesIn(folder, mergeFiles).Titles;
}

std::filesystem::path ContentsFileIn(const std::filesystem::path& folder, bool mergeFiles) {
    return EncyclopediaFilesIn(folder, mergeFiles).Contents;
}

void Execute(const std::filesystem::path& workFolder, bool mergeFiles, const ProgressFn& progress,
             const std::function<void(ParseResult&)>& onComplete) {
    guarded<EEncThreadError>("Execute()", [&] {
        ParseResult result = parseWorkFiles(workFolder, mergeFiles, progress);
        if (onComplete)
            onComplete(result);
    });
}

void Execute(const BytesPair& files, const ProgressFn& progress,
             const std::function<void(ParseResult&)>& onComplete) {
    guarded<EEncThreadError>("Execute()", [&] {
        setProgress(progress, "Loading Encyclopedia Titles.", 0);
        setProgress(progress, "Loading Encyclopedia Content.", 0);
        ParseResult result = ParseEncyclopedia(files.Titles, files.Contents, progress);
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
