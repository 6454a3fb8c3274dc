#pragma once
// Conversions between the files' UTF-16LE and the program's Windows-1252 text, quick on the
// plain ASCII that makes up nearly all of an encyclopedia: such text goes through eight
// characters at a time, everything else through the code-page tables of common/TextCodec.h.

#include <cstddef>
#include <string>
#include <string_view>

namespace krel {

// Decodes unitCount UTF-16LE code units (two bytes each) up to the first NUL unit.
std::string DecodeUtf16LeText(const unsigned char* bytes, size_t unitCount);

// Appends the UTF-16LE bytes of text to out.
void AppendUtf16LeText(std::string_view text, std::string& out);

} // namespace krel
