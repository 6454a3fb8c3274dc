#pragma once
// Member names: archives store "/" between folders, the program lists and looks them up with
// "\". Names are Windows-1252 bytes and are never turned into file-system paths.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace krel {

// The name as listed: every "/" turned into "\".
std::string ListedName(std::string_view storedName);
// The name as stored: every "\" turned into "/".
std::string StoredName(std::string_view listedName);
// A member that is only a folder ("Planets/"), which listings leave out.
bool IsFolderName(std::string_view storedName);

// Letter case folded the Windows-1252 way (A-Z, the accented capitals, and the four capitals
// in the 0x80 row), so comparisons ignore case for the whole code page.
std::string FoldNameCase(std::string_view text);
// Position of the first occurrence of needle in text, letter case ignored; npos when absent.
size_t FindInNameIgnoringCase(std::string_view text, std::string_view needle);

// The file-name part of a member: the text after its last "\" or ":" (all of it without one).
std::string_view MemberNamePart(std::string_view member);

// The bare file name of a path as Windows-1252 text: what a member added from it is called.
std::string BareName(const std::filesystem::path& path);
// Suffixes of files added without compression: their data is compressed already.
inline constexpr std::array<std::string_view, 11> AddStoreSuffixes = {
    "gif", "png", "z", "zip", "zoo", "arc", "lzh", "arj", "taz", "tgz", "lha"};
// Whether a name ends in one of AddStoreSuffixes, letter case ignored.
bool HasStoreSuffix(std::string_view name);

} // namespace krel
