#pragma once
// Reads a file front to back in pieces into the caller's buffer, so that a large file never has
// to sit in memory whole and no buffer is zero-filled just before a read fills it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace krel {

class FileReader {
public:
    // Throws std::runtime_error "Cannot open file '...': reason", as ReadWholeFile does.
    explicit FileReader(const std::filesystem::path& path);

    // The size of the file when it was opened; reading stops there.
    std::uint64_t Size() const { return size_; }
    bool AtEnd() const { return read_ == size_; }
    // Reads up to count bytes into buffer and returns how many; 0 at the end. Throws
    // std::runtime_error "Cannot read file '...': reason".
    size_t Read(char* buffer, size_t count);

private:
    std::filesystem::path path_;
    std::ifstream in_;
    std::uint64_t size_ = 0;
    std::uint64_t read_ = 0;
};

} // namespace krel
