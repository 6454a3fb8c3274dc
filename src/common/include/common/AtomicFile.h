#pragma once
// The one way the program writes files. Nothing is written in place: new content goes to a
// temporary beside the target, created exclusively under an unpredictable name, and only a
// complete, flushed temporary replaces the target, which keeps its permission bits (and, where
// the system allows, its owner). A target that is a symbolic link is written through to its file.
// Writers into one folder take turns under an advisory lock, and each write first clears away
// what interrupted writes left there.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace krel {

namespace replace {
class FolderHold;
}

// Reads a whole file; throws std::runtime_error naming the file and the reason. A folder, a
// pipe or a device is refused without being waited on.
std::string ReadWholeFile(const std::filesystem::path& path);

// Writes bytes to path. Throws on failure, leaving any existing file at path untouched.
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Replaces several files, all named in one folder, as one unit: a failure, or a crash at any
// instant, leaves every target with its previous content (as the next reading through
// ReadingLock finds it), and success leaves every target with its new content. The bytes are only
// viewed: they stay the caller's and must live until the call returns.
using FileContent = std::pair<std::filesystem::path, std::string_view>;
void ReplaceFilesAtomically(const std::vector<FileContent>& files);

// The same with each target's new content copied from a source file (target, source), inside the
// file system where it can. The sources are read as a steady set too.
using FileCopy = std::pair<std::filesystem::path, std::filesystem::path>;
void ReplaceFilesWithCopies(const std::vector<FileCopy>& copies);

// Puts a file built elsewhere (a fresh archive) in place of target, as WriteFileAtomic would, and
// removes it.
void MoveFileIntoPlace(const std::filesystem::path& built, const std::filesystem::path& target);

// Holds a set of files steady for reading: a replacement of them that a crash interrupted is
// undone first, and no writer of this program replaces them while the object lives.
class ReadingLock {
public:
    explicit ReadingLock(const std::vector<std::filesystem::path>& files);
    ~ReadingLock();
    ReadingLock(const ReadingLock&) = delete;
    ReadingLock& operator=(const ReadingLock&) = delete;

private:
    std::unique_ptr<replace::FolderHold> hold_;
};

// Reads each file whole under one ReadingLock.
std::vector<std::string> ReadFilesTogether(const std::vector<std::filesystem::path>& files);

// The steps of a replacement of several files, in order (RollingBack: one target of an undone
// replacement has its previous content again). The crash trials stop the process between steps.
enum class ReplaceStep {
    FoldersHeld,
    TemporariesWritten,
    PreviousKept,
    IntentRecorded,
    TargetReplaced,
    IntentCleared,
    RollingBack
};
using ReplaceStepHook = std::function<void(ReplaceStep step, size_t file)>;
void SetReplaceStepHook(ReplaceStepHook hook);

} // namespace krel
