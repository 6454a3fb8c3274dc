#include "editor/EditorPaths.h"

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
    return fs::is_regular_file(Loose.Contents, error) && fs::is_regular_file(Loose.Titles, error);
}

EditorPaths MakeEditorPaths(const std::string& baseDir, const std::string& tempDir) {
    const fs::path base = FsPath(baseDir);
    const std::string data = kDataFolder;
    EditorPaths paths;
    paths.DataFolder = ResolveGamePath(base, data);
    paths.StringArchive = ResolveGamePath(base, data + "/wStrings.mob");
    const std::string strings = data + "/" + std::string(kStringsFolderName) + "/";
    paths.Loose.Titles = ResolveGamePath(base, strings + std::string(kTitlesFileName));
    paths.Loose.Contents = ResolveGamePath(base, strings + std::string(kContentsFileName));
    paths.AssetArchive = ResolveGamePath(base, kAssetArchive);
    paths.WorkFolder = FsPath(tempDir);
    paths.Work = EncyclopediaFilesIn(paths.WorkFolder);
    return paths;
}

} // namespace krel
