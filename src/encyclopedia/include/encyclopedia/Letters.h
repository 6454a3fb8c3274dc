#pragma once
// The letters of Windows-1252, the program's 8-bit text: which bytes are letters and what their
// capitals are, so that searches can ignore letter case for accented letters too (é finds É,
// š finds Š), not only for A to Z.

#include <array>
#include <string>
#include <string_view>

namespace krel {

// True for A-Z, a-z and the accented and other letters of the code page (À to ÿ apart from × and
// ÷, Š, Œ, Ž, š, œ, ž, Ÿ, ƒ, ª, µ, º).
bool IsCp1252Letter(char c);

// The capital of a letter that has one in the code page; every other byte as it is (ß, µ and ƒ
// have no capital there).
char FoldCp1252Case(char c);
std::string FoldCp1252Case(std::string_view text);
// The same folding as a table indexed by the byte (as unsigned char), for loops over many texts.
const std::array<char, 256>& Cp1252Capitals();

} // namespace krel
