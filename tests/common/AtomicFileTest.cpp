#include "common/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace krel;

namespace {
class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("krel-atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    size_t entriesIn(const fs::path& folder) {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
    }
    fs::path dir;
};
} // namespace

TEST_F(AtomicFileTest, WritesReplacesAndLeavesNoTemporaries) {
    WriteFileAtomic(dir / "a.txt", "first");
    WriteFileAtomic(dir / "a.txt", std::string("sec\0nd", 6));
    EXPECT_EQ(ReadWholeFile(dir / "a.txt"), std::string("sec\0nd", 6));
    EXPECT_EQ(entriesIn(dir), 1u);
}

TEST_F(AtomicFileTest, FailureToWriteKeepsTheOldFile) {
    WriteFileAtomic(dir / "a.txt", "old");
    EXPECT_THROW(WriteFileAtomic(dir / "missing" / "a.txt", "new"), std::runtime_error);
    // A target that is a folder cannot be replaced by a file.
    fs::create_directory(dir / "folder");
    EXPECT_THROW(WriteFileAtomic(dir / "folder", "new"), std::runtime_error);
    EXPECT_EQ(ReadWholeFile(dir / "a.txt"), "old");
    EXPECT_EQ(entriesIn(dir), 2u);
}

TEST_F(AtomicFileTest, PairIsReplacedWholeOrNotAtAll) {
    WriteFileAtomic(dir / "one", "old one");
    fs::create_directory(dir / "two"); // the second swap fails
    EXPECT_THROW(ReplaceFilesAtomically({{dir / "one", "new one"}, {dir / "two", "new two"}}),
                 std::runtime_error);
    EXPECT_EQ(ReadWholeFile(dir / "one"), "old one");
    EXPECT_EQ(entriesIn(dir), 2u);

    fs::remove(dir / "two");
    ReplaceFilesAtomically({{dir / "one", "new one"}, {dir / "two", "new two"}});
    EXPECT_EQ(ReadWholeFile(dir / "one"), "new one");
    EXPECT_EQ(ReadWholeFile(dir / "two"), "new two");
    EXPECT_EQ(entriesIn(dir), 2u);
}

TEST_F(AtomicFileTest, FailedPairRemovesATargetThatDidNotExistBefore) {
    fs::create_directory(dir / "two");
    EXPECT_THROW(ReplaceFilesAtomically({{dir / "one", "new"}, {dir / "two", "new"}}),
                 std::runtime_error);
    EXPECT_FALSE(fs::exists(dir / "one"));
}

TEST_F(AtomicFileTest, ReadingAMissingFileOrAFolderNamesIt) {
    fs::create_directory(dir / "folder.txt");
    for (const char* name : {"nothing.txt", "folder.txt"}) {
        try {
            ReadWholeFile(dir / name);
            FAIL() << name;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos);
        }
    }
}
