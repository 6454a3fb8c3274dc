#include "settings/WorkFolder.h"

#include "common/AtomicFile.h"
#include "common/EncyclopediaFiles.h"
#include "common/Platform.h"
#include "settings/Paths.h"

#include <algorithm>
#include <optional>

namespace krel {
namespace fs = std::filesystem;
namespace {

bool defaultRemove(const fs::path& path) {
    std::error_code error;
    return fs::remove(path, error) && !error;
}

std::optional<fs::path> canonicalOf(const fs::path& path) {
    std::error_code error;
    fs::path real = fs::canonical(path, error);
    return error ? std::nullopt : std::optional<fs::path>(real);
}

// True when ancestor is path itself or one of the folders above it.
bool isSameOrAncestor(const fs::path& ancestor, const fs::path& path) {
    auto [a, p] = std::mismatch(ancestor.begin(), ancestor.end(), path.begin(), path.end());
    return a == ancestor.end() || (std::next(a) == ancestor.end() && a->empty());
}

std::vector<fs::path> guardedFolders(const std::vector<std::string>& keep) {
    std::vector<fs::path> folders;
    if (auto home = canonicalOf(HomeFolder()); home && !HomeFolder().empty())
        folders.push_back(*home);
    for (const std::string& text : keep) {
        fs::path folder = FsPath(text);
        if (!text.empty() && folder.is_absolute())
            if (auto real = canonicalOf(folder))
                folders.push_back(*real);
    }
    return folders;
}

std::string refusal(const fs::path& folder, const std::vector<std::string>& keep) {
    if (folder == folder.root_path())
        return "'" + folder.string() + "' is the top of the file system";
    for (const fs::path& guarded : guardedFolders(keep))
        if (isSameOrAncestor(folder, guarded))
            return "'" + folder.string() +
                   "' holds the system's, the user's, the program's or "
                   "the game's files";
    return {};
}

bool isMarked(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(fs::symlink_status(folder / kWorkFolderMarker, error));
}

std::vector<fs::directory_entry> entriesOf(const fs::path& folder) {
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(*it);
    return entries;
}

void emptyFolder(const fs::path& folder, std::uint64_t device, bool keepMarker,
                 const EntryRemover& remove) {
    for (const fs::directory_entry& entry : entriesOf(folder)) {
        std::error_code error;
        fs::file_status status = entry.symlink_status(error);
        if (keepMarker && entry.path().filename() == kWorkFolderMarker)
            continue;
        if (fs::is_directory(status)) {
            if (FileSystemOf(entry.path()) != device)
                continue;
            emptyFolder(entry.path(), device, false, remove);
        }
        remove(entry.path());
    }
}

void removeWorkFiles(const fs::path& folder, const EntryRemover& remove) {
    for (const std::string& name : WorkFileNames()) {
        std::error_code error;
        fs::file_status status = fs::symlink_status(folder / name, error);
        if (fs::is_regular_file(status) || fs::is_symlink(status))
            remove(folder / name);
    }
}

bool isEmptyFolder(const fs::path& folder) {
    std::error_code error;
    return fs::is_empty(folder, error) && !error;
}

} // namespace

const std::vector<std::string>& WorkFileNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (bool mergeFiles : {false, true}) {
            FilePair files = EncyclopediaFilesIn({}, mergeFiles);
            all.push_back(files.Contents.string());
            all.push_back(files.Titles.string());
        }
        return all;
    }();
    return names;
}

void PrepareWorkFolder(std::string_view text) {
    fs::path folder = FsPath(text);
    if (text.empty() || !folder.is_absolute())
        return;
    std::error_code error;
    bool created = fs::create_directories(folder, error);
    if (error)
        throw std::runtime_error("Cannot create the folder '" + folder.string() +
                                 "': " + error.message());
    if (created || isEmptyFolder(folder))
        WriteFileAtomic(folder / kWorkFolderMarker,
                        "This folder holds the Krel Editor's work files. The editor empties it "
                        "when it closes.\n");
}

CleanResult EmptyWorkFolder(std::string_view text, const std::vector<std::string>& keep,
                            const EntryRemover& remover) {
    fs::path given = FsPath(text);
    if (text.empty() || !given.is_absolute())
        return {CleanOutcome::Refused, "the work folder is not an absolute path"};
    std::optional<fs::path> folder = canonicalOf(given);
    if (!folder || !fs::is_directory(*folder))
        return {CleanOutcome::Refused, "the work folder does not exist"};
    if (std::string reason = refusal(*folder, keep); !reason.empty())
        return {CleanOutcome::Refused, reason};
    const EntryRemover& remove = remover ? remover : EntryRemover(defaultRemove);
    if (!isMarked(*folder)) {
        removeWorkFiles(*folder, remove);
        return {CleanOutcome::WorkFilesRemoved, {}};
    }
    emptyFolder(*folder, FileSystemOf(*folder).value_or(0), true, remove);
    return {CleanOutcome::Emptied, {}};
}

} // namespace krel
