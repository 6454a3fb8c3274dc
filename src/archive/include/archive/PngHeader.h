#pragma once
// The parts of a PNG stream looked at before libpng is given it: the header, and how much
// compressed image data the stream really holds.

#include <cstddef>
#include <cstdint>
#include <optional>
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

// Bytes from the start of a PNG stream to the end of its header chunk.
inline constexpr size_t PngHeadSize = 33;

// The header of a picture judged from its first PngHeadSize bytes and its size alone, as a
// listing does without reading the picture: nothing unless the signature is there, the header
// chunk's CRC matches, its values are sane, and a stream of streamSize bytes could hold the
// compressed image data a picture of that size needs.
std::optional<PngHeader> CheckedPngHead(std::string_view head, uint64_t streamSize);

// Whether the stream holds enough compressed image data to make the picture the header
// promises. Deflate shrinks data at most 1032 to 1, so a stream with less is truncated or
// hostile, and decoding it would only allocate memory to fail later.
bool HoldsEnoughImageData(std::string_view bytes, const PngHeader& header);

} // namespace krel
