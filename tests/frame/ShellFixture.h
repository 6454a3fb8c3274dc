#pragma once
// A frame started in a private test world, with the settings file written beforehand.

#include "frame/MainForm.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace krel::test {

class ShellTest : public ::testing::Test {
protected:
    TestEnvironment env;
    ScriptedDialogs dialogs;
    std::unique_ptr<TKrelEditMainForm> frame;

    void startFrame() { frame = std::make_unique<TKrelEditMainForm>(); }
    std::string path(const std::filesystem::path& p) const { return p.string(); }
};

} // namespace krel::test
