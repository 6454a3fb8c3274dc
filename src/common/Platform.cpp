#include "common/Platform.h"

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace krel {
namespace fs = std::filesystem;

fs::path ExecutablePath() {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : self;
}

fs::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return {};
}

bool IsWritableFolder(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder, error) && access(folder.c_str(), W_OK | X_OK) == 0;
}

std::optional<std::uint64_t> FileSystemOf(const fs::path& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_dev);
}

void PinLocalTimeZone() {
    std::error_code ignored;
    if (std::getenv("TZ") == nullptr && fs::exists("/etc/localtime", ignored))
        setenv("TZ", ":/etc/localtime", 0);
}

void ReleaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

std::optional<double> RunInChildProcess(const std::function<double()>& work) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return std::nullopt;
    pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        double result = -1;
        try {
            result = work();
        } catch (...) {
        }
        std::_Exit(write(pipeEnds[1], &result, sizeof result) == sizeof result ? 0 : 1);
    }
    close(pipeEnds[1]);
    double result = -1;
    bool delivered = child > 0 && read(pipeEnds[0], &result, sizeof result) == sizeof result;
    close(pipeEnds[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return delivered && result >= 0 ? std::optional(result) : std::nullopt;
}

bool FileNamesIgnoreCase() {
    return false;
}

} // namespace krel
