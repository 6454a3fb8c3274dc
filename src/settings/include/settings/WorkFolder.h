#pragma once
// The editor's work folder is emptied when the program closes and when the setting changes.
// Because the setting is free text, it may name a folder full of the user's own files: only a
// folder the editor made for its work (or adopted while empty) carries the marker file and is
// emptied completely; anywhere else only the editor's own work files are removed.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

// The file that marks a folder as the editor's own.
inline constexpr std::string_view kWorkFolderMarker = ".krel-work-folder";

// Every file name the editor may leave in its work folder.
const std::vector<std::string>& WorkFileNames();

// Creates the folder with all missing parents when it is missing, and marks it when it was
// created now or is empty. An empty or relative text is ignored. Throws when creation fails.
void PrepareWorkFolder(std::string_view folder);

enum class CleanOutcome {
    Emptied,          // a marked folder: everything but the marker is gone (where possible)
    WorkFilesRemoved, // an unmarked folder: only the editor's own work files were removed
    Refused,          // a folder that is never cleaned (see reason)
};

struct CleanResult {
    CleanOutcome outcome;
    std::string reason; // why the folder was refused
};

// Deletes one file, folder or link; returns false on failure. Tests substitute a failing one.
using EntryRemover = std::function<bool(const std::filesystem::path&)>;

// Empties the work folder as described above. Never follows a symbolic link, never crosses to
// another file system, and refuses an empty or relative text, the file-system root, the home
// folder, any ancestor of either, and any folder in keep (the program's and the game's folders)
// or one of their ancestors. Failures to delete an entry are ignored; the walk goes on.
CleanResult EmptyWorkFolder(std::string_view folder, const std::vector<std::string>& keep,
                            const EntryRemover& remover = {});

} // namespace krel
