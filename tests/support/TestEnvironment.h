#pragma once
// A private world for one test: its own settings, data and home folders and its own program
// folder, so no test ever reads or writes the user's real files. Restores everything when it
// goes out of scope.

#include "TempFolder.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace krel::test {

class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path home() const { return root_ / "home"; }
    std::filesystem::path programFolder() const { return root_ / "program"; }
    // $WINEPREFIX (not created).
    std::filesystem::path winePrefix() const { return root_ / "wine-prefix"; }
    std::filesystem::path userSettingsFile() const;

    // Writes the user's settings file as given (no header is added).
    void writeUserSettings(const std::string& text) const;
    std::string userSettings() const;
    // Writes the game installer's machine-wide entry naming location.
    void writeGameEntry(const std::string& location) const;

private:
    void setVariable(const char* name, const std::string& value);

    TempFolder folder_;
    std::filesystem::path root_;
    std::map<std::string, std::optional<std::string>> saved_;
};

// A settings file: the header line, then body.
std::string UserSettings(const std::string& body);
// Settings of a user who has run the editor before, with the given folders.
std::string StoredSettings(const std::string& baseDir, const std::string& tempDir,
                           bool cleanup = true, bool confirm = true);

} // namespace krel::test
