#pragma once
// A temporary folder per test and a TZipMaster whose reports and progress events are recorded
// in one log, so tests can check what was shown and in which order.

#include "archive/ZipMaster.h"
#include "common/AtomicFile.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace krel::test {

namespace fs = std::filesystem;

struct Event {
    ProgressType Type;
    std::string Name;
    int64_t Size;
};

class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override;

    fs::path WriteFile(const std::string& name, const std::string& bytes) const {
        return WriteTestFile(dir / name, bytes);
    }
    // Every file below the test folder with its bytes: what "nothing else changed" compares.
    std::map<fs::path, std::string> Snapshot() const { return temp.Snapshot(); }
    std::vector<std::string> ListedNames() const;
    // Compression method of a stored member (ZIP_CM_STORE, ZIP_CM_DEFLATE), read with libzip.
    int MethodOf(const fs::path& archive, const std::string& storedName) const;
    std::string Extracted(const std::string& name);

    std::vector<Event> EventsOfType(ProgressType type) const;
    int64_t SumOfUpdates() const;

    TempFolder temp;
    fs::path dir = temp.Path();
    TZipMaster zip;
    std::vector<std::string> reports;
    std::vector<Event> events;
    // Reports and events in the order they happened ("report", "event 2", ...).
    std::vector<std::string> order;
};

} // namespace krel::test
