#pragma once
// A temporary game data folder and work folder per test. Archives are written and read back
// with libzip directly, never through the component under test; log lines, the component's
// reports and traces are recorded.

#include "archive/ZipMaster.h"
#include "common/AtomicFile.h"
#include "common/DebugOutput.h"
#include "exchange/FileWork.h"

#include <atomic>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>
#include <zip.h>

namespace krel::test {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

struct Member {
    std::string Name; // as stored, with "/"
    std::string Bytes;
    int Method = ZIP_CM_STORE;
};

class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        dir = fs::temp_directory_path() /
              ("krel-exchange-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(dir);
        data = dir / "Vastreach3/GameDataSets/Classic_01/GameData/English";
        work = dir / "Temp";
        fs::create_directories(data / "wStrings");
        Write(work / "wsEncyclopedia.txt", "loaded contents");
        Write(work / "wsEncyclopediaTitles.txt", "loaded titles");
        zip.OnMessage = [this](const std::string& text) {
            reports.push_back(text);
        };
        SetDebugOutputSink([this](const std::string& line) {
            traces.push_back(line.substr(line.find(" - ") + 3));
        });
    }
    void TearDown() override {
        SetDebugOutputSink(nullptr);
        fs::remove_all(dir);
    }

    static fs::path Write(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        WriteFileAtomic(path, bytes);
        return path;
    }
    // Every file and folder below the test folder with its bytes.
    std::map<fs::path, std::string> Snapshot() const {
        std::map<fs::path, std::string> files;
        for (const auto& item : fs::recursive_directory_iterator(dir))
            files[item.path()] = item.is_regular_file() ? ReadWholeFile(item.path()) : "<dir>";
        return files;
    }
    // Members are stored uncompressed, so a test can find and damage their bytes.
    static fs::path MakeArchive(const fs::path& path, const std::vector<Member>& members) {
        fs::create_directories(path.parent_path());
        int error = 0;
        zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        for (const Member& member : members) {
            zip_source_t* source =
                zip_source_buffer(archive, member.Bytes.data(), member.Bytes.size(), 0);
            zip_int64_t index = zip_file_add(archive, member.Name.c_str(), source, 0);
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), member.Method, 0);
        }
        EXPECT_EQ(zip_close(archive), 0);
        return path;
    }
    static std::vector<Member> ReadArchive(const fs::path& path) {
        int error = 0;
        zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
        std::vector<Member> members;
        for (zip_uint64_t i = 0; archive && i < zip_uint64_t(zip_get_num_entries(archive, 0));
             ++i) {
            zip_stat_t stat;
            zip_stat_index(archive, i, 0, &stat);
            std::string bytes(stat.size, '\0');
            zip_file_t* file = zip_fopen_index(archive, i, 0);
            EXPECT_EQ(zip_fread(file, bytes.data(), stat.size), zip_int64_t(stat.size));
            zip_fclose(file);
            members.push_back({stat.name, bytes, stat.comp_method});
        }
        if (archive)
            zip_discard(archive);
        return members;
    }

    fs::path dir;
    fs::path data; // the game's data folder, holding "wStrings"
    fs::path work;
    TZipMaster zip;
    std::vector<std::string> log, reports, traces;
    LogFn logFn = [this](const std::string& line) {
        log.push_back(line);
    };
};

} // namespace krel::test
