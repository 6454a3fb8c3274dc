#include "FakeGame.h"

#include "common/AtomicFile.h"

namespace krel::test {
namespace fs = std::filesystem;

fs::path MakeFakeGame(const fs::path& folder, FakeGameParts parts) {
    fs::create_directories(folder / "GameDataSets" / "Classic_01" / "GameData" / "English");
    fs::create_directories(folder / "GameDataSets" / "Classic_01" / "GameAssets" / "Common");
    if (parts.executable)
        WriteFileAtomic(folder / "krel.exe", "not a real program");
    if (parts.library)
        WriteFileAtomic(folder / "binkw32.dll", "not a real library");
    return folder;
}

} // namespace krel::test
