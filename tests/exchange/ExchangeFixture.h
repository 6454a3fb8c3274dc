#pragma once
// A temporary game data folder and work folder per test. Archives are written and read back
// with libzip directly, never through the component under test; log lines, the component's
// reports and traces are recorded.

#include "archive/ZipMaster.h"
#include "common/AtomicFile.h"
#include "common/DebugOutput.h"
#include "exchange/FileWork.h"
#include "support/TempFolder.h"
#include "support/TestZip.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <zip.h>

namespace krel::test {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        data = dir / "Vastreach3/GameDataSets/Classic_01/GameData/English";
        work = dir / "Temp";
        fs::create_directories(data / "wStrings");
        WriteTestFile(work / "wsEncyclopedia.txt", "loaded contents");
        WriteTestFile(work / "wsEncyclopediaTitles.txt", "loaded titles");
        zip.OnMessage = [this](const std::string& text) {
            reports.push_back(text);
        };
        SetDebugOutputSink([this](const std::string& line) {
            traces.push_back(line.substr(line.find(" - ") + 3));
        });
    }
    void TearDown() override { SetDebugOutputSink(nullptr); }

    std::map<fs::path, std::string> Snapshot() const { return temp.Snapshot(); }
    // Members are stored uncompressed, so a test can find and damage their bytes.
    static fs::path MakeArchive(const fs::path& path, const std::vector<ZipMember>& members) {
        WriteTestZip(path, members, true);
        return path;
    }

    TempFolder temp;
    fs::path dir = temp.Path();
    fs::path data; // the game's data folder, holding "wStrings"
    fs::path work;
    TZipMaster zip;
    std::vector<std::string> log, reports, traces;
    LogFn logFn = [this](const std::string& line) {
        log.push_back(line);
    };
};

} // namespace krel::test
