// Short runs of the crash and race trials; krel-writes-bench runs the long ones.
#include "WriteTrials.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace krel::trials;

namespace {

class WriteTrials : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("krel-trials-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(WriteTrials, EveryKillLeavesTheCompleteOldOrNewPairAndTheNextSaveSucceeds) {
    CrashFigures figures = RunCrashTrials(dir, 12, 256 << 10, 20240611);
    for (const std::string& fault : figures.Faults)
        ADD_FAILURE() << fault;
    EXPECT_EQ(figures.Kills, 8 + 12);
    for (const char* step :
         {"folders held 0", "temporaries written 0", "previous kept 0", "intent recorded 0",
          "target replaced 0", "target replaced 1", "intent cleared 0", "rolling back 0"})
        EXPECT_EQ(figures.StoppedAfter[step], 1) << step;
}

TEST_F(WriteTrials, TwoWritersAtOnceLeaveThePairOfTheOneThatFinishedLast) {
    RaceFigures figures = RunRaceTrials(dir, 20, 16 << 10);
    for (const std::string& fault : figures.Faults)
        ADD_FAILURE() << fault;
    EXPECT_EQ(figures.Rounds, 20);
    EXPECT_GT(figures.Reads, 0);
}

} // namespace
