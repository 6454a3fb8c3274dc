#pragma once
// The component's own memory stream: every successful extraction replaces its content, and a
// failed one leaves it as it was.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace krel {

class TZipStream {
public:
    const std::string& Bytes() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }
    // Hands the content over, leaving the stream empty: a text file of a hundred megabytes is
    // neither copied nor kept twice.
    std::string TakeBytes();
    // Writes the whole content to a file, atomically.
    void SaveToFile(const std::filesystem::path& path) const;

    void Clear();
    // Takes over bytes as the new content.
    void Assign(std::string&& bytes);

private:
    std::string bytes_;
};

} // namespace krel
