#include "settings/SettingsStore.h"

#include "common/AtomicFile.h"
#include "settings/RegFile.h"
#include "support/TestEnvironment.h"

#include <chrono>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
using krel::RegDocument;
using krel::Registry;
using krel::SettingsHive;

constexpr const char* kHeader = "Windows Registry Editor Version 5.00\n";

TEST(RegFile, KeepsKeysWithoutValuesEscapesAndNumbersAcrossARoundTrip) {
    const std::string text = std::string(kHeader) +
                             "\n[HKEY_CURRENT_USER\\Software]\n"
                             "\n[HKEY_CURRENT_USER\\Software\\KrelEditor]\n"
                             "\n[HKEY_CURRENT_USER\\Software\\KrelEditor\\General]\n"
                             "\"BaseDir\"=\"C:\\\\Games\\\\\\\"Vast\\\" 3\\\\\"\n"
                             "\"Cleanup\"=dword:0000002a\n";
    RegDocument document = RegDocument::Parse("HKEY_CURRENT_USER", text);
    EXPECT_TRUE(document.HasKey("\\Software\\KrelEditor"));
    EXPECT_TRUE(document.HasKey("software\\krelEDITOR\\general")) << "keys ignore letter case";
    EXPECT_EQ(document.Find("\\Software\\KrelEditor\\General", "basedir")->text,
              "C:\\Games\\\"Vast\" 3\\");
    EXPECT_EQ(document.Find("\\Software\\KrelEditor\\General", "Cleanup")->number, 42u);
    EXPECT_EQ(document.Serialize(), text);
}

TEST(RegFile, TextsOutsideAsciiAreUtf8OnDiskAnd8BitInside) {
    RegDocument document("HKEY_CURRENT_USER");
    document.CreateKey("\\Software\\KrelEditor\\General");
    document.Set("\\Software\\KrelEditor\\General",
                 {"TempDir", krel::RegValue::Type::String, "/home/j\xF6rg/Temp", 0});
    std::string text = document.Serialize();
    EXPECT_NE(text.find("/home/j\xC3\xB6rg/Temp"), std::string::npos);
    EXPECT_EQ(RegDocument::Parse("HKEY_CURRENT_USER", text)
                  .Find("\\Software\\KrelEditor\\General", "TempDir")
                  ->text,
              "/home/j\xF6rg/Temp");
}

TEST(RegFile, DamagedFilesAreRefusedWithTheirLine) {
    struct Case {
        std::string text;
        std::string where;
    };
    const std::string key = "[HKEY_CURRENT_USER\\Software\\KrelEditor]\n";
    for (const Case& c : std::vector<Case>{
             {"", "line 1"},
             {"REGEDIT4\n", "line 1"},
             {std::string(kHeader) + "\"Orphan\"=\"x\"\n", "line 2"},
             {std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\Software]\n", "line 2"},
             {std::string(kHeader) + key + "\"Open\"=\"no end\n", "line 3"},
             {std::string(kHeader) + key + "\"Bad\"=dword:xyz\n", "line 3"},
             {std::string(kHeader) + key + "\"Big\"=dword:123456789\n", "line 3"},
             {std::string(kHeader) + key + "\"Esc\"=\"a\\nb\"\n", "line 3"},
             {std::string(kHeader) + "\n" + key + "\"Kind\"=hex:01,02\n", "line 4"},
         }) {
        try {
            RegDocument::Parse("HKEY_CURRENT_USER", c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const krel::SettingsFileError& e) {
            EXPECT_NE(std::string(e.what()).find(c.where), std::string::npos) << e.what();
        }
    }
}

class SettingsStore : public ::testing::Test {
protected:
    krel::test::TestEnvironment env;
    SettingsHive user{env.userSettingsFile(), "HKEY_CURRENT_USER", SettingsHive::Access::ReadWrite};

    std::string failure(const std::function<void()>& body) {
        try {
            body();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "no failure";
    }
};

TEST_F(SettingsStore, ReadsFollowTheRegistrysRulesForMissingAndMistypedValues) {
    env.writeUserSettings(std::string(kHeader) +
                          "[HKEY_CURRENT_USER\\Software\\KrelEditor\\General]\n"
                          "\"Name\"=\"text\"\n\"Count\"=dword:ffffffff\n");
    Registry registry(user);
    ASSERT_TRUE(registry.OpenKey("\\Software\\KrelEditor\\General", false));
    EXPECT_EQ(registry.ReadString("Missing"), "");
    EXPECT_EQ(registry.ReadInteger("Count"), -1);
    EXPECT_EQ(failure([&] { registry.ReadInteger("Missing"); }),
              "Failed to get data for 'Missing'");
    EXPECT_EQ(failure([&] { registry.ReadInteger("Name"); }), "Invalid data type for 'Name'");
    EXPECT_EQ(failure([&] { registry.ReadString("Count"); }), "Invalid data type for 'Count'");
    EXPECT_FALSE(registry.OpenKey("\\Software\\KrelEditor\\Absent", false));
    EXPECT_EQ(failure([&] { registry.ReadInteger("Count"); }), "Failed to get data for 'Count'");
    EXPECT_EQ(failure([&] { registry.WriteString("Name", "x"); }), "Failed to set data for 'Name'");
}

TEST_F(SettingsStore, ClosingAKeyWritesTheFileAndAFreshReaderSeesIt) {
    {
        Registry registry(user);
        ASSERT_TRUE(registry.OpenKey("\\Software\\KrelEditor\\Encyclopedia", true));
        registry.WriteBool("Confirm", true);
        registry.CloseKey();
    }
    SettingsHive again(env.userSettingsFile(), "HKEY_CURRENT_USER",
                       SettingsHive::Access::ReadWrite);
    Registry registry(again);
    EXPECT_TRUE(registry.KeyExists("\\Software\\KrelEditor"));
    ASSERT_TRUE(registry.OpenKey("\\Software\\KrelEditor\\Encyclopedia", false));
    EXPECT_TRUE(registry.ReadBool("Confirm"));
}

TEST_F(SettingsStore, ADamagedFileIsReportedAndNeverWrittenOver) {
    const std::string damaged = std::string(kHeader) + "[HKEY_CURRENT_USER\\Software]\n\"x\n";
    env.writeUserSettings(damaged);
    Registry registry(user);
    std::string message = failure([&] { registry.OpenKey("\\Software\\KrelEditor", true); });
    EXPECT_NE(message.find("user.reg"), std::string::npos) << message;
    EXPECT_NE(message.find("line 3"), std::string::npos) << message;
    EXPECT_NE(failure([&] { registry.KeyExists("\\Software"); }), "no failure");
    EXPECT_EQ(env.userSettings(), damaged);
}

TEST_F(SettingsStore, APipeAsTheSettingsFileIsReportedUnreadableWithoutWaiting) {
    const std::filesystem::path file = env.userSettingsFile();
    std::filesystem::create_directories(file.parent_path());
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    auto opening = std::async(std::launch::async, [&] {
        return failure([&] { Registry(user).OpenKey("\\Software\\KrelEditor", true); });
    });
    if (opening.wait_for(std::chrono::seconds(1)) == std::future_status::timeout) {
        // A writer lets the stuck reader go, so the test can end.
        close(open(file.c_str(), O_WRONLY | O_NONBLOCK));
        FAIL() << "the settings file was waited on";
    }
    EXPECT_EQ(opening.get(), "The settings file '" + file.string() + "' cannot be read.");
}

TEST_F(SettingsStore, TheMachineEntryIsReadOnly) {
    env.writeGameEntry("/games/vast");
    SettingsHive machine(env.root() / "config-system/KrelEditor/machine.reg", "HKEY_LOCAL_MACHINE",
                         SettingsHive::Access::ReadOnly);
    Registry registry(machine);
    ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\Corvane\\Vastreach III", false));
    EXPECT_EQ(registry.ReadString("Program Location"), "/games/vast");
    EXPECT_EQ(failure([&] { registry.WriteString("Program Location", "/x"); }),
              "Failed to set data for 'Program Location'");
    EXPECT_FALSE(registry.OpenKey("\\SOFTWARE\\Other", true));
}

} // namespace
