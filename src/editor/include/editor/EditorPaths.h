#pragma once
// Where the editor window finds the game's encyclopedia and keeps its work copies. Names inside
// the game's folder are resolved one component at a time, letter case ignored when the exact
// name is missing, so a game copied to a case-sensitive file system still opens.

#include "common/EncyclopediaFiles.h"

#include <filesystem>
#include <string>

namespace krel {

struct EditorPaths {
    std::filesystem::path DataFolder;    // ...\GameData\English
    std::filesystem::path StringArchive; // data folder + wStrings.mob
    FilePair Loose;                      // data folder + wStrings\ + the two file names
    std::filesystem::path AssetArchive;  // ...\GameAssets\Common\graphics.mob
    std::filesystem::path WorkFolder;    // the work folder setting
    FilePair Work;                       // work folder + the two file names

    // Both loose text files lie in the game's data folder (as after an install).
    bool HasLooseFiles() const;
};

// Resolves the paths for the game folder and work folder settings as they stand now.
EditorPaths MakeEditorPaths(const std::string& baseDir, const std::string& tempDir);

} // namespace krel
