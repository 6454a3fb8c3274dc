#include "encyclopedia/Utf16Text.h"

#include "common/TextCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace krel {
namespace {

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

std::uint64_t load64(const void* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// A code unit whose Windows-1252 form is the same byte: everything up to 0xFF except NUL and
// the block 0x80-0x9F, which the code page fills with other characters.
bool keepsItsByte(const unsigned char* unit) {
    return unit[1] == 0 && unit[0] != 0 && (unit[0] < 0x80 || unit[0] >= 0xA0);
}

bool isNul(const unsigned char* unit) {
    return unit[0] == 0 && unit[1] == 0;
}

// Four units that are all ASCII and none NUL: every 16-bit lane is below 0x80, so adding 0x7FFF
// sets its top bit exactly when it is not zero, without carrying into the next lane.
bool fourAsciiUnits(std::uint64_t word) {
    constexpr std::uint64_t kLaneTops = 0x8000800080008000ull;
    return (word & 0xFF80FF80FF80FF80ull) == 0 &&
           ((word + 0x7FFF7FFF7FFF7FFFull) & kLaneTops) == kLaneTops;
}

// Copies units four at a time while they are ASCII and not NUL; returns how many it copied.
size_t copyAsciiUnits(const unsigned char* units, size_t count, char* out) {
    size_t i = 0;
    for (; kLittleEndian && i + 4 <= count; i += 4) {
        std::uint64_t word = load64(units + 2 * i);
        if (!fourAsciiUnits(word))
            break;
        word = (word | (word >> 8)) & 0x0000FFFF0000FFFFull;
        auto packed = static_cast<std::uint32_t>(word | (word >> 16));
        std::memcpy(out + i, &packed, sizeof packed);
    }
    return i;
}

// Units up to the next one that keeps its byte (or NUL, or the end).
size_t otherUnitsEnd(const unsigned char* units, size_t from, size_t count) {
    size_t end = from;
    while (end < count && !keepsItsByte(units + 2 * end) && !isNul(units + 2 * end))
        ++end;
    return end;
}

// Widens four ASCII characters (the low half of word) to four UTF-16LE units.
std::uint64_t widened(std::uint64_t word) {
    word &= 0xFFFFFFFFull;
    word = (word | (word << 16)) & 0x0000FFFF0000FFFFull;
    return (word | (word << 8)) & 0x00FF00FF00FF00FFull;
}

// Widens text eight characters at a time while they are ASCII; returns how many it widened.
size_t widenAscii(std::string_view text, char* out) {
    size_t i = 0;
    for (; kLittleEndian && i + 8 <= text.size(); i += 8) {
        std::uint64_t word = load64(text.data() + i);
        if ((word & 0x8080808080808080ull) != 0)
            break;
        std::uint64_t units[2] = {widened(word), widened(word >> 32)};
        std::memcpy(out + 2 * i, units, sizeof units);
    }
    return i;
}

// The code page's 256 characters as UTF-16 units, read once from common/TextCodec.h.
const std::array<char16_t, 256>& cp1252Units() {
    static const std::array<char16_t, 256> units = [] {
        std::string bytes(256, '\0');
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i);
        std::u16string converted = Cp1252ToUtf16(bytes);
        std::array<char16_t, 256> table{};
        std::copy(converted.begin(), converted.end(), table.begin());
        return table;
    }();
    return units;
}

} // namespace

// Each run of units that do not keep their byte goes through the code page, which never gives
// more characters than units, so the text never outgrows its first allocation.
std::string DecodeUtf16LeText(const unsigned char* units, size_t count) {
    std::string text(count, '\0');
    char* out = text.data();
    std::string converted;
    size_t i = 0;
    while (i < count && !isNul(units + 2 * i)) {
        size_t copied = copyAsciiUnits(units + 2 * i, count - i, out);
        out += copied;
        i += copied;
        if (copied > 0) {
            continue;
        } else if (keepsItsByte(units + 2 * i)) {
            *out++ = static_cast<char>(units[2 * i++]);
            continue;
        }
        size_t end = otherUnitsEnd(units, i, count);
        converted.clear();
        AppendUtf16LeAsCp1252(units + 2 * i, end - i, converted);
        out = std::copy(converted.begin(), converted.end(), out);
        i = end;
    }
    text.resize(static_cast<size_t>(out - text.data()));
    return text;
}

void AppendUtf16LeText(std::string_view text, std::string& out) {
    const std::array<char16_t, 256>& units = cp1252Units();
    size_t start = out.size();
    out.resize(start + 2 * text.size());
    char* dest = out.data() + start;
    for (size_t i = 0; i < text.size();) {
        i += widenAscii(text.substr(i), dest + 2 * i);
        if (i == text.size())
            break;
        char16_t unit = units[static_cast<unsigned char>(text[i])];
        dest[2 * i] = static_cast<char>(unit & 0xFF);
        dest[2 * i + 1] = static_cast<char>(unit >> 8);
        ++i;
    }
}

} // namespace krel
