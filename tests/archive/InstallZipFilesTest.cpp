#include "archive/InstallZipFiles.h"

#include "ArchiveFixture.h"

namespace krel::test {
namespace {

using InstallZipFilesTest = ArchiveTest;

TEST_F(InstallZipFilesTest, GivesTheWorkFolderWithOneTrailingSeparatorAndWritesNothing) {
    std::string folder = dir.string();
    EXPECT_EQ(InstallZipFiles(folder), folder + "/");
    EXPECT_EQ(InstallZipFiles(folder + "/"), folder + "/");
    EXPECT_EQ(InstallZipFiles(folder + "\\"), folder + "\\");
    EXPECT_TRUE(Snapshot().empty());
}

TEST_F(InstallZipFilesTest, AMissingWorkFolderFailsUnderTheRoutinesName) {
    try {
        InstallZipFiles((dir / "absent").string());
        ADD_FAILURE() << "no failure";
    } catch (const EZipInstallError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "InstallZipFiles()\rWork folder not found (" + (dir / "absent").string() + ")");
    }
    EXPECT_FALSE(fs::exists(dir / "absent"));
}

} // namespace
} // namespace krel::test
