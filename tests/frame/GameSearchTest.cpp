#include "settings/GameSearch.h"

#include "ShellFixture.h"
#include "common/AtomicFile.h"
#include "frame/OptionsDialog.h"
#include "settings/Paths.h"
#include "settings/WinePrefix.h"
#include "support/FakeGame.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
namespace fs = std::filesystem;
using namespace krel::test;
using krel::GameCandidate;

constexpr const char* kNativeKey = "Software\\\\Corvane\\\\Vastreach III";
constexpr const char* kWowKey = "Software\\\\Wow6432Node\\\\Corvane\\\\Vastreach III";

// A prefix as Wine lays one out: drive_c, the "c:" link and a system.reg with these keys.
fs::path makePrefix(const fs::path& prefix, const std::string& keys, bool linkC = true) {
    fs::create_directories(prefix / "drive_c");
    fs::create_directories(prefix / "dosdevices");
    if (linkC)
        fs::create_directory_symlink("../drive_c", prefix / "dosdevices/c:");
    krel::WriteFileAtomic(prefix / "system.reg", "WINE REGISTRY Version 2\n"
                                                 ";; All keys relative to \\\\Machine\n\n"
                                                 "#arch=win64\n\n" +
                                                     keys);
    return prefix;
}

// The game's entry as Wine writes it: key escaped, data in one of Wine's forms.
std::string entry(const char* key, const std::string& data) {
    return "[" + std::string(key) + "] 1700000000\n#time=1d9\n\"Program Location\"=" + data +
           "\n\n";
}

std::string text(const fs::path& folder) {
    return krel::PathText(folder);
}

TEST(WinePrefix, TheEntryBecomesALinuxPathThroughTheDriveLinks) {
    TestEnvironment env;
    struct Case {
        std::string keys;
        bool linkC;
        bool linkD;                          // "d:" leads to the folder "elsewhere"
        std::optional<std::string> expected; // below the prefix, or below the test's root
    };
    const std::string x86 = "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion]\n"
                            "\"ProgramFilesDir (x86)\"=\"C:\\\\Program Files (x86)\"\n\n";
    const std::string inX86 = R"(str(2):"%ProgramFiles(x86)%\\Corvane Interactive\\Vastreach 3")";
    int n = 0;
    for (const Case& c : std::vector<Case>{
             {entry(kNativeKey, R"("C:\\Games\\Vastreach 3\\")"), true, false,
              "drive_c/games/VASTREACH 3"},
             {x86 + entry(kWowKey, inX86), true, false,
              "drive_c/program files (x86)/Corvane Interactive/Vastreach 3"},
             {entry(kWowKey, R"("d:\\Spiele\\Vastreach 3")"), true, true,
              "elsewhere/Spiele/Vastreach 3"},
             {entry(kNativeKey, R"("C:\\Games\\Vastreach 3")"), false, false,
              "drive_c/games/VASTREACH 3"},
             {entry(kNativeKey, R"("E:\\Games\\Vastreach 3")"), true, false, std::nullopt},
             {entry(kNativeKey, R"("\\\\server\\share\\Vastreach 3")"), true, false, std::nullopt},
         }) {
        const fs::path prefix = makePrefix(env.root() / std::to_string(++n), c.keys, c.linkC);
        fs::create_directories(prefix / "drive_c/games/VASTREACH 3");
        fs::create_directories(prefix /
                               "drive_c/program files (x86)/Corvane Interactive/Vastreach 3");
        fs::create_directories(env.root() / "elsewhere/Spiele/Vastreach 3");
        if (c.linkD)
            fs::create_directory_symlink(env.root() / "elsewhere", prefix / "dosdevices/d:");
        auto found = krel::GameEntriesInPrefix(prefix);
        if (!c.expected) {
            EXPECT_TRUE(found.empty()) << c.keys;
            continue;
        }
        ASSERT_EQ(found.size(), 1u) << c.keys;
        const fs::path base = c.expected->rfind("drive_c", 0) == 0 ? prefix : env.root();
        EXPECT_EQ(found[0].Folder, fs::canonical(base) / *c.expected) << c.keys;
    }
}

TEST(WinePrefix, VariablesExpandAsWindowsDoesAndNeverWithoutEnd) {
    std::string loop;
    for (int i = 0; i < 10; ++i)
        loop += "%Loop%";
    auto registry = krel::WineRegistry::Parse(
        "WINE REGISTRY Version 2\n"
        "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion]\n"
        "\"SystemRoot\"=\"C:\\\\windows\"\n"
        "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment]\n"
        "\"windir\"=str(2):\"%SystemRoot%\"\n"
        "\"Loop\"=str(2):\"" +
        loop + "\"\n");
    ASSERT_TRUE(registry);
    EXPECT_EQ(krel::ExpandWineVariables(*registry, "%WINDIR%\\x %SystemDrive% %Nope% 100%"),
              "C:\\windows\\x C: %Nope% 100%");
    EXPECT_LE(krel::ExpandWineVariables(*registry, "%Loop%").size(), 2u * 32767)
        << "ten copies of itself, eight levels deep, would be 10^8 names";
}

class GameSearch : public ::testing::Test {
protected:
    TestEnvironment env;
    krel::GameSearchPlaces places{env.home(), env.root() / "config", env.root() / "data",
                                  env.winePrefix()};
    int games = 0;

    // A game folder of its own, and the Windows path a prefix's C: drive gives it.
    fs::path gameIn(const fs::path& prefix) {
        return MakeFakeGame(prefix / "drive_c/Games" / std::to_string(++games));
    }
    fs::path prefixWithGame(const fs::path& prefix, const char* key = kNativeKey) {
        makePrefix(prefix, entry(key, "\"C:\\\\Games\\\\" + std::to_string(games + 1) + "\""));
        return gameIn(prefix);
    }
};

TEST_F(GameSearch, EveryKindOfPrefixIsAskedInTheDocumentedOrder) {
    std::vector<fs::path> expected{MakeFakeGame(env.root() / "pinned")};
    expected.push_back(prefixWithGame(env.winePrefix(), kWowKey));
    expected.push_back(prefixWithGame(env.home() / ".wine"));
    // Two Steam libraries: the Steam folder itself, and a second one its list names.
    const fs::path steam = env.root() / "data/Steam";
    const fs::path second = env.root() / "disk2/SteamLibrary";
    fs::create_directories(steam / "steamapps");
    krel::WriteFileAtomic(steam / "steamapps/libraryfolders.vdf",
                          "\"libraryfolders\"\n{\n\"0\" { \"path\" \"" + text(steam) +
                              "\" }\n\"1\" { \"path\" \"" + text(second) + "\" }\n}\n");
    fs::create_directories(env.home() / ".steam");
    fs::create_directory_symlink(steam, env.home() / ".steam/steam");
    expected.push_back(prefixWithGame(second / "steamapps/compatdata/4242/pfx"));
    fs::create_directories(steam / "steamapps/common/Some Other Game");
    expected.push_back(MakeFakeGame(second / "steamapps/common/Vastreach 3"));
    const fs::path lutris = env.root() / "lutris-prefixes/vastreach";
    fs::create_directories(env.root() / "config/lutris/games");
    krel::WriteFileAtomic(env.root() / "config/lutris/games/vastreach-3.yml",
                          "game:\n  exe: krel.exe\n  prefix: '" + text(lutris) + "'\n");
    expected.push_back(prefixWithGame(lutris));
    expected.push_back(prefixWithGame(env.root() / "data/bottles/bottles/Vastreach"));
    makePrefix(env.home() / "Games/not-installed", entry(kNativeKey, "\"C:\\\\Missing\""));

    const std::vector<GameCandidate> found =
        krel::FindGameFolders(places, text(env.root() / "pinned"));
    ASSERT_EQ(found.size(), expected.size());
    for (size_t i = 0; i < found.size(); ++i)
        EXPECT_EQ(fs::canonical(krel::FsPath(found[i].Folder)), fs::canonical(expected[i])) << i;
    const std::vector<std::string> where{
        "the machine-wide entry",
        "the Wine prefix " + text(env.winePrefix()) +
            " (HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Corvane\\Vastreach III)",
        "the Wine prefix " + text(env.home() / ".wine") +
            " (HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Vastreach III)",
        "the Proton prefix ",
        "the Steam library " + text(second),
        "the Lutris prefix " + text(lutris),
        "the Bottles prefix "};
    for (size_t i = 0; i < found.size(); ++i)
        EXPECT_EQ(found[i].Where.rfind(where[i], 0), 0u) << found[i].Where;
}

TEST_F(GameSearch, EachFolderIsListedOnceAndTheFirstRunTakesTheFirst) {
    const fs::path game = prefixWithGame(env.home() / ".wine");
    places.WinePrefix = env.home() / ".wine/";
    const std::vector<GameCandidate> found = krel::FindGameFolders(places, text(game) + "/");
    ASSERT_EQ(found.size(), 1u) << "the entry, $WINEPREFIX and ~/.wine name one folder";
    EXPECT_EQ(found[0].Where, "the machine-wide entry");

    EXPECT_EQ(krel::FirstRunGameFolder(found, "/pinned", "/default"), text(game) + "/");
    EXPECT_EQ(krel::FirstRunGameFolder({}, "/pinned", "/default"), "/pinned")
        << "an entry naming no game still wins over the default";
    EXPECT_EQ(krel::FirstRunGameFolder({}, "", "/default"), "/default");
}

TEST_F(GameSearch, APrefixThatNeverMentionsTheGameIsAnotherHiveOrNoFileGivesNothing) {
    makePrefix(env.winePrefix(), "[Software\\\\Wine]\n\"Version\"=\"win10\"\n");
    gameIn(env.winePrefix());
    const fs::path user = makePrefix(env.home() / ".wine", "");
    krel::WriteFileAtomic(user / "system.reg", "WINE REGISTRY Version 2\n"
                                               ";; All keys relative to \\\\User\\\\S-1-5-21\n\n" +
                                                   entry(kNativeKey, "\"C:\\\\Games\\\\2\""));
    gameIn(user);
    // A pipe in place of the registry file would wait for a writer forever.
    fs::create_directories(env.home() / "Games/pipe");
    ASSERT_EQ(mkfifo((env.home() / "Games/pipe/system.reg").c_str(), 0600), 0);
    EXPECT_TRUE(krel::FindGameFolders(places, "").empty());
}

class FirstRun : public ShellTest {};

TEST_F(FirstRun, TheGameFoundInAPrefixBecomesTheBaseDirectoryAndTheLogSaysWhere) {
    makePrefix(env.winePrefix(), entry(kNativeKey, "\"C:\\\\Games\\\\Vastreach 3\""));
    const fs::path game = MakeFakeGame(env.winePrefix() / "drive_c/Games/Vastreach 3");
    startFrame();
    EXPECT_EQ(frame->Preferences.General.BaseDir, text(game));
    const auto& log = frame->DebugList->lines();
    const std::string line =
        "-> Found in the Wine prefix " + text(env.winePrefix()) +
        " (HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Vastreach III): " + text(game);
    EXPECT_NE(std::find(log.begin(), log.end(), line), log.end());

    // Only a first run searches: a second start keeps the stored folder.
    fs::remove_all(env.winePrefix());
    startFrame();
    EXPECT_EQ(frame->Preferences.General.BaseDir, text(game));
}

TEST_F(FirstRun, TheOptionsOfferTheGameFoldersWhenSeveralAreFound) {
    const fs::path pinned = MakeFakeGame(env.root() / "pinned");
    env.writeGameEntry(text(pinned));
    makePrefix(env.home() / ".wine", entry(kNativeKey, "\"C:\\\\V3\""));
    const fs::path wine = MakeFakeGame(env.home() / ".wine/drive_c/V3");
    startFrame();
    krel::TKrelEditorOptions options(*frame, frame.get());
    options.fillFrom(frame->Preferences);
    options.listGameFolders(frame->GameFolders());
    ASSERT_EQ(options.GameFolders->count(), 2);
    EXPECT_FALSE(options.GameFolders->isHidden());
    EXPECT_EQ(options.GameFolders->currentText().toStdString(), text(pinned));
    options.GameFolders->activated(1);
    EXPECT_EQ(options.BaseDir->text().toStdString(), text(wine));

    options.listGameFolders({{text(wine), "the Wine prefix"}});
    EXPECT_TRUE(options.GameFolders->isHidden()) << "one folder leaves nothing to choose";
}

} // namespace
