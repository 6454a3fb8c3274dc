#pragma once
// The encyclopedia's two files: their names, and the one shape in which every part of the
// program hands the pair around, titles first.

#include <filesystem>
#include <string>
#include <string_view>

namespace krel {

inline constexpr std::string_view kTitlesFileName = "wsEncyclopediaTitles.txt";
inline constexpr std::string_view kContentsFileName = "wsEncyclopedia.txt";
// What a merge reads: the same names with this suffix.
inline constexpr std::string_view kMergeSuffix = ".merge";
// The folder that holds both inside the game's data folder and its string archive.
inline constexpr std::string_view kStringsFolderName = "wStrings";
// The members of the game's string archive, as listings name them.
inline constexpr std::string_view kArchiveTitlesMember = "wStrings\\wsEncyclopediaTitles.txt";
inline constexpr std::string_view kArchiveContentsMember = "wStrings\\wsEncyclopedia.txt";

// One value for each of the two files: their paths, their bytes, their names in messages.
template <class T> struct EncyclopediaPair {
    T Titles;
    T Contents;
};

using FilePair = EncyclopediaPair<std::filesystem::path>;
using BytesPair = EncyclopediaPair<std::string>;

// The two files in folder; with mergeFiles the ".merge" variants.
FilePair EncyclopediaFilesIn(const std::filesystem::path& folder, bool mergeFiles = false);

} // namespace krel
