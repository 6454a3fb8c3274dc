#include "Replacement.h"

#include "ReplaceJournal.h"
#include "WriteTargets.h"

#include <map>
#include <stdexcept>
#include <system_error>

namespace krel::replace {
namespace fs = std::filesystem;
namespace {

// A folder reached through a link or by a relative name is still the same folder, with one lock.
fs::path folderOf(const fs::path& file) {
    fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    std::error_code error;
    fs::path real = fs::canonical(folder, error);
    return error ? fs::absolute(folder, error) : real;
}

// The folders in the one order every holder locks them in, each with the file names of interest.
std::map<fs::path, std::vector<std::string>> foldersOf(const std::vector<fs::path>& files) {
    std::map<fs::path, std::vector<std::string>> folders;
    for (const fs::path& file : files)
        folders[folderOf(file)].push_back(file.filename().string());
    return folders;
}

void removeQuietly(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

struct Planned {
    const NewContent* New = nullptr;
    fs::path Target; // absolute, links followed
    FileFacts Previous;
};

fs::path namingFolder(const std::vector<NewContent>& files) {
    fs::path folder = files.front().Target.parent_path();
    for (const NewContent& file : files)
        if (file.Target.parent_path() != folder)
            throw std::logic_error("files replaced together must be named in one folder");
    return folder.empty() ? fs::path(".") : folder;
}

std::vector<Planned> planFor(const std::vector<NewContent>& files) {
    std::vector<Planned> plan;
    for (const NewContent& file : files)
        plan.push_back({&file, fs::absolute(FollowToFile(file.Target)), {}});
    return plan;
}

std::vector<fs::path> pathsToHold(const std::vector<Planned>& plan,
                                  const std::vector<fs::path>& sources) {
    std::vector<fs::path> paths = sources;
    for (const Planned& planned : plan) {
        paths.push_back(planned.New->Target);
        paths.push_back(planned.Target);
    }
    return paths;
}

// Known only once the folders are held: undoing an interruption may have changed them.
void notePreviousContent(Planned& planned) {
    planned.Previous = FactsOf(planned.Target, false);
    FileKind kind = planned.Previous.Kind;
    if (kind == FileKind::Missing || kind == FileKind::Regular)
        return;
    throw std::runtime_error(
        "Cannot replace file " + Quoted(planned.New->Target) +
        (kind == FileKind::Folder ? ": it is a folder" : ": it is not a plain file"));
}

struct NewFile {
    fs::path Path;
    FileHandle Handle;
};

NewFile createBeside(const fs::path& target, bool ownerOnly, const fs::path& named) {
    try {
        for (int attempt = 0; attempt < 100; ++attempt) {
            fs::path path = TemporaryBeside(target);
            if (std::optional<FileHandle> file = CreateNewFile(path, ownerOnly))
                return {path, std::move(*file)};
        }
        throw std::system_error(std::make_error_code(std::errc::file_exists));
    } catch (const std::system_error& e) {
        Fail("Cannot create", named, e);
    }
}

void finishFile(FileHandle& file, const FileFacts& previous) {
    if (previous.Kind != FileKind::Missing)
        AdoptPermissions(file, previous);
    SyncFile(file);
    file.Close();
}

// Fills a new file beside target; on any failure the file is removed again.
fs::path fillBeside(const fs::path& target, const FileFacts& previous, const fs::path& named,
                    const Fill& fill) {
    NewFile file = createBeside(target, previous.Kind != FileKind::Missing, named);
    try {
        fill(file.Handle);
        finishFile(file.Handle, previous);
    } catch (const std::system_error& e) {
        removeQuietly(file.Path);
        Fail("Cannot write", named, e);
    } catch (...) {
        removeQuietly(file.Path);
        throw;
    }
    return file.Path;
}

// A second name for the previous content, without a copy where the file system has hard links.
fs::path keepBeside(const Planned& planned) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path backup = TemporaryBeside(planned.Target);
        std::error_code error;
        fs::create_hard_link(planned.Target, backup, error);
        if (!error)
            return backup;
        if (error != std::errc::file_exists)
            break;
    }
    return fillBeside(
        planned.Target, planned.Previous, planned.New->Target,
        [&](const FileHandle& file) { CopyAll(OpenPlainFile(planned.Target), file); });
}

template <class Step> void asReplacing(const fs::path& named, Step step) {
    try {
        step();
    } catch (const std::system_error& e) {
        Fail("Cannot replace", named, e);
    }
}

class Replacement {
public:
    Replacement(std::vector<Planned> plan, fs::path folder)
        : plan_(std::move(plan)), folder_(std::move(folder)) {}

    void Run() {
        try {
            writeTemporaries();
            if (plan_.size() == 1)
                swapAll();
            else
                swapAsOneUnit();
        } catch (...) {
            undoQuietly();
            throw;
        }
        for (const Swap& swap : swaps_)
            removeQuietly(swap.Backup);
    }

private:
    void writeTemporaries() {
        for (const Planned& planned : plan_)
            swaps_.push_back({planned.Target,
                              fillBeside(planned.Target, planned.Previous, planned.New->Target,
                                         planned.New->Content),
                              {}});
        Reached(ReplaceStep::TemporariesWritten);
    }

    // The journal is written before the first target changes and removed after the last one
    // has: an interruption in between leaves the journal, and the next holder of the folder
    // undoes the whole replacement.
    void swapAsOneUnit() {
        for (size_t i = 0; i < plan_.size(); ++i)
            if (plan_[i].Previous.Kind != FileKind::Missing)
                asReplacing(plan_[i].New->Target, [&] { swaps_[i].Backup = keepBeside(plan_[i]); });
        Reached(ReplaceStep::PreviousKept);
        asReplacing(plan_.front().New->Target, [&] { RecordIntent(folder_, swaps_); });
        Reached(ReplaceStep::IntentRecorded);
        swapAll();
        asReplacing(plan_.front().New->Target, [&] { ClearIntent(folder_); });
        Reached(ReplaceStep::IntentCleared);
    }

    void swapAll() {
        for (size_t i = 0; i < plan_.size(); ++i) {
            asReplacing(plan_[i].New->Target,
                        [&] { fs::rename(swaps_[i].Temporary, swaps_[i].Target); });
            Reached(ReplaceStep::TargetReplaced, i);
        }
        asReplacing(plan_.front().New->Target, [&] { SyncFoldersOf(swaps_); });
    }

    // When undoing fails too, the journal stays and the next holder of the folder undoes.
    void undoQuietly() noexcept {
        try {
            Undo(swaps_);
            removeQuietly(JournalIn(folder_));
        } catch (...) {
        }
    }

    std::vector<Planned> plan_;
    fs::path folder_;
    std::vector<Swap> swaps_;
};

void undoInterruptedIn(const fs::path& folder) {
    try {
        UndoInterrupted(folder);
    } catch (const std::system_error& e) {
        throw std::runtime_error("Cannot undo the interrupted save in the folder " +
                                 Quoted(folder) + ": " + e.code().message());
    }
}

} // namespace

FolderHold::FolderHold(const std::vector<fs::path>& files) {
    for (const auto& [folder, names] : foldersOf(files)) {
        locks_.push_back(std::make_unique<FolderLock>(folder));
        undoInterruptedIn(folder);
        // Without the lock another writer may be at work, and its temporaries are no leftovers.
        if (locks_.back()->Held())
            RemoveLeftovers(folder, names);
    }
}

FolderHold::~FolderHold() = default;

void ReplaceAll(const std::vector<NewContent>& files, const std::vector<fs::path>& sources) {
    if (files.empty())
        return;
    fs::path folder = namingFolder(files);
    std::vector<Planned> plan = planFor(files);
    FolderHold hold(pathsToHold(plan, sources));
    Reached(ReplaceStep::FoldersHeld);
    for (Planned& planned : plan)
        notePreviousContent(planned);
    Replacement(std::move(plan), folder).Run();
}

} // namespace krel::replace
