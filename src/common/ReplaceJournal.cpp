#include "ReplaceJournal.h"

#include "WriteTargets.h"
#include "common/Platform.h"

#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>
#include <system_error>

namespace krel {
namespace replace {
namespace fs = std::filesystem;
namespace {

ReplaceStepHook stepHook;

constexpr std::string_view kFirstField = "krel-replace 1";
constexpr std::string_view kLastField = "end";

void addField(std::string& text, std::string_view field) {
    text.append(field);
    text.push_back('\0');
}

std::string encode(const std::vector<Swap>& swaps) {
    std::string text;
    addField(text, kFirstField);
    for (const Swap& swap : swaps)
        for (const fs::path* path : {&swap.Target, &swap.Temporary, &swap.Backup})
            addField(text, path->string());
    addField(text, kLastField);
    return text;
}

std::vector<std::string> fieldsOf(const std::string& text) {
    std::vector<std::string> fields;
    for (size_t start = 0, end; (end = text.find('\0', start)) != std::string::npos;
         start = end + 1)
        fields.push_back(text.substr(start, end - start));
    return fields;
}

bool isBeside(const fs::path& file, const fs::path& target) {
    return file.parent_path() == target.parent_path() && IsTemporaryName(file.filename().string());
}

// Only names this facility gives, beside a target of an absolute path, are ever acted on.
bool isSane(const Swap& swap) {
    return swap.Target.is_absolute() && swap.Target.has_filename() &&
           isBeside(swap.Temporary, swap.Target) &&
           (swap.Backup.empty() || isBeside(swap.Backup, swap.Target));
}

std::optional<std::vector<Swap>> decode(const std::string& text) {
    std::vector<std::string> fields = fieldsOf(text);
    if (fields.size() < 2 || fields.front() != kFirstField || fields.back() != kLastField ||
        (fields.size() - 2) % 3 != 0)
        return std::nullopt;
    std::vector<Swap> swaps;
    for (size_t i = 1; i + 1 < fields.size(); i += 3)
        swaps.push_back({fields[i], fields[i + 1], fields[i + 2]});
    if (!std::all_of(swaps.begin(), swaps.end(), isSane))
        return std::nullopt;
    return swaps;
}

bool isPresent(const fs::path& path) {
    return FactsOf(path, false).Kind != FileKind::Missing;
}

void removeIfPresent(const fs::path& path) {
    if (!path.empty() && isPresent(path))
        fs::remove(path);
}

void undoOne(const Swap& swap) {
    if (!swap.Backup.empty()) {
        if (isPresent(swap.Backup))
            fs::rename(swap.Backup, swap.Target);
        // Renaming a link onto the same file leaves both names; the backup is no longer needed.
        removeIfPresent(swap.Backup);
        removeIfPresent(swap.Temporary);
    } else if (isPresent(swap.Temporary)) {
        fs::remove(swap.Temporary);
    } else {
        // The target did not exist before and its temporary has been renamed onto it.
        removeIfPresent(swap.Target);
    }
}

// A journal is trusted only when it is a plain file of this user's: anyone else's could name
// files this user must not touch.
std::optional<std::vector<Swap>> readJournal(const fs::path& journal, const FileFacts& facts) {
    if (facts.Kind != FileKind::Regular || !OwnedByThisUser(facts))
        return std::nullopt;
    return decode(ReadWholeFile(journal));
}

} // namespace

void RecordIntent(const fs::path& folder, const std::vector<Swap>& swaps) {
    fs::path journal = JournalIn(folder);
    fs::path temporary = TemporaryBeside(journal);
    std::optional<FileHandle> file = CreateNewFile(temporary, true);
    if (!file)
        throw std::system_error(std::make_error_code(std::errc::file_exists));
    try {
        WriteAll(*file, encode(swaps));
        SyncFile(*file);
        file->Close();
        fs::rename(temporary, journal);
    } catch (...) {
        removeIfPresent(temporary);
        throw;
    }
    // The backups' links and the journal must both be on the disk before any target changes.
    SyncFoldersOf(swaps, folder);
}

void ClearIntent(const fs::path& folder) {
    fs::remove(JournalIn(folder));
    SyncFolder(folder);
}

void Undo(const std::vector<Swap>& swaps) {
    for (size_t i = 0; i < swaps.size(); ++i) {
        undoOne(swaps[i]);
        Reached(ReplaceStep::RollingBack, i);
    }
    SyncFoldersOf(swaps);
}

void UndoInterrupted(const fs::path& folder) {
    fs::path journal = JournalIn(folder);
    FileFacts facts = FactsOf(journal, false);
    if (facts.Kind == FileKind::Missing)
        return;
    std::optional<std::vector<Swap>> swaps = readJournal(journal, facts);
    if (!swaps)
        throw std::runtime_error("The folder " + Quoted(folder) +
                                 " holds the record of an interrupted save that this program "
                                 "cannot use, " +
                                 Quoted(journal) + "; remove it to go on");
    Undo(*swaps);
    ClearIntent(folder);
}

void RemoveLeftovers(const fs::path& folder, const std::vector<std::string>& names) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        bool older = std::any_of(names.begin(), names.end(), [&](const std::string& target) {
            return IsOlderLeftoverOf(name, target);
        });
        std::error_code ignored;
        if ((older || IsTemporaryName(name)) &&
            it->symlink_status(ignored).type() != fs::file_type::directory)
            fs::remove(it->path(), ignored);
    }
}

void SyncFoldersOf(const std::vector<Swap>& swaps, const fs::path& also) {
    std::set<fs::path> folders;
    for (const Swap& swap : swaps)
        folders.insert(swap.Target.parent_path());
    if (!also.empty())
        folders.insert(fs::absolute(also));
    for (const fs::path& folder : folders)
        SyncFolder(folder);
}

void Reached(ReplaceStep step, size_t file) {
    if (stepHook)
        stepHook(step, file);
}

} // namespace replace

void SetReplaceStepHook(ReplaceStepHook hook) {
    replace::stepHook = std::move(hook);
}

} // namespace krel
