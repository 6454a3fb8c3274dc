#include "encyclopedia/Utf16Text.h"

#include "common/TextCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// Eight units at once: ASCII and none NUL exactly when no lane has a bit above 0x7F set and no
// lane is zero; then the low bytes are the characters.
bool packEightAsciiUnits(const unsigned char* units, char* out) {
    const __m128i zero = _mm_setzero_si128();
    __m128i lanes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(lanes, _mm_set1_epi16(-0x80)), zero);
    __m128i nul = _mm_cmpeq_epi16(lanes, zero);
    if (_mm_movemask_epi8(_mm_andnot_si128(nul, ascii)) != 0xFFFF)
        return false;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(lanes, lanes));
    return true;
}
#endif

// Copies units while they are ASCII and not NUL, eight and then four at a time; returns how
// many it copied.
size_t copyAsciiUnits(const unsigned char* units, size_t count, char* out) {
    size_t i = 0;
#if defined(__SSE2__)
    while (i + 8 <= count && packEightAsciiUnits(units + 2 * i, out + i))
        i += 8;
#endif
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

#if defined(__SSE2__)
// Sixteen characters at once when none has its top bit set: each byte gains a zero high byte.
bool widenSixteenAscii(const char* text, char* out) {
    __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    if (_mm_movemask_epi8(chars) != 0)
        return false;
    const __m128i zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(chars, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), _mm_unpackhi_epi8(chars, zero));
    return true;
}
#endif

// Widens text sixteen and then eight characters at a time while they are ASCII; returns how
// many it widened.
size_t widenAscii(std::string_view text, char* out) {
    size_t i = 0;
#if defined(__SSE2__)
    while (i + 16 <= text.size() && widenSixteenAscii(text.data() + i, out + 2 * i))
        i += 16;
#endif
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
// more characters than units, so the text never outgrows its room.
DecodedUnits DecodeUtf16LeUnits(const unsigned char* units, size_t count, char* out) {
    char* const start = out;
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
    return {static_cast<size_t>(out - start), i < count};
}

std::string DecodeUtf16LeText(const unsigned char* units, size_t count) {
    std::string text(count, '\0');
    text.resize(DecodeUtf16LeUnits(units, count, text.data()).Chars);
    return text;
}

char* WriteUtf16LeText(std::string_view text, char* out) {
    const std::array<char16_t, 256>& units = cp1252Units();
    for (size_t i = 0; i < text.size();) {
        i += widenAscii(text.substr(i), out + 2 * i);
        if (i == text.size())
            break;
        char16_t unit = units[static_cast<unsigned char>(text[i])];
        out[2 * i] = static_cast<char>(unit & 0xFF);
        out[2 * i + 1] = static_cast<char>(unit >> 8);
        ++i;
    }
    return out + 2 * text.size();
}

void AppendUtf16LeText(std::string_view text, std::string& out) {
    size_t start = out.size();
    out.resize(start + 2 * text.size());
    WriteUtf16LeText(text, out.data() + start);
}

} // namespace krel
