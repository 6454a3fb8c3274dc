#pragma once
// The safe-replace facility's machinery behind common/AtomicFile.h: the folders it holds, and the
// replacement of a set of files as one unit.

#include "common/Platform.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace krel::replace {

// Holds the folders of some files for one reading or writing: the lock of each folder is taken,
// always in the same order so that two holders never wait on each other; then in each folder an
// interrupted replacement is undone and the leftovers of interrupted writes are removed.
class FolderHold {
public:
    explicit FolderHold(const std::vector<std::filesystem::path>& files);
    ~FolderHold();
    FolderHold(const FolderHold&) = delete;
    FolderHold& operator=(const FolderHold&) = delete;

private:
    std::vector<std::unique_ptr<FolderLock>> locks_;
};

// Writes a file's new content into its temporary.
using Fill = std::function<void(const FileHandle& file)>;

struct NewContent {
    std::filesystem::path Target;
    Fill Content;
};

// Replaces every target with its new content as one unit; the folders of sources, files the
// fills read, are held as well. All targets are named in one folder.
void ReplaceAll(const std::vector<NewContent>& files,
                const std::vector<std::filesystem::path>& sources = {});

} // namespace krel::replace
