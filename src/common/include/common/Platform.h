#pragma once
// The few calls that differ between operating systems live here, so every other file of the
// program stays portable.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

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

} // namespace krel
