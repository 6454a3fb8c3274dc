#pragma once
// The few calls that differ between operating systems live here, so every other file of the
// program stays portable.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
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
