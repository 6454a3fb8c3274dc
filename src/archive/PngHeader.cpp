#include "archive/PngHeader.h"

#include "archive/PngImage.h"

#include <algorithm>
#include <zlib.h>

namespace krel {
namespace {

constexpr std::string_view signature("\x89PNG\r\n\x1a\n", 8);
constexpr uint64_t deflateMaxRatio = 1032;

uint32_t bigEndian32(std::string_view bytes, size_t at) {
    auto byte = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i]));
    };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

int channelsOf(uint8_t colourType) {
    switch (colourType) {
    case 0: // grey
    case 3: // palette
        return 1;
    case 4: // grey and alpha
        return 2;
    case 2: // RGB
        return 3;
    case 6: // RGBA
        return 4;
    default:
        return 0;
    }
}

// Bytes of filtered image data a non-interlaced picture needs; interlaced ones need more.
uint64_t rawImageBytes(const PngHeader& header) {
    uint64_t rowBits = uint64_t{header.Width} * channelsOf(header.ColourType) * header.BitDepth;
    return uint64_t{header.Height} * ((rowBits + 7) / 8 + 1);
}

// The least compressed image data a picture of that size can be made from.
uint64_t leastImageData(const PngHeader& header) {
    return rawImageBytes(header) / deflateMaxRatio;
}

bool headerCrcMatches(std::string_view head) {
    const auto* chunk = reinterpret_cast<const Bytef*>(head.data() + 12);
    return crc32(0, chunk, 17) == bigEndian32(head, 29);
}

} // namespace

std::optional<PngHeader> CheckedPngHead(std::string_view head, uint64_t streamSize) {
    if (head.size() < PngHeadSize || streamSize < PngHeadSize)
        return std::nullopt;
    try {
        PngHeader header = ReadPngHeader(head);
        if (!headerCrcMatches(head) || streamSize - PngHeadSize < leastImageData(header))
            return std::nullopt;
        return header;
    } catch (const EPngError&) {
        return std::nullopt;
    }
}

PngHeader ReadPngHeader(std::string_view bytes) {
    if (bytes.size() < 8 || bytes.substr(0, 8) != signature)
        throw EPngError("Not a PNG picture");
    if (bytes.size() < 33 || bigEndian32(bytes, 8) != 13 || bytes.substr(12, 4) != "IHDR")
        throw EPngError("Damaged PNG picture: no picture header");
    PngHeader header{bigEndian32(bytes, 16), bigEndian32(bytes, 20),
                     static_cast<uint8_t>(bytes[24]), static_cast<uint8_t>(bytes[25])};
    bool sane = header.Width > 0 && header.Height > 0 && header.Width <= 0x7FFFFFFF &&
                header.Height <= 0x7FFFFFFF && channelsOf(header.ColourType) > 0;
    if (!sane)
        throw EPngError("Damaged PNG picture: invalid picture header");
    return header;
}

bool HoldsEnoughImageData(std::string_view bytes, const PngHeader& header) {
    uint64_t imageData = 0;
    size_t at = signature.size();
    while (bytes.size() >= at + 8) {
        uint64_t length = bigEndian32(bytes, at);
        uint64_t present = std::min<uint64_t>(length, bytes.size() - (at + 8));
        if (bytes.substr(at + 4, 4) == "IDAT")
            imageData += present;
        if (present < length)
            break;
        at += 8 + length + 4;
    }
    return imageData >= leastImageData(header);
}

} // namespace krel
