#pragma once
// The reference the store's load and save are held against: iconv(3) converting the same bytes
// between UTF-16LE and Windows-1252 inside this process, into a fresh buffer as a real decode or
// encode would.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krel::bench {

class IconvReference {
public:
    IconvReference(const char* from, const char* to, size_t inputUnit, size_t outputPerInputByte);
    ~IconvReference();
    IconvReference(const IconvReference&) = delete;
    IconvReference& operator=(const IconvReference&) = delete;

    // The processor milliseconds to convert every input, or nothing when iconv lacks the pair. A
    // unit that has no form in the target is skipped, as the files' own decode turns it into "?".
    std::optional<double> Milliseconds(const std::vector<std::string_view>& inputs) const;

private:
    void convert(std::string_view input) const;

    void* converter_;
    size_t inputUnit_;
    size_t outputPerInputByte_;
};

// The decode reference reads the files' bytes after the byte-order mark; the encode reference
// writes the decoded texts back.
IconvReference DecodeReference();
IconvReference EncodeReference();

} // namespace krel::bench
