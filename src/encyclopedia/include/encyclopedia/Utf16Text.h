#pragma once
// Conversions between the files' UTF-16LE and the program's Windows-1252 text, quick on the
// plain ASCII that makes up nearly all of an encyclopedia: such text goes through eight or
// sixteen characters at a time, everything else through the code-page tables of
// common/TextCodec.h.

#include <cstddef>
#include <string>
#include <string_view>

namespace krel {

struct DecodedUnits {
    size_t Chars = 0;        // characters written
    bool EndedAtNul = false; // a NUL unit ended the text before the last unit
};

// Decodes count UTF-16LE code units (two bytes each) into out, which has room for count
// characters, up to the first NUL unit. A surrogate pair is one character, so a pair split
// between two calls must be handed over whole in the second.
DecodedUnits DecodeUtf16LeUnits(const unsigned char* units, size_t count, char* out);

// The same into a string of its own.
std::string DecodeUtf16LeText(const unsigned char* bytes, size_t unitCount);

// Writes the UTF-16LE bytes of text (two per character) at out; returns the end of them.
char* WriteUtf16LeText(std::string_view text, char* out);

// Appends the UTF-16LE bytes of text to out.
void AppendUtf16LeText(std::string_view text, std::string& out);

} // namespace krel
