#include "common/Platform.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/resource.h>
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

namespace {

double secondsOf(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

[[noreturn]] void execInChild(const std::vector<std::string>& arguments,
                              const std::filesystem::path& outputFile) {
    int output = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (output < 0 || dup2(output, STDOUT_FILENO) < 0)
        std::_Exit(127);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    std::_Exit(127);
}

} // namespace

std::optional<ProgramRun> RunProgram(const std::vector<std::string>& arguments,
                                     const std::filesystem::path& outputFile) {
    if (arguments.empty())
        return std::nullopt;
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0)
        execInChild(arguments, outputFile);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return std::nullopt;
    ProgramRun run;
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.PeakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.CpuSeconds = secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
    return run;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
}

bool FileNamesIgnoreCase() {
    return false;
}

} // namespace krel
