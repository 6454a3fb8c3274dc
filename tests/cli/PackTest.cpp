#include "ToolRunner.h"
#include "common/AtomicFile.h"
#include "common/EncyclopediaFiles.h"
#include "encyclopedia/Completion.h"
#include "encyclopedia/Parser.h"
#include "exchange/Export.h"
#include "support/TestZip.h"

#include <gtest/gtest.h>

namespace krel::testing {
namespace {
namespace fs = std::filesystem;

// What the editor's export writes right after opening the folder: the list in the order of the
// table of contents that opening shows.
fs::path editorExport(const fs::path& source, const fs::path& folder) {
    FilePair files = EncyclopediaFilesIn(source);
    Encyclopedia book;
    InstallParsed(
        book,
        ParseEncyclopedia(ReadWholeFile(files.Titles), ReadWholeFile(files.Contents)).Records);
    book.ReorderEncyclopedia();
    TZipMaster zip;
    fs::create_directories(folder / "work");
    return ExportZipArchive(book, folder / "work", folder, zip, {}).Target;
}

// The entries are not in the order of the table of contents, so the export reorders them.
TEST(PackTest, WritesTheArchiveOfTheEditorsExportFromAFolderOrAnArchive) {
    TempFolder temp;
    WriteEncyclopedia(temp.Path() / "source",
                      {"|EGH_0004|\"Worlds:WARD,WBEL\"", "|EGH_0001|\"Start:EROR\"",
                       "|EGT_WBEL|\"Belisar\"", "|EGT_WARD|\"Ardesh\"", "|EGT_EROR|\"Start\""},
                      {"\\*EGC_WARD Dry.", "\\*EGC_WBEL Wet.", "\\*EGC_EROR Hello."});
    const std::string source = temp / "source";
    fs::path exported = editorExport(source, temp.Path() / "editor");
    std::vector<test::StoredMember> expected = test::ReadTestZip(exported);
    ASSERT_EQ(expected.size(), 2u);
    EXPECT_EQ(expected[0].Name,
              "GameDataSets/Classic_01/GameData/English/wStrings/wsEncyclopedia.txt");
    WriteFileAtomic(temp.Path() / "release.zip", "an older release, replaced");

    ToolRun fromFolder = RunTool({"pack", source, temp / "release.zip"});
    EXPECT_EQ(fromFolder.Status, 0) << fromFolder.Err;
    EXPECT_TRUE(test::ReadTestZip(temp.Path() / "release.zip") == expected);
    ToolRun fromArchive = RunTool({"pack", exported.string(), temp / "again.zip"});
    EXPECT_EQ(fromArchive.Status, 0) << fromArchive.Err;
    EXPECT_TRUE(test::ReadTestZip(temp.Path() / "again.zip") == expected);
}

TEST(PackTest, AFailureLeavesNothingBehind) {
    TempFolder temp;
    WriteFileAtomic(temp.Path() / "plain", "a file, not a folder");
    ToolRun blocked = RunTool({"pack", KREL_SAMPLE_DIR, temp / "plain/release.zip"});
    EXPECT_EQ(blocked.Status, 2);
    EXPECT_NE(blocked.Err.find("plain/release.zip': Error: "), std::string::npos) << blocked.Err;
    ToolRun missing = RunTool({"pack", temp / "absent", temp / "release.zip"});
    EXPECT_EQ(missing.Status, 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), {}), 1); // only "plain"
}

} // namespace
} // namespace krel::testing
