#pragma once
// Inflating a whole raw deflate stream at once with libdeflate, which is several times faster
// than reading it through libzip's zlib stream: opening the game's strings archive spends most
// of its extraction here.

#include <cstdint>
#include <string>
#include <string_view>

namespace krel {

enum class InflateOutcome {
    Whole,     // exactly the expected size came out
    Short,     // the stream ended before the expected size
    Long,      // the stream holds more than the expected size
    BadStream, // not a valid deflate stream
    WrongCrc   // the right size came out, but not the data the CRC was taken of
};

// Inflates stream into out, which must already have the expected size, and checks the result
// against the expected CRC-32; out's content is unspecified unless the outcome is Whole.
InflateOutcome InflateWhole(std::string_view stream, std::string& out, uint32_t expectedCrc);

} // namespace krel
