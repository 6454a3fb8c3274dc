#include "settings/GamePath.h"

#include "common/AtomicFile.h"
#include "settings/Paths.h"
#include "support/FakeGame.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;
using krel::test::TestEnvironment;

TEST(GamePath, EachComponentMatchesExactlyFirstThenIgnoringCase) {
    TestEnvironment env;
    fs::path game = env.root() / "game";
    fs::create_directories(game / "gamedatasets/CLASSIC_01/GameData/English/wstrings");
    krel::WriteFileAtomic(game / "gamedatasets/CLASSIC_01/GameData/English/WSTRINGS.MOB", "");
    fs::create_directories(game / "Exact");
    fs::create_directories(game / "EXACT");

    EXPECT_EQ(
        krel::ResolveGamePath(game, "GameDataSets\\Classic_01\\GameData\\English\\wStrings.mob"),
        game / "gamedatasets/CLASSIC_01/GameData/English/WSTRINGS.MOB");
    EXPECT_EQ(krel::ResolveGamePath(game, "Exact"), game / "Exact");
    EXPECT_EQ(krel::ResolveGamePath(game, "GameDataSets/Classic_01/GameData/English/wStrings/"
                                          "wsEncyclopedia.txt"),
              game / "gamedatasets/CLASSIC_01/GameData/English/wstrings/wsEncyclopedia.txt")
        << "a missing file keeps its name below the matched folders";
}

TEST(GamePath, AGameFolderNeedsBothMarkerFilesAndAnAbsolutePath) {
    TestEnvironment env;
    auto text = [](const fs::path& p) {
        return krel::PathText(p);
    };
    EXPECT_TRUE(krel::IsGameFolder(text(krel::test::MakeFakeGame(env.root() / "full"))));
    EXPECT_TRUE(krel::IsGameFolder(text(krel::test::MakeFakeGame(env.root() / "full")) + "/"));
    EXPECT_FALSE(krel::IsGameFolder(text(
        krel::test::MakeFakeGame(env.root() / "nolib", {.executable = true, .library = false}))));
    EXPECT_FALSE(krel::IsGameFolder(text(
        krel::test::MakeFakeGame(env.root() / "noexe", {.executable = false, .library = true}))));
    fs::create_directories(env.root() / "upper");
    krel::WriteFileAtomic(env.root() / "upper/KREL.EXE", "");
    krel::WriteFileAtomic(env.root() / "upper/BinkW32.DLL", "");
    EXPECT_TRUE(krel::IsGameFolder(text(env.root() / "upper")));
    EXPECT_FALSE(krel::IsGameFolder(""));
    EXPECT_FALSE(krel::IsGameFolder(text(env.root() / "missing")));
}

TEST(Paths, ATypedWorkFolderIsTakenBelowTheProgramOnlyWhenRelativeAndLongEnough) {
    struct Case {
        const char* typed;
        const char* base;
        const char* expected;
    };
    for (const Case& c : std::vector<Case>{
             {"Temp", "/opt/krel", "/opt/krel/Temp"},
             {"work/sub", "/opt/krel/", "/opt/krel/work/sub"},
             {"abc", "/", "/abc"},
             {"/var/tmp/krel", "/opt/krel", "/var/tmp/krel"},
             {"ab", "/opt/krel", "ab"},
             {"/", "/opt/krel", "/"},
         })
        EXPECT_EQ(krel::ResolveWorkFolderText(c.typed, c.base), c.expected) << c.typed;
}

TEST(Paths, AnUnwritableProgramFolderLeavesWritingToTheUsersDataFolder) {
    TestEnvironment env;
    EXPECT_EQ(krel::WritableProgramFolder(), env.programFolder().string());
    EXPECT_EQ(krel::DefaultTempDir(), (env.programFolder() / "Temp").string());
    krel::SetProgramFolderForTests((env.root() / "gone").string());
    EXPECT_EQ(krel::WritableProgramFolder(), (env.root() / "data/KrelEditor").string());
    EXPECT_TRUE(fs::is_directory(env.root() / "data/KrelEditor"));
}

TEST(Paths, DataFilesAreFoundBesideTheProgramFirst) {
    TestEnvironment env;
    EXPECT_FALSE(krel::FindDataFile("view.txt"));
    fs::create_directories(env.root() / "system-data/KrelEditor/help");
    krel::WriteFileAtomic(env.root() / "system-data/KrelEditor/help/index.html", "");
    EXPECT_EQ(krel::FindDataFile("help/index.html"),
              env.root() / "system-data/KrelEditor/help/index.html");
    fs::create_directories(env.root() / "data/KrelEditor");
    krel::WriteFileAtomic(env.root() / "data/KrelEditor/view.txt", "");
    EXPECT_EQ(krel::FindDataFile("view.txt"), env.root() / "data/KrelEditor/view.txt");
    krel::WriteFileAtomic(env.programFolder() / "view.txt", "");
    EXPECT_EQ(krel::FindDataFile("view.txt"), env.programFolder() / "view.txt");
}

} // namespace
