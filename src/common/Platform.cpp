#include "common/Platform.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

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

namespace krel {
namespace fs = std::filesystem;
namespace {

[[noreturn]] void failWith(int code) {
    throw std::system_error(code, std::generic_category());
}

[[noreturn]] void failWithLastError() {
    failWith(errno);
}

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Folder;
    return S_ISLNK(mode) ? FileKind::Link : FileKind::Other;
}

struct stat statOf(const FileHandle& file) {
    struct stat info {};
    if (fstat(file.Descriptor(), &info) != 0)
        failWithLastError();
    return info;
}

size_t readSome(const FileHandle& file, char* into, size_t room) {
    for (;;) {
        ssize_t got = ::read(file.Descriptor(), into, room);
        if (got >= 0)
            return static_cast<size_t>(got);
        if (errno != EINTR)
            failWithLastError();
    }
}

void copyByReading(const FileHandle& source, const FileHandle& target) {
    std::vector<char> buffer(1 << 20);
    while (size_t got = readSome(source, buffer.data(), buffer.size()))
        WriteAll(target, std::string_view(buffer.data(), got));
}

// The errors with which a file system says it cannot copy inside itself between these files.
bool cannotCopyInside(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
           error == EPERM;
}

// A holder of the lock removes its file before releasing it, so a lock counts only while the
// file still carries the name.
bool stillNamed(const FileHandle& handle, const fs::path& file) {
    struct stat named {};
    struct stat held = statOf(handle);
    return lstat(file.c_str(), &named) == 0 && named.st_dev == held.st_dev &&
           named.st_ino == held.st_ino;
}

bool tryToGive(const FileHandle& file, const FileFacts& facts) {
    return fchown(file.Descriptor(), static_cast<uid_t>(facts.Owner),
                  static_cast<gid_t>(facts.Group)) == 0;
}

int lockWaiting(const FileHandle& handle) {
    int result;
    do
        result = flock(handle.Descriptor(), LOCK_EX);
    while (result != 0 && errno == EINTR);
    return result;
}

} // namespace

FileHandle::~FileHandle() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

void FileHandle::Close() {
    int descriptor = std::exchange(descriptor_, -1);
    if (descriptor >= 0 && ::close(descriptor) != 0 && errno != EINTR)
        failWithLastError();
}

FileFacts FactsOf(const fs::path& path, bool followLinks) {
    struct stat info {};
    int result = followLinks ? stat(path.c_str(), &info) : lstat(path.c_str(), &info);
    if (result != 0 && (errno == ENOENT || errno == ENOTDIR))
        return {};
    if (result != 0)
        failWithLastError();
    return {kindOf(info.st_mode), static_cast<unsigned>(info.st_mode & 07777), info.st_uid,
            info.st_gid};
}

bool OwnedByThisUser(const FileFacts& facts) {
    return facts.Owner == geteuid();
}

std::optional<FileHandle> CreateNewFile(const fs::path& path, bool ownerOnly) {
    int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    FileHandle file(::open(path.c_str(), flags, ownerOnly ? 0600 : 0666));
    if (file.Descriptor() >= 0)
        return file;
    if (errno == EEXIST)
        return std::nullopt;
    failWithLastError();
}

FileHandle OpenPlainFile(const fs::path& path) {
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Descriptor() < 0)
        failWithLastError();
    mode_t mode = statOf(file).st_mode;
    if (!S_ISREG(mode))
        failWith(S_ISDIR(mode) ? EISDIR : EINVAL);
    return file;
}

std::string ReadAll(const FileHandle& file) {
    std::string bytes(static_cast<size_t>(std::max<off_t>(statOf(file).st_size, 0)), '\0');
    size_t filled = 0;
    while (filled < bytes.size()) {
        size_t got = readSome(file, bytes.data() + filled, bytes.size() - filled);
        if (got == 0) {
            bytes.resize(filled);
            return bytes;
        }
        filled += got;
    }
    char more[1 << 16];
    while (size_t got = readSome(file, more, sizeof more))
        bytes.append(more, got);
    return bytes;
}

void WriteAll(const FileHandle& file, std::string_view bytes) {
    while (!bytes.empty()) {
        size_t piece = std::min<size_t>(bytes.size(), size_t{1} << 30);
        ssize_t written = ::write(file.Descriptor(), bytes.data(), piece);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            failWithLastError();
        bytes.remove_prefix(static_cast<size_t>(written));
    }
}

void CopyAll(const FileHandle& source, const FileHandle& target) {
    bool copiedAny = false;
    for (;;) {
        ssize_t copied = copy_file_range(source.Descriptor(), nullptr, target.Descriptor(), nullptr,
                                         size_t{1} << 30, 0);
        if (copied > 0) {
            copiedAny = true;
            continue;
        }
        // Some file systems report an end at once for a file they cannot copy from.
        if (copied == 0 && (copiedAny || statOf(source).st_size == 0))
            return;
        if (copied < 0 && errno == EINTR)
            continue;
        if (copiedAny || (copied < 0 && !cannotCopyInside(errno)))
            failWithLastError();
        return copyByReading(source, target);
    }
}

void AdoptPermissions(const FileHandle& file, const FileFacts& facts) {
    struct stat now = statOf(file);
    // Only the superuser may give a file away; for others a different owner stays a wish.
    if (now.st_uid != facts.Owner || now.st_gid != facts.Group)
        tryToGive(file, facts);
    // File systems without permission bits (a FAT data disk) refuse to set them; nothing is lost.
    if (fchmod(file.Descriptor(), static_cast<mode_t>(facts.Permissions)) != 0 && errno != EPERM &&
        errno != EOPNOTSUPP)
        failWithLastError();
}

void SyncFile(const FileHandle& file) {
    if (fsync(file.Descriptor()) != 0 && errno != EINVAL)
        failWithLastError();
}

void SyncFolder(const fs::path& folder) {
    FileHandle handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.Descriptor() >= 0 && fsync(handle.Descriptor()) != 0 && errno == EIO)
        failWithLastError();
}

FolderLock::FolderLock(const fs::path& folder) : file_(folder / ".krel-lock~") {
    int flags = O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        FileHandle handle(::open(file_.c_str(), flags, 0644));
        if (handle.Descriptor() < 0 && errno != ELOOP)
            return;
        // Something else under the lock's name (a planted link, a pipe) is taken away.
        if (handle.Descriptor() < 0 || !S_ISREG(statOf(handle).st_mode)) {
            ::unlink(file_.c_str());
            continue;
        }
        if (lockWaiting(handle) != 0)
            return;
        if (stillNamed(handle, file_)) {
            handle_ = std::move(handle);
            return;
        }
    }
}

FolderLock::~FolderLock() {
    if (Held())
        ::unlink(file_.c_str());
}

void ReserveStandardStreams() {
    for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        if (fcntl(stream, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", stream == STDIN_FILENO ? O_WRONLY : O_RDONLY);
}

ChildProcess::ChildProcess(const std::function<void(const Send& send)>& work) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        failWithLastError();
    pid_t child = fork();
    if (child == 0) {
        ::close(ends[0]);
        Send send = [end = ends[1]](std::uint64_t number) {
            if (::write(end, &number, sizeof number) != sizeof number)
                std::_Exit(3);
        };
        int status = 0;
        try {
            work(send);
        } catch (...) {
            status = 1;
        }
        std::_Exit(status);
    }
    ::close(ends[1]);
    channel_ = FileHandle(ends[0]);
    if (child < 0)
        failWithLastError();
    process_ = child;
}

ChildProcess::~ChildProcess() {
    Kill();
}

std::optional<std::uint64_t> ChildProcess::Receive() {
    std::uint64_t number = 0;
    char* into = reinterpret_cast<char*>(&number);
    size_t filled = 0;
    while (filled < sizeof number) {
        size_t got = readSome(channel_, into + filled, sizeof number - filled);
        if (got == 0)
            return std::nullopt;
        filled += got;
    }
    return number;
}

void ChildProcess::Kill() {
    if (process_ <= 0)
        return;
    ::kill(process_, SIGKILL);
    while (waitpid(process_, nullptr, 0) < 0 && errno == EINTR) {
    }
    process_ = -1;
}

} // namespace krel
