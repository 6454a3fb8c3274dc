#pragma once
// The parts of a PNG stream looked at before libpng is given it: the header, and how much
// compressed image data the stream really holds.

#include <cstdint>
#include <string_view>

namespace krel {

struct PngHeader {
    uint32_t Width = 0;
    uint32_t Height = 0;
    uint8_t BitDepth = 0;
    uint8_t ColourType = 0;
};

// Raises EPngError "Not a PNG picture" or "Damaged PNG picture: ..." for a bad header.
PngHeader ReadPngHeader(std::string_view bytes);

// Whether the stream holds enough compressed image data to make the picture the header
// promises. Deflate shrinks data at most 1032 to 1, so a stream with less is truncated or
// hostile, and decoding it would only allocate memory to fail later.
bool HoldsEnoughImageData(std::string_view bytes, const PngHeader& header);

} // namespace krel
