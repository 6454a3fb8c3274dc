#include "common/TextCodec.h"

#include <array>
#include <cstdint>

namespace krel {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct Tables {
    std::array<char16_t, 256> toUnicode{};
    std::array<unsigned char, 65536> fromUnicode{};

    Tables() {
        fromUnicode.fill('?');
        for (unsigned byte = 0; byte < 256; ++byte) {
            char16_t unit = (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80]
                                                          : static_cast<char16_t>(byte);
            toUnicode[byte] = unit;
            fromUnicode[unit] = static_cast<unsigned char>(byte);
        }
    }
};

const Tables& tables() {
    static const Tables instance;
    return instance;
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Converts units[0..count) where the unit at i is read by unitAt(i).
template <class UnitAt> void appendAsCp1252(UnitAt unitAt, size_t count, std::string& out) {
    const auto& from = tables().fromUnicode;
    out.reserve(out.size() + count);
    for (size_t i = 0; i < count; ++i) {
        char16_t unit = unitAt(i);
        // A surrogate pair is one character with no 8-bit form: one "?".
        if (isHighSurrogate(unit) && i + 1 < count && isLowSurrogate(unitAt(i + 1)))
            ++i;
        out.push_back(static_cast<char>(from[unit]));
    }
}

void appendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at text[i]; advances i. Malformed input yields U+FFFD.
char32_t nextUtf8(std::string_view text, size_t& i) {
    auto lead = static_cast<unsigned char>(text[i++]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (lead >= 0x80 && extra == 0)
        return 0xFFFD;
    char32_t cp = extra == 0 ? lead : (lead & (0x3F >> extra));
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return cp;
}

} // namespace

std::u16string Cp1252ToUtf16(std::string_view text) {
    const auto& to = tables().toUnicode;
    std::u16string out;
    out.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        out[i] = to[static_cast<unsigned char>(text[i])];
    return out;
}

std::string Utf16ToCp1252(std::u16string_view text) {
    std::string out;
    appendAsCp1252([&](size_t i) { return text[i]; }, text.size(), out);
    return out;
}

void AppendUtf16LeAsCp1252(const unsigned char* bytes, size_t unitCount, std::string& out) {
    appendAsCp1252(
        [bytes](size_t i) { return static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)); },
        unitCount, out);
}

void AppendCp1252AsUtf16Le(std::string_view text, std::string& out) {
    const auto& to = tables().toUnicode;
    size_t start = out.size();
    out.resize(start + 2 * text.size());
    char* dest = out.data() + start;
    for (char c : text) {
        char16_t unit = to[static_cast<unsigned char>(c)];
        *dest++ = static_cast<char>(unit & 0xFF);
        *dest++ = static_cast<char>(unit >> 8);
    }
}

std::string Cp1252ToUtf8(std::string_view text) {
    const auto& to = tables().toUnicode;
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        appendUtf8(to[static_cast<unsigned char>(c)], out);
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    const auto& from = tables().fromUnicode;
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t cp = nextUtf8(text, i);
        out.push_back(cp > 0xFFFF ? '?' : static_cast<char>(from[cp]));
    }
    return out;
}

} // namespace krel
