#pragma once
// The record that makes a replacement of several files one unit. Before the first target is
// replaced, the list of swaps is written to the folder's journal; the journal is removed only
// once every target holds its new content. A journal found by the next reader or writer is the
// mark of an interruption, and that replacement is undone: every target gets its previous
// content back from the link or copy kept beside it.

#include "common/AtomicFile.h"

#include <filesystem>
#include <string>
#include <vector>

namespace krel::replace {

// One file of a replacement. Every path is absolute, links already followed; the temporary and
// the backup lie beside the target. Backup is empty when the target did not exist before.
struct Swap {
    std::filesystem::path Target;
    std::filesystem::path Temporary;
    std::filesystem::path Backup;
};

// Writes the journal of swaps into folder, durably.
void RecordIntent(const std::filesystem::path& folder, const std::vector<Swap>& swaps);
// Removes it, durably: the replacement is complete.
void ClearIntent(const std::filesystem::path& folder);

// Gives every target its previous content again (or removes it when it had none) and removes
// the temporaries and backups. Doing it twice changes nothing more.
void Undo(const std::vector<Swap>& swaps);
// Undoes the replacement an interruption left in folder, if any, and removes its journal.
void UndoInterrupted(const std::filesystem::path& folder);
// Removes what interrupted writes left in folder: this facility's temporaries, and the
// temporaries and backups earlier versions left beside the given file names.
void RemoveLeftovers(const std::filesystem::path& folder, const std::vector<std::string>& names);

// Makes the renames in the targets' folders (and in also) durable, each folder once.
void SyncFoldersOf(const std::vector<Swap>& swaps, const std::filesystem::path& also = {});

// Tells the crash trials' hook that a step has been reached.
void Reached(ReplaceStep step, size_t file = 0);

} // namespace krel::replace
