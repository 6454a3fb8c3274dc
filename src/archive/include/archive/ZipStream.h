#pragma once
// The component's own memory stream: every successful extraction replaces its content, and a
// failed one leaves it as it was. After an extraction the position is at the end, so readers
// rewind it first.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace krel {

class TZipStream {
public:
    const std::string& Bytes() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }
    size_t Position() const { return position_; }

    void Rewind() { position_ = 0; }
    // Copies up to count bytes from the position on and advances it; returns the count copied.
    size_t Read(void* out, size_t count);
    // Writes the whole content to a file, atomically.
    void SaveToFile(const std::filesystem::path& path) const;

    void Clear();
    // Takes over bytes as the new content, positioned at the end.
    void Assign(std::string&& bytes);

private:
    std::string bytes_;
    size_t position_ = 0;
};

} // namespace krel
