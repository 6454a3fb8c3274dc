#include "common/AtomicFile.h"

#include "WriteTrials.h"
#include "common/Platform.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace krel;

namespace {
class AtomicFileTest : public ::testing::Test {
protected:
    size_t entriesIn(const fs::path& folder) {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
    }
    std::set<std::string> namesIn(const fs::path& folder) {
        std::set<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }
    unsigned modeOf(const fs::path& file) {
        struct stat info {};
        stat(file.c_str(), &info);
        return info.st_mode & 07777;
    }
    krel::test::TempFolder temp;
    fs::path dir = temp.Path();
};
} // namespace

TEST_F(AtomicFileTest, WritesReplacesLeavesNoTemporariesAndAFailureKeepsTheOldFile) {
    WriteFileAtomic(dir / "a.txt", "first");
    WriteFileAtomic(dir / "a.txt", std::string("sec\0nd", 6));
    EXPECT_EQ(ReadWholeFile(dir / "a.txt"), std::string("sec\0nd", 6));
    EXPECT_EQ(entriesIn(dir), 1u);
    EXPECT_THROW(WriteFileAtomic(dir / "missing" / "a.txt", "new"), std::runtime_error);
    // A target that is a folder cannot be replaced by a file.
    fs::create_directory(dir / "folder");
    EXPECT_THROW(WriteFileAtomic(dir / "folder", "new"), std::runtime_error);
    EXPECT_EQ(ReadWholeFile(dir / "a.txt"), std::string("sec\0nd", 6));
    EXPECT_EQ(entriesIn(dir), 2u);
}

TEST_F(AtomicFileTest, PairIsReplacedWholeOrNotAtAll) {
    fs::create_directory(dir / "two"); // the second swap fails
    EXPECT_THROW(ReplaceFilesAtomically({{dir / "one", "new"}, {dir / "two", "new"}}),
                 std::runtime_error);
    EXPECT_FALSE(fs::exists(dir / "one")) << "a target that did not exist before is removed";
    WriteFileAtomic(dir / "one", "old one");
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

// Crashes, races and file systems without hard links left such files; none may stop a save.
TEST_F(AtomicFileTest, LeftoversOfInterruptedWritesAreClearedAndNeverBlock) {
    WriteFileAtomic(dir / "victim", "untouched");
    for (const char* kind : {".old", ".new"})
        for (int n = 0; n < 10; ++n)
            for (const char* target : {"one", "two"})
                WriteFileAtomic(dir / (target + (kind + std::to_string(n)) + "~"), "leftover");
    WriteFileAtomic(dir / ".one.krel-0123456789abcdef~", "half a save");
    fs::create_symlink(dir / "victim", dir / ".two.krel-fedcba9876543210~");
    fs::create_directory(dir / ".x.krel-0000000000000000~");
    WriteFileAtomic(dir / "notes.old2~", "the user's own file");

    ReplaceFilesAtomically({{dir / "one", "new one"}, {dir / "two", "new two"}});
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{"one", "two", "victim", "notes.old2~",
                                                   ".x.krel-0000000000000000~"}));
    EXPECT_EQ(ReadWholeFile(dir / "victim"), "untouched");
}

// Another user may plant links in a shared folder; a save must never write through them.
TEST_F(AtomicFileTest, LinksPlantedUnderTemporaryNamesAreNeverFollowed) {
    WriteFileAtomic(dir / "victim", "untouched");
    fs::create_symlink(dir / "victim", dir / "link");
    fs::create_symlink(dir / "nowhere", dir / "dangling");
    EXPECT_FALSE(CreateNewFile(dir / "link", false).has_value());
    EXPECT_FALSE(CreateNewFile(dir / "dangling", true).has_value());
    EXPECT_FALSE(fs::exists(dir / "nowhere"));
    for (int n = 0; n < 10; ++n)
        for (const char* kind : {".new", ".old"})
            fs::create_symlink(dir / "victim", dir / ("a.txt" + (kind + std::to_string(n)) + "~"));
    for (int round = 0; round < 2; ++round)
        WriteFileAtomic(dir / "a.txt", "saved");
    EXPECT_EQ(ReadWholeFile(dir / "a.txt"), "saved");
    EXPECT_EQ(ReadWholeFile(dir / "victim"), "untouched");
}

TEST_F(AtomicFileTest, PermissionsAndOwnerSurviveAndLinkedTargetsAreWrittenThrough) {
    WriteFileAtomic(dir / "private", "old");
    fs::permissions(dir / "private", fs::perms::owner_read | fs::perms::owner_write);
    WriteFileAtomic(dir / "shared", "old");
    fs::permissions(dir / "shared", static_cast<fs::perms>(0640));
    const bool superuser = geteuid() == 0;
    if (superuser) {
        ASSERT_EQ(chown((dir / "shared").c_str(), 4321, 4321), 0);
    }
    ReplaceFilesAtomically({{dir / "private", "new"}, {dir / "shared", "new"}});
    WriteFileAtomic(dir / "private", "newer");
    EXPECT_EQ(modeOf(dir / "private"), 0600u);
    EXPECT_EQ(modeOf(dir / "shared"), 0640u);
    struct stat info {};
    stat((dir / "shared").c_str(), &info);
    if (superuser) {
        EXPECT_EQ(info.st_uid, 4321u);
    }

    // Links stay links; the files they lead to get the content, even through a chain.
    fs::create_directory(dir / "kept");
    WriteFileAtomic(dir / "kept/titles", "old titles");
    fs::create_symlink("kept/titles", dir / "titles");
    fs::create_symlink("titles", dir / "chain");
    fs::create_symlink("kept/contents", dir / "contents");
    ReplaceFilesAtomically({{dir / "chain", "new titles"}, {dir / "contents", "new contents"}});
    EXPECT_TRUE(fs::is_symlink(dir / "titles") && fs::is_symlink(dir / "contents"));
    EXPECT_EQ(ReadWholeFile(dir / "kept/titles"), "new titles");
    EXPECT_EQ(ReadWholeFile(dir / "kept/contents"), "new contents");
    EXPECT_EQ(namesIn(dir / "kept"), (std::set<std::string>{"titles", "contents"}));

    // In a folder of someone else's, a third user's link is refused, as the kernel refuses it.
    if (superuser) {
        fs::create_symlink("kept/titles", dir / "foreign");
        ASSERT_EQ(lchown((dir / "foreign").c_str(), 1111, 1111), 0);
        EXPECT_THROW(WriteFileAtomic(dir / "foreign", "steered"), std::runtime_error);
        EXPECT_EQ(ReadWholeFile(dir / "kept/titles"), "new titles");
    }
}

TEST_F(AtomicFileTest, CopiesCarryTheSourcesBytesAndAMissingSourceChangesNothing) {
    std::string large(3 << 20, '\0');
    std::mt19937 random(7);
    for (char& c : large)
        c = static_cast<char>(random());
    fs::create_directory(dir / "from");
    WriteFileAtomic(dir / "from/contents", large);
    WriteFileAtomic(dir / "from/titles", "");
    ReplaceFilesWithCopies(
        {{dir / "contents", dir / "from/contents"}, {dir / "titles", dir / "from/titles"}});
    EXPECT_TRUE(ReadWholeFile(dir / "contents") == large);
    EXPECT_EQ(ReadWholeFile(dir / "titles"), "");
    try {
        ReplaceFilesWithCopies(
            {{dir / "contents", dir / "from/titles"}, {dir / "titles", dir / "from/missing"}});
        FAIL() << "a missing source was copied";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("from/missing"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(ReadWholeFile(dir / "contents") == large);
    EXPECT_EQ(entriesIn(dir), 3u);
}

// Short runs of the crash and race trials; krel-writes-bench runs the long ones.
TEST_F(AtomicFileTest, EveryKillLeavesTheCompleteOldOrNewPairAndTheNextSaveSucceeds) {
    trials::CrashFigures figures = trials::RunCrashTrials(dir, 12, 256 << 10, 20240611);
    for (const std::string& fault : figures.Faults)
        ADD_FAILURE() << fault;
    EXPECT_EQ(figures.Kills, 8 + 12);
    for (const char* step :
         {"folders held 0", "temporaries written 0", "previous kept 0", "intent recorded 0",
          "target replaced 0", "target replaced 1", "intent cleared 0", "rolling back 0"})
        EXPECT_EQ(figures.StoppedAfter[step], 1) << step;
}

TEST_F(AtomicFileTest, TwoWritersAtOnceLeaveThePairOfTheOneThatFinishedLast) {
    trials::RaceFigures figures = trials::RunRaceTrials(dir, 20, 16 << 10);
    for (const std::string& fault : figures.Faults)
        ADD_FAILURE() << fault;
    EXPECT_EQ(figures.Rounds, 20);
    EXPECT_GT(figures.Reads, 0);
}
