#include "ShellFixture.h"
#include "settings/WorkFolder.h"
#include "support/FakeGame.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;
using namespace krel::test;

class Preferences : public ShellTest {};

TEST_F(Preferences, FirstRunTakesTheGamesEntryExactlyAndCreatesTheWorkFolder) {
    fs::path game = MakeFakeGame(env.root() / "Vastreach 3");
    env.writeGameEntry(path(game));
    startFrame();
    const krel::T_Preferences& p = frame->Preferences;
    EXPECT_EQ(p.General.BaseDir, path(game)) << "no separator is added to the entry's text";
    EXPECT_EQ(p.General.TempDir, path(env.programFolder() / "Temp"));
    EXPECT_TRUE(fs::exists(env.programFolder() / "Temp" / std::string(krel::kWorkFolderMarker)));
    EXPECT_TRUE(p.General.Cleanup && p.Reorder && p.Overwrite && !p.Confirm);
    EXPECT_TRUE(frame->OpenEncyclopediaEditor1->isEnabled());

    const std::string stored = env.userSettings();
    for (const char* line : {"[HKEY_CURRENT_USER\\Software\\KrelEditor]\n",
                             "\"Cleanup\"=dword:00000001\n", "\"Confirm\"=dword:00000000\n"})
        EXPECT_NE(stored.find(line), std::string::npos) << line;
}

TEST_F(Preferences, FirstRunWithoutAReadableGameEntryLooksInTheWinePrefix) {
    // A folder in place of the machine-wide file cannot be read, as a file without rights.
    fs::create_directories(env.root() / "config-system/KrelEditor/machine.reg");
    startFrame();
    EXPECT_EQ(frame->Preferences.General.BaseDir,
              path(env.home()) + "/.wine/drive_c/Program Files/Corvane Interactive/Vastreach 3/");
    EXPECT_FALSE(frame->OpenEncyclopediaEditor1->isEnabled());
}

TEST_F(Preferences, AFlagStoredAsTextStopsLoadingWithTheChainedMessage) {
    env.writeUserSettings(UserSettings("[HKEY_CURRENT_USER\\Software\\KrelEditor\\General]\n"
                                       "\"BaseDir\"=\"/games/v3\"\n"
                                       "\"TempDir\"=\"" +
                                       path(env.root() / "w/x") +
                                       "\"\n"
                                       "\"Cleanup\"=\"1\"\n"));
    dialogs.answer(krel::MsgButton::Ok);
    startFrame();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.texts()[0],
              "FormCreate()\nPreferencesLoad()\nInvalid data type for 'Cleanup'");
    EXPECT_EQ(dialogs.messages[0].icon, krel::MsgIcon::Error);
    const krel::T_Preferences& p = frame->Preferences;
    EXPECT_EQ(p.General.BaseDir, "/games/v3");
    EXPECT_EQ(p.General.TempDir, path(env.root() / "w/x"));
    EXPECT_FALSE(p.Reorder || p.Overwrite || p.Confirm);
    EXPECT_FALSE(fs::exists(env.root() / "w"));
    EXPECT_TRUE(frame->DebugList) << "the log exists even after a failed start";
}

TEST_F(Preferences, MissingKeysBelowTheEditorsKey) {
    // General missing: both texts read empty and the flag cannot be read.
    env.writeUserSettings(UserSettings("[HKEY_CURRENT_USER\\Software\\KrelEditor]\n"));
    dialogs.answer(krel::MsgButton::Ok);
    startFrame();
    EXPECT_EQ(dialogs.texts().at(0),
              "FormCreate()\nPreferencesLoad()\nFailed to get data for 'Cleanup'");
    EXPECT_EQ(frame->Preferences.General.BaseDir, "");

    // Encyclopedia missing: written with its defaults, which also hold in memory.
    fs::path work = env.root() / "a/b/c/work";
    env.writeUserSettings(UserSettings("[HKEY_CURRENT_USER\\Software\\KrelEditor\\General]\n"
                                       "\"TempDir\"=\"" +
                                       path(work) +
                                       "\"\n"
                                       "\"Cleanup\"=dword:00000000\n"));
    startFrame();
    const krel::T_Preferences& p = frame->Preferences;
    EXPECT_TRUE(p.Reorder && p.Overwrite && !p.Confirm && !p.General.Cleanup);
    EXPECT_NE(env.userSettings().find("[HKEY_CURRENT_USER\\Software\\KrelEditor\\Encyclopedia]\n"
                                      "\"Reorder\"=dword:00000001\n"
                                      "\"Overwrite\"=dword:00000001\n"
                                      "\"Confirm\"=dword:00000000\n"),
              std::string::npos);
    EXPECT_TRUE(fs::is_directory(work)) << "every missing level is created";
}

TEST_F(Preferences, ADamagedOrUnreadableSettingsFileIsReportedAndKept) {
    const std::string damaged = UserSettings("[HKEY_CURRENT_USER\\Software\\KrelEditor\n");
    env.writeUserSettings(damaged);
    dialogs.answer(krel::MsgButton::Ok).answer(krel::MsgButton::Ok);
    startFrame();
    const std::string text = dialogs.texts().at(0);
    EXPECT_EQ(text.rfind("FormCreate()\nPreferencesLoad()\nThe settings file '", 0), 0u) << text;
    EXPECT_NE(text.find("line 3"), std::string::npos) << text;
    frame.reset();
    EXPECT_EQ(env.userSettings(), damaged);

    fs::remove(env.userSettingsFile());
    fs::create_directories(env.userSettingsFile());
    startFrame();
    EXPECT_EQ(dialogs.texts().at(1), "FormCreate()\nPreferencesLoad()\nThe settings file '" +
                                         path(env.userSettingsFile()) + "' cannot be read.");
}

} // namespace
