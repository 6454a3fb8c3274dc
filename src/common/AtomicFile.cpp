#include "common/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace krel {
namespace fs = std::filesystem;
namespace {

std::string describe(const fs::path& path) {
    return "'" + path.string() + "'";
}

std::string lastErrorText() {
    return errno != 0 ? std::strerror(errno) : "unknown error";
}

// A name beside the target that no other writer in this process picks at the same time.
fs::path siblingName(const fs::path& target, const char* purpose) {
    static std::atomic<unsigned> counter{0};
    fs::path name = target;
    name += std::string(".") + purpose + std::to_string(counter++) + "~";
    return name;
}

fs::path writeTemporary(const fs::path& target, std::string_view bytes) {
    fs::path temporary = siblingName(target, "new");
    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("Cannot create file " + describe(target) + ": " + lastErrorText());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw std::runtime_error("Cannot write file " + describe(target) + ": " + lastErrorText());
    }
    return temporary;
}

void removeQuietly(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

struct Swap {
    fs::path target;
    fs::path temporary;
    fs::path backup; // empty when the target did not exist
    bool done = false;
};

// Keeps the previous content under a second name without ever leaving the target missing:
// a hard link where the file system has them, else a copy.
fs::path keepPrevious(const fs::path& target) {
    fs::path backup = siblingName(target, "old");
    std::error_code error;
    fs::create_hard_link(target, backup, error);
    if (error) {
        error.clear();
        fs::copy_file(target, backup, error);
    }
    if (error)
        throw std::runtime_error("Cannot replace file " + describe(target) + ": " +
                                 error.message());
    return backup;
}

void swapIn(Swap& swap) {
    std::error_code error;
    if (fs::exists(swap.target, error))
        swap.backup = keepPrevious(swap.target);
    fs::rename(swap.temporary, swap.target, error);
    if (error)
        throw std::runtime_error("Cannot replace file " + describe(swap.target) + ": " +
                                 error.message());
    swap.done = true;
}

void rollBack(std::vector<Swap>& swaps) {
    std::error_code ignored;
    for (auto it = swaps.rbegin(); it != swaps.rend(); ++it) {
        if (!it->done)
            removeQuietly(it->temporary);
        if (it->done && it->backup.empty())
            fs::remove(it->target, ignored);
        if (!it->backup.empty())
            fs::rename(it->backup, it->target, ignored);
    }
}

} // namespace

std::string ReadWholeFile(const fs::path& path) {
    std::error_code error;
    if (fs::is_directory(path, error))
        throw std::runtime_error("Cannot open file " + describe(path) + ": it is a folder");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Cannot open file " + describe(path) + ": " + lastErrorText());
    std::string bytes;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        in.seekg(0, std::ios::beg);
        in.read(bytes.data(), size);
    }
    if (size < 0 || !in)
        throw std::runtime_error("Cannot read file " + describe(path) + ": " + lastErrorText());
    return bytes;
}

void WriteFileAtomic(const fs::path& path, std::string_view bytes) {
    fs::path temporary = writeTemporary(path, bytes);
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        removeQuietly(temporary);
        throw std::runtime_error("Cannot replace file " + describe(path) + ": " + error.message());
    }
}

void ReplaceFilesAtomically(const std::vector<FileContent>& files) {
    std::vector<Swap> swaps;
    swaps.reserve(files.size());
    try {
        for (const auto& [target, bytes] : files)
            swaps.push_back({target, writeTemporary(target, bytes), {}, false});
        for (auto& swap : swaps)
            swapIn(swap);
    } catch (...) {
        rollBack(swaps);
        throw;
    }
    for (const auto& swap : swaps)
        if (!swap.backup.empty())
            removeQuietly(swap.backup);
}

} // namespace krel
