#include "TestEnvironment.h"

#include "common/AtomicFile.h"
#include "settings/Paths.h"

#include <cstdlib>

namespace krel::test {
namespace fs = std::filesystem;

TestEnvironment::TestEnvironment() : root_(fs::canonical(folder_.Path())) {
    for (const char* sub : {"home", "program", "config", "config-system", "data"})
        fs::create_directories(root_ / sub);
    setVariable("HOME", home().string());
    setVariable("XDG_CONFIG_HOME", (root_ / "config").string());
    setVariable("XDG_CONFIG_DIRS", (root_ / "config-system").string());
    setVariable("XDG_DATA_HOME", (root_ / "data").string());
    setVariable("XDG_DATA_DIRS", (root_ / "system-data").string());
    // The game is looked for in the Wine prefix this names: one of the test's own.
    setVariable("WINEPREFIX", winePrefix().string());
    SetProgramFolderForTests(programFolder().string());
}

TestEnvironment::~TestEnvironment() {
    SetProgramFolderForTests({});
    for (const auto& [name, value] : saved_) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
}

void TestEnvironment::setVariable(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    saved_.emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name, value.c_str(), 1);
}

fs::path TestEnvironment::userSettingsFile() const {
    return root_ / "config" / "KrelEditor" / "user.reg";
}

void TestEnvironment::writeUserSettings(const std::string& text) const {
    WriteTestFile(userSettingsFile(), text);
}

std::string TestEnvironment::userSettings() const {
    return ReadWholeFile(userSettingsFile());
}

void TestEnvironment::writeGameEntry(const std::string& location) const {
    WriteTestFile(root_ / "config-system" / "KrelEditor" / "machine.reg",
                  "Windows Registry Editor Version 5.00\n\n"
                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Vastreach III]\n"
                  "\"Program Location\"=\"" +
                      location + "\"\n");
}

std::string UserSettings(const std::string& body) {
    return "Windows Registry Editor Version 5.00\n\n" + body;
}

std::string StoredSettings(const std::string& baseDir, const std::string& tempDir, bool cleanup,
                           bool confirm) {
    auto flag = [](bool on) {
        return std::string(on ? "dword:00000001\n" : "dword:00000000\n");
    };
    return UserSettings("[HKEY_CURRENT_USER\\Software\\KrelEditor\\General]\n\"BaseDir\"=\"" +
                        baseDir + "\"\n\"TempDir\"=\"" + tempDir +
                        "\"\n\"Cleanup\"=" + flag(cleanup) +
                        "\n[HKEY_CURRENT_USER\\Software\\KrelEditor\\Encyclopedia]\n"
                        "\"Reorder\"=dword:00000000\n\"Overwrite\"=dword:00000001\n\"Confirm\"=" +
                        flag(confirm));
}

} // namespace krel::test
