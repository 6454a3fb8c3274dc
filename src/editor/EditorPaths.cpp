#include "editor/EditorPaths.h"

#include "encyclopedia/TextFormat.h"
#include "settings/GamePath.h"
#include "settings/Paths.h"

namespace krel {
namespace fs = std::filesystem;
namespace {

constexpr const char* kDataFolder = "GameDataSets/Classic_01/GameData/English";
constexpr const char* kAssetArchive = "GameDataSets/Classic_01/GameAssets/Common/graphics.mob";

} // namespace

bool EditorPaths::HasLooseFiles() const {
    std::error_code error;
    return fs::is_regular_file(LooseContents, error) && fs::is_regular_file(LooseTitles, error);
}

EditorPaths MakeEditorPaths(const std::string& baseDir, const std::string& tempDir) {
    const fs::path base = FsPath(baseDir);
    const std::string data = kDataFolder;
    EditorPaths paths;
    paths.DataFolder = ResolveGamePath(base, data);
    paths.StringArchive = ResolveGamePath(base, data + "/wStrings.mob");
    paths.LooseContents = ResolveGamePath(base, data + "/" + kContentsMember);
    paths.LooseTitles = ResolveGamePath(base, data + "/" + kTitlesMember);
    paths.AssetArchive = ResolveGamePath(base, kAssetArchive);
    paths.WorkFolder = FsPath(tempDir);
    paths.WorkContents = paths.WorkFolder / std::string(kContentsFileName);
    paths.WorkTitles = paths.WorkFolder / std::string(kTitlesFileName);
    return paths;
}

} // namespace krel
