#pragma once
// Text inside the program is 8-bit Windows-1252. These table-driven conversions stand in for the
// platform's code-page calls: a character with no 8-bit form becomes "?", and the five unassigned
// bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D map to the control characters of the same value and back.

#include <string>
#include <string_view>

namespace krel {

std::u16string Cp1252ToUtf16(std::string_view text);
std::string Utf16ToCp1252(std::u16string_view text);

// Appends the Windows-1252 form of UTF-16 code units to out (used by the file reader, which
// decodes straight from the file's bytes).
void AppendUtf16LeAsCp1252(const unsigned char* bytes, size_t unitCount, std::string& out);

// Appends the UTF-16 little-endian bytes of text to out (used by the writer).
void AppendCp1252AsUtf16Le(std::string_view text, std::string& out);

std::string Cp1252ToUtf8(std::string_view text);
std::string Utf8ToCp1252(std::string_view text);

} // namespace krel
