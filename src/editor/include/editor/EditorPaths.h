#pragma once
// Where the editor window finds the game's encyclopedia and keeps its work copies. Names inside
// the game's folder are resolved one component at a time, letter case ignored when the exact
// name is missing, so a game copied to a case-sensitive file system still opens.

#include <filesystem>
#include <string>

namespace krel {

// The two members of the string archive, as its listing names them.
inline constexpr const char* kContentsMember = "wStrings\\wsEncyclopedia.txt";
inline constexpr const char* kTitlesMember = "wStrings\\wsEncyclopediaTitles.txt";

struct EditorPaths {
    std::filesystem::path DataFolder;    // ...\GameData\English
    std::filesystem::path StringArchive; // data folder + wStrings.mob
    std::filesystem::path LooseContents; // data folder + wStrings\wsEncyclopedia.txt
    std::filesystem::path LooseTitles;   // data folder + wStrings\wsEncyclopediaTitles.txt
    std::filesystem::path AssetArchive;  // ...\GameAssets\Common\graphics.mob
    std::filesystem::path WorkFolder;    // the work folder setting
    std::filesystem::path WorkContents;  // work folder + wsEncyclopedia.txt
    std::filesystem::path WorkTitles;    // work folder + wsEncyclopediaTitles.txt

    // Both loose text files lie in the game's data folder (as after an install).
    bool HasLooseFiles() const;
};

// Resolves the paths for the game folder and work folder settings as they stand now.
EditorPaths MakeEditorPaths(const std::string& baseDir, const std::string& tempDir);

} // namespace krel
