#include "ToolRunner.h"
#include "common/AtomicFile.h"
#include "common/EncyclopediaFiles.h"
#include "encyclopedia/Completion.h"
#include "encyclopedia/Parser.h"
#include "exchange/Export.h"

#include <gtest/gtest.h>
#include <zip.h>

namespace krel::testing {
namespace {
namespace fs = std::filesystem;

struct RawMember {
    std::string Name;
    int Method = -1;
    std::string Compressed; // the member's data as stored
};

// Members with their stored data, read with libzip without decompressing them.
std::vector<RawMember> rawMembers(const fs::path& archive) {
    int error = 0;
    zip_t* opened = zip_open(archive.c_str(), ZIP_RDONLY, &error);
    std::vector<RawMember> members;
    for (zip_int64_t i = 0; opened && i < zip_get_num_entries(opened, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(opened, i, 0, &stat);
        std::string data(stat.comp_size, '\0');
        zip_file_t* file = zip_fopen_index(opened, i, ZIP_FL_COMPRESSED);
        zip_fread(file, data.data(), data.size());
        zip_fclose(file);
        members.push_back({stat.name, stat.comp_method, data});
    }
    if (opened)
        zip_discard(opened);
    return members;
}

bool operator==(const RawMember& a, const RawMember& b) {
    return a.Name == b.Name && a.Method == b.Method && a.Compressed == b.Compressed;
}

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
    std::vector<RawMember> expected = rawMembers(exported);
    ASSERT_EQ(expected.size(), 2u);
    EXPECT_EQ(expected[0].Name,
              "GameDataSets/Classic_01/GameData/English/wStrings/wsEncyclopedia.txt");
    WriteFileAtomic(temp.Path() / "release.zip", "an older release, replaced");

    ToolRun fromFolder = RunTool({"pack", source, temp / "release.zip"});
    EXPECT_EQ(fromFolder.Status, 0) << fromFolder.Err;
    EXPECT_TRUE(rawMembers(temp.Path() / "release.zip") == expected);
    ToolRun fromArchive = RunTool({"pack", exported.string(), temp / "again.zip"});
    EXPECT_EQ(fromArchive.Status, 0) << fromArchive.Err;
    EXPECT_TRUE(rawMembers(temp.Path() / "again.zip") == expected);
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
