#pragma once
// A frame started in a private test world, with the settings file written beforehand.

#include "shell/MainForm.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace krel::test {

inline std::string UserSettings(const std::string& body) {
    return "Windows Registry Editor Version 5.00\n\n" + body;
}

// Settings of a user who has run the editor before, with the given folders.
inline std::string StoredSettings(const std::string& baseDir, const std::string& tempDir,
                                  bool cleanup = true) {
    return UserSettings("[HKEY_CURRENT_USER\\Software\\KrelEditor\\General]\n"
                        "\"BaseDir\"=\"" +
                        baseDir + "\"\n\"TempDir\"=\"" + tempDir +
                        "\"\n"
                        "\"Cleanup\"=dword:0000000" +
                        (cleanup ? "1" : "0") +
                        "\n\n"
                        "[HKEY_CURRENT_USER\\Software\\KrelEditor\\Encyclopedia]\n"
                        "\"Reorder\"=dword:00000000\n\"Overwrite\"=dword:00000001\n"
                        "\"Confirm\"=dword:00000001\n");
}

class ShellTest : public ::testing::Test {
protected:
    TestEnvironment env;
    ScriptedDialogs dialogs;
    std::unique_ptr<TKrelEditMainForm> frame;

    void startFrame() { frame = std::make_unique<TKrelEditMainForm>(); }
    std::string path(const std::filesystem::path& p) const { return p.string(); }
};

} // namespace krel::test
