#pragma once
// PNG pictures decoded from memory into a plain image value. The windows turn the value into a
// bitmap; nothing here knows about them.

#include "common/UnitError.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace krel {

KREL_UNIT_ERROR(EPngError);

// Pictures wider or higher than this are refused before anything is allocated.
inline constexpr uint32_t MaxPngSide = 16384;

// 8-bit RGBA pixels, rows top to bottom, four bytes a pixel, no padding.
struct PngImage {
    uint32_t Width = 0;
    uint32_t Height = 0;
    std::vector<uint8_t> Rgba;

    uint8_t* Pixel(uint32_t x, uint32_t y) { return &Rgba[(size_t{y} * Width + x) * 4]; }
    const uint8_t* Pixel(uint32_t x, uint32_t y) const {
        return &Rgba[(size_t{y} * Width + x) * 4];
    }
};

struct PngSize {
    uint32_t Width = 0;
    uint32_t Height = 0;
};

// Decodes a whole PNG stream. A stream that is no PNG, is truncated or damaged, or is larger
// than MaxPngSide on either side raises EPngError with a text saying which.
PngImage DecodePng(std::string_view bytes);

// Width and height from the header alone (for listings); raises EPngError for a stream that
// does not begin with a PNG header.
PngSize ReadPngSize(std::string_view bytes);

// Encodes an image as an RGBA PNG stream; raises EPngError when libpng refuses it.
std::string EncodePng(const PngImage& image);

} // namespace krel
