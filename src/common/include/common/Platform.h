#pragma once
// The few calls that differ between operating systems live here, so every other file of the
// program stays portable.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

// The running executable's own file, or an empty path when the system cannot tell.
std::filesystem::path ExecutablePath();

// The user's home folder ($HOME, else the account's entry), or an empty path.
std::filesystem::path HomeFolder();

// True when the current user may create files in the folder.
bool IsWritableFolder(const std::filesystem::path& folder);

// The file system that holds path (the link itself for a symbolic link), or nothing when it
// cannot be examined. Two paths with the same value live on the same file system.
std::optional<std::uint64_t> FileSystemOf(const std::filesystem::path& path);

// Whether two names that differ only in letter case name the same file here.
bool FileNamesIgnoreCase();

// Archives carry a local date for every member; without a TZ setting the C library re-reads the
// zone file for each one, which makes listing a large archive several times slower. Called once
// at program start, before any thread exists.
void PinLocalTimeZone();

// Gives the memory that the heap holds free back to the system. A step that frees a great many
// small blocks (a merge drops a whole parsed encyclopedia) would otherwise keep them resident
// under whatever large buffer comes next.
void ReleaseFreedMemory();

// Runs work in a child process and returns the number it gives, or nothing when it fails, gives
// a negative number or the system cannot start one. Memory the child uses never counts towards
// this process's peak (the store benchmark measures a fresh load this way).
std::optional<double> RunInChildProcess(const std::function<double()>& work);

struct ProgramRun {
    int ExitStatus = -1;      // -1 when the program did not end normally
    double Seconds = 0;       // wall-clock time
    double CpuSeconds = 0;    // user and system time of all its threads
    double PeakMegabytes = 0; // the program's largest resident memory
};

// User and system time of this process's threads so far. On a busy machine a program gets
// only its share of the cores, so benchmarks report this beside the wall-clock time.
double ProcessCpuSeconds();

// Runs a program found on the search path (arguments[0]) with its standard output going to
// outputFile, and waits for it; nothing when it cannot be started.
std::optional<ProgramRun> RunProgram(const std::vector<std::string>& arguments,
                                     const std::filesystem::path& outputFile);

} // namespace krel

// The file calls of the safe-replace facility (common/AtomicFile.h), which is their only user
// in the program. Failures are raised as std::system_error carrying the system's error code.
namespace krel {

// An open file; closed when destroyed.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(int descriptor) : descriptor_(descriptor) {}
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept : descriptor_(other.descriptor_) {
        other.descriptor_ = -1;
    }
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int Descriptor() const { return descriptor_; }
    // Closes now, raising a failure that the system reports only at closing.
    void Close();

private:
    int descriptor_ = -1;
};

enum class FileKind { Missing, Regular, Folder, Link, Other };

struct FileFacts {
    FileKind Kind = FileKind::Missing;
    unsigned Permissions = 0; // permission bits with the set-id and sticky bits
    std::uint64_t Owner = 0;
    std::uint64_t Group = 0;
};

// What is at path, the link itself or what it leads to. A missing path is FileKind::Missing.
FileFacts FactsOf(const std::filesystem::path& path, bool followLinks);
bool OwnedByThisUser(const FileFacts& facts);

// Creates path as a new, empty file open for writing. It is never opened when anything is
// already there, a symbolic link included: then the result is empty. ownerOnly gives it mode
// 0600, else 0666 less the user's mask.
std::optional<FileHandle> CreateNewFile(const std::filesystem::path& path, bool ownerOnly);
// Opens a plain file for reading. A folder, a pipe or a device is refused without being waited
// on.
FileHandle OpenPlainFile(const std::filesystem::path& path);
std::string ReadAll(const FileHandle& file);
void WriteAll(const FileHandle& file, std::string_view bytes);
// Appends all of source to target, inside the system where it can copy without the bytes
// passing through this process.
void CopyAll(const FileHandle& source, const FileHandle& target);
// Gives file the permission bits of facts, and its owner and group where the system allows.
void AdoptPermissions(const FileHandle& file, const FileFacts& facts);
void SyncFile(const FileHandle& file);
// Makes the renames and removals in folder durable; nothing where the file system cannot.
void SyncFolder(const std::filesystem::path& folder);

// The advisory lock this program's writers take on a folder. While one object holds it, no
// other holds it in this or any other process; it dies with the process that held it. The lock
// file it needs is removed on release. A folder that cannot hold one (read only, or a file
// system without locks) gives an object that holds nothing.
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Held() const { return handle_.Descriptor() >= 0; }

private:
    std::filesystem::path file_;
    FileHandle handle_;
};

// Standard input, output and error that the program was started without are taken by the null
// device, opened the other way round: a later file never gets their numbers, and every write
// to a missing output fails. Called once at program start.
void ReserveStandardStreams();

// A child process for the crash trials: work runs there and sends numbers to the parent, which
// can kill it at any instant as a crash would.
class ChildProcess {
public:
    using Send = std::function<void(std::uint64_t)>;
    explicit ChildProcess(const std::function<void(const Send& send)>& work);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next number sent, or nothing once the child has ended.
    std::optional<std::uint64_t> Receive();
    // Kills the child at once and waits for its end.
    void Kill();

private:
    int process_ = -1;
    FileHandle channel_;
};

} // namespace krel
