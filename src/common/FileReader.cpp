#include "common/FileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace krel {
namespace fs = std::filesystem;
namespace {

std::string failure(const char* what, const fs::path& path, const std::string& reason) {
    return std::string(what) + " '" + path.string() + "': " + reason;
}

std::string lastErrorText() {
    return errno != 0 ? std::strerror(errno) : "unknown error";
}

} // namespace

// Without a buffer of its own the stream reads straight into the caller's buffer.
FileReader::FileReader(const fs::path& path) : path_(path) {
    std::error_code error;
    if (fs::is_directory(path, error))
        throw std::runtime_error(failure("Cannot open file", path, "it is a folder"));
    in_.rdbuf()->pubsetbuf(nullptr, 0);
    errno = 0;
    in_.open(path, std::ios::binary);
    if (!in_)
        throw std::runtime_error(failure("Cannot open file", path, lastErrorText()));
    in_.seekg(0, std::ios::end);
    std::streamoff size = in_.tellg();
    in_.seekg(0, std::ios::beg);
    if (size < 0 || !in_)
        throw std::runtime_error(failure("Cannot read file", path, lastErrorText()));
    size_ = static_cast<std::uint64_t>(size);
}

size_t FileReader::Read(char* buffer, size_t count) {
    count = static_cast<size_t>(std::min<std::uint64_t>(count, size_ - read_));
    if (count == 0)
        return 0;
    errno = 0;
    in_.read(buffer, static_cast<std::streamsize>(count));
    auto got = static_cast<size_t>(in_.gcount());
    if (in_.bad() || (got == 0 && !in_.eof()))
        throw std::runtime_error(failure("Cannot read file", path_, lastErrorText()));
    read_ += got;
    return got;
}

} // namespace krel
