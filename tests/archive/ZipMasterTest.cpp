#include "ArchiveFixture.h"
#include "ZipBytes.h"

#include <zip.h>

namespace krel::test {
namespace {

using ::testing::ElementsAre;

class ZipMasterTest : public ArchiveTest {
protected:
    fs::path GameArchive() {
        return WriteFile("wStrings.mob",
                         BuildZip({{"wStrings/", ""},
                                   {"wStrings/wsEncyclopedia.txt", std::string(1234, 'e'), true},
                                   {"wStrings/wsEncyclopediaTitles.txt", "titles"},
                                   {"Pictures/Ship.PNG", "picture bytes"}}));
    }

    // Export's layout: two work files added, then moved below the game's folders.
    fs::path ExportedArchive() {
        fs::path archive = dir / "Encyclopedia.zip";
        zip.SetZipFileName(archive);
        zip.FSpecArgs().push_back(WriteFile("work/wsEncyclopedia.txt", std::string(5000, 'c')));
        zip.FSpecArgs().push_back(WriteFile("work/wsEncyclopediaTitles.txt", "titles text"));
        EXPECT_TRUE(zip.Add());
        return archive;
    }
};

TEST_F(ZipMasterTest, ListsMembersInArchiveOrderAndAMissingArchiveAsEmptyWithoutReport) {
    zip.SetZipFileName(GameArchive());
    EXPECT_THAT(ListedNames(),
                ElementsAre("wStrings\\wsEncyclopedia.txt", "wStrings\\wsEncyclopediaTitles.txt",
                            "Pictures\\Ship.PNG"));
    ASSERT_EQ(zip.Count(), 3);
    EXPECT_EQ(zip.DirEntry(0).UncompressedSize, 1234u);
    EXPECT_EQ(zip.DirEntry(2).UncompressedSize, 13u);

    zip.SetZipFileName(dir / "absent.zip");
    EXPECT_EQ(zip.Count(), 0);
    EXPECT_EQ(zip.ZipFileName(), dir / "absent.zip");
    EXPECT_TRUE(reports.empty());
    EXPECT_FALSE(fs::exists(dir / "absent.zip"));
}

TEST_F(ZipMasterTest, ExtractsIgnoringLetterCaseAndAFailedExtractionKeepsThePreviousStream) {
    zip.SetZipFileName(GameArchive());
    TZipStream* stream = zip.ExtractFileToStream("WSTRINGS\\wsencyclopedia.TXT");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->Bytes(), std::string(1234, 'e'));
    EXPECT_TRUE(reports.empty());
    for (const char* name : {"wStrings\\absent.txt", "wStrings/wsEncyclopedia.txt", "wStrings\\"})
        EXPECT_EQ(zip.ExtractFileToStream(name), nullptr) << name;
    EXPECT_EQ(stream->Bytes(), std::string(1234, 'e'));
    EXPECT_EQ(reports.size(), 3u);
}

TEST_F(ZipMasterTest, ExtractionAfterTheArchiveVanishedIsReported) {
    fs::path archive = GameArchive();
    zip.SetZipFileName(archive);
    fs::remove(archive);
    EXPECT_EQ(zip.ExtractFileToStream("Pictures\\Ship.PNG"), nullptr);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("wStrings.mob"), std::string::npos) << reports[0];
}

TEST_F(ZipMasterTest, SavedStreamIsTheMemberByteForByte) {
    std::string binary;
    for (int i = 0; i < 70000; ++i)
        binary.push_back(static_cast<char>(i * 7 % 251));
    zip.SetZipFileName(WriteFile("data.zip", BuildZip({{"blob.bin", binary, true}})));
    TZipStream* stream = zip.ExtractFileToStream("blob.bin");
    ASSERT_NE(stream, nullptr);
    stream->SaveToFile(dir / "copy.bin");
    EXPECT_EQ(ReadWholeFile(dir / "copy.bin"), binary);
}

TEST_F(ZipMasterTest, AddCreatesTheArchiveWithBareNamesDeflatedOrStoredBySuffix) {
    fs::path archive = dir / "out.zip";
    zip.SetZipFileName(archive);
    zip.FSpecArgs() = {WriteFile("a/notes.txt", "x"), WriteFile("b/Picture.PNG", "png data"),
                       WriteFile("c/pack.zip", std::string(3000, 'z'))};
    ASSERT_TRUE(zip.Add());
    EXPECT_THAT(ListedNames(), ElementsAre("notes.txt", "Picture.PNG", "pack.zip"));
    EXPECT_EQ(MethodOf(archive, "notes.txt"), ZIP_CM_DEFLATE); // libzip would store one byte
    EXPECT_EQ(MethodOf(archive, "Picture.PNG"), ZIP_CM_STORE);
    EXPECT_EQ(MethodOf(archive, "pack.zip"), ZIP_CM_STORE);
    EXPECT_TRUE(zip.FSpecArgs().empty());
    EXPECT_EQ(Extracted("pack.zip"), std::string(3000, 'z'));
    EXPECT_TRUE(reports.empty());
}

TEST_F(ZipMasterTest, MemberNamesAreWindows1252BytesWithoutTheUtf8Flag) {
    fs::path archive = dir / "accents.zip";
    zip.SetZipFileName(archive);
    zip.FSpecArgs() = {WriteFile("Plan\u00e8te \u00c9toile.txt", "accents")};
    ASSERT_TRUE(zip.Add());
    EXPECT_THAT(ListedNames(), ElementsAre("Plan\xE8te \xC9toile.txt"));
    EXPECT_EQ(Extracted("PLAN\xC8TE \xE9TOILE.TXT"), "accents"); // case folds beyond ASCII
    int error = 0;
    zip_t* opened = zip_open(archive.c_str(), ZIP_RDONLY, &error);
    ASSERT_NE(opened, nullptr);
    EXPECT_STREQ(zip_get_name(opened, 0, ZIP_FL_ENC_RAW), "Plan\xE8te \xC9toile.txt");
    // Read strictly, a name without the UTF-8 flag is taken as code page 437 and converted.
    EXPECT_STRNE(zip_get_name(opened, 0, ZIP_FL_ENC_STRICT), "Plan\xE8te \xC9toile.txt");
    zip_discard(opened);
}

TEST_F(ZipMasterTest, AddReplacesAMemberOfTheSameNameAndKeepsTheOthers) {
    fs::path archive = ExportedArchive();
    zip.FSpecArgs().push_back(WriteFile("new/wsEncyclopediaTitles.txt", "new titles"));
    ASSERT_TRUE(zip.Add());
    EXPECT_THAT(ListedNames(), ElementsAre("wsEncyclopedia.txt", "wsEncyclopediaTitles.txt"));
    EXPECT_EQ(Extracted("wsEncyclopediaTitles.txt"), "new titles");
    EXPECT_EQ(Extracted("wsEncyclopedia.txt"), std::string(5000, 'c'));
}

TEST_F(ZipMasterTest, AddWithAMissingOrNoFileChangesNothing) {
    fs::path archive = ExportedArchive();
    auto before = Snapshot();
    zip.FSpecArgs() = {WriteFile("extra.txt", "extra"), dir / "missing.txt"};
    EXPECT_FALSE(zip.Add());
    EXPECT_FALSE(zip.Add()); // the failed batch emptied FSpecArgs: nothing to add
    before[dir / "extra.txt"] = "extra";
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(zip.Count(), 2);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports[0].find("missing.txt"), std::string::npos) << reports[0];
}

TEST_F(ZipMasterTest, RenameMovesMembersBelowFoldersStoredWithSlashes) {
    fs::path archive = ExportedArchive();
    std::vector<ZipRenameRec> renames;
    for (const auto& entry : zip.ZipContents())
        renames.push_back(
            {entry.FileName,
             "GameDataSets\\Classic_01\\GameData\\English\\wStrings\\" + entry.FileName, 0});
    ASSERT_TRUE(zip.Rename(renames, 0));
    EXPECT_THAT(ListedNames(), ElementsAre("GameDataSets\\Classic_01\\GameData\\English\\wStrings\\"
                                           "wsEncyclopedia.txt",
                                           "GameDataSets\\Classic_01\\GameData\\English\\wStrings\\"
                                           "wsEncyclopediaTitles.txt"));
    std::string stored = "GameDataSets/Classic_01/GameData/English/wStrings/wsEncyclopedia.txt";
    EXPECT_EQ(MethodOf(archive, stored), ZIP_CM_DEFLATE);
    EXPECT_EQ(Extracted(ListedNames()[0]), std::string(5000, 'c'));
}

TEST_F(ZipMasterTest, RenameReplacesTheFirstOccurrenceIgnoringCaseOncePerMember) {
    zip.SetZipFileName(WriteFile(
        "r.zip",
        BuildZip({{"Data/data.DAT", "1"}, {"other/readme.txt", "2"}, {"Deep/Data/x.dat", "3"}})));
    ASSERT_TRUE(zip.Rename({{"data", "Stuff", 0}, {"readme", "ignored", 0}, {"Stuff", "No", 0}}));
    EXPECT_THAT(ListedNames(),
                ElementsAre("Stuff\\data.DAT", "other\\ignored.txt", "Deep\\Stuff\\x.dat"));
}

TEST_F(ZipMasterTest, RenameSetsTheGivenDateTimeOrKeepsTheMembers) {
    fs::path archive = WriteFile("d.zip", BuildZip({{"one.txt", "1"}, {"two.txt", "2"}}));
    zip.SetZipFileName(archive);
    uint32_t dosStamp = (uint32_t{0x5B2C} << 16) | 0x6000; // 2025-09-12 12:00
    ASSERT_TRUE(zip.Rename({{"one", "uno", dosStamp}, {"two", "dos", 0}}));
    int error = 0;
    zip_t* opened = zip_open(archive.c_str(), ZIP_RDONLY, &error);
    ASSERT_NE(opened, nullptr);
    zip_stat_t renamedOne, renamedTwo;
    zip_stat(opened, "uno.txt", 0, &renamedOne);
    zip_stat(opened, "dos.txt", 0, &renamedTwo);
    zip_discard(opened);
    std::tm oneTime = *std::localtime(&renamedOne.mtime);
    std::tm twoTime = *std::localtime(&renamedTwo.mtime);
    EXPECT_EQ(oneTime.tm_year + 1900, 2025);
    EXPECT_EQ(oneTime.tm_hour, 12);
    EXPECT_EQ(twoTime.tm_year + 1900, 2025); // 0x5A21: the archive's own 2025-01-01
    EXPECT_EQ(twoTime.tm_mon, 0);
}

TEST_F(ZipMasterTest, RenamesThatWouldBreakTheDirectoryChangeNothing) {
    fs::path archive = ExportedArchive();
    auto before = Snapshot();
    const std::vector<ZipRenameRec> refused = {
        {"wsEncyclopedia.txt", "wsEncyclopediaTitles.txt", 0}, // onto an existing name
        {".txt", "\\", 0},                                     // a file turned into a folder
        {"wsEncyclopediaTitles.txt", "", 0},                   // a name left empty
    };
    for (const auto& rename : refused) {
        reports.clear();
        EXPECT_FALSE(zip.Rename({rename})) << rename.Dest;
        EXPECT_EQ(Snapshot(), before) << rename.Dest;
        EXPECT_EQ(reports.size(), 1u) << rename.Dest;
    }
}

TEST_F(ZipMasterTest, ExtractionReportsTotalsFileUpdatesAndEndOfBatch) {
    // Stored, so read piece by piece; a deflated member is inflated in one go and reported once.
    std::string big(200000, 'q');
    zip.SetZipFileName(WriteFile("big.zip", BuildZip({{"Folder/big.txt", big, false}})));
    ASSERT_NE(zip.ExtractFileToStream("folder\\BIG.txt"), nullptr);
    ASSERT_GE(events.size(), 5u);
    EXPECT_EQ(events[0].Type, ProgressType::TotalFiles2Process);
    EXPECT_EQ(events[0].Size, 1);
    EXPECT_EQ(events[1].Type, ProgressType::TotalSize2Process);
    EXPECT_EQ(events[1].Size, 200000);
    EXPECT_EQ(events[2].Type, ProgressType::NewFile);
    EXPECT_EQ(events[2].Name, "Folder\\big.txt");
    EXPECT_GT(EventsOfType(ProgressType::ProgressUpdate).size(), 1u);
    EXPECT_EQ(SumOfUpdates(), 200000);
    EXPECT_EQ(events.back().Type, ProgressType::EndOfBatch);
    EXPECT_EQ(EventsOfType(ProgressType::EndOfBatch).size(), 1u);
}

TEST_F(ZipMasterTest, AddAndRenameReportTheirBatches) {
    fs::path archive = ExportedArchive();
    EXPECT_EQ(events[0].Type, ProgressType::TotalFiles2Process);
    EXPECT_EQ(events[0].Size, 2);
    EXPECT_EQ(events[1].Type, ProgressType::TotalSize2Process);
    EXPECT_EQ(events[1].Size, 5011);
    auto newFiles = EventsOfType(ProgressType::NewFile);
    ASSERT_EQ(newFiles.size(), 2u);
    EXPECT_EQ(newFiles[0].Name, "wsEncyclopedia.txt");
    EXPECT_EQ(newFiles[1].Size, 11);
    EXPECT_EQ(SumOfUpdates(), 5011);
    EXPECT_EQ(events.back().Type, ProgressType::EndOfBatch);

    events.clear();
    ASSERT_TRUE(zip.Rename({{"wsEncyclopediaTitles", "Titles", 0}}));
    EXPECT_EQ(events[0].Type, ProgressType::TotalFiles2Process);
    EXPECT_EQ(events[0].Size, 1);
    EXPECT_EQ(events[1].Type, ProgressType::TotalSize2Process);
    EXPECT_EQ(SumOfUpdates(), events[1].Size);
    EXPECT_EQ(EventsOfType(ProgressType::NewFile).at(0).Name, "Titles.txt");
    EXPECT_EQ(events.back().Type, ProgressType::EndOfBatch);
}

TEST_F(ZipMasterTest, FailuresEndTheBatchBeforeTheyAreReported) {
    zip.SetZipFileName(GameArchive());
    zip.ExtractFileToStream("nothing here");
    zip.FSpecArgs().push_back(dir / "missing.txt");
    zip.Add();
    EXPECT_THAT(order, ElementsAre("event 2", "report", "event 2", "report"));
}

TEST_F(ZipMasterTest, AFileRemovedWhileTheArchiveIsWrittenLeavesTheOldArchive) {
    fs::path archive = ExportedArchive();
    auto before = Snapshot();
    fs::path second = WriteFile("second.txt", "second");
    zip.FSpecArgs() = {WriteFile("first.txt", "first"), second};
    zip.OnProgress = [&](TZipMaster&, ProgressType type, const std::string& name, int64_t) {
        if (type == ProgressType::NewFile && name == "first.txt")
            fs::remove(second);
    };
    EXPECT_FALSE(zip.Add());
    before.erase(dir / "Encyclopedia.zip");
    auto after = Snapshot();
    EXPECT_EQ(after[dir / "Encyclopedia.zip"], ReadWholeFile(archive));
    after.erase(dir / "Encyclopedia.zip");
    after.erase(dir / "first.txt");
    before.erase(dir / "first.txt");
    EXPECT_EQ(after, before); // no temporary left beside the archive
    EXPECT_THAT(ListedNames(), ElementsAre("wsEncyclopedia.txt", "wsEncyclopediaTitles.txt"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("second.txt"), std::string::npos) << reports[0];
}

TEST_F(ZipMasterTest, AFileCutShortWhileItIsReadLeavesTheOldArchive) {
    fs::path archive = ExportedArchive();
    std::string before = ReadWholeFile(archive);
    fs::path large = WriteFile("large.txt", std::string(300000, 'L'));
    zip.FSpecArgs() = {large};
    zip.OnProgress = [&](TZipMaster&, ProgressType type, const std::string&, int64_t) {
        if (type == ProgressType::ProgressUpdate)
            fs::resize_file(large, 1000);
    };
    EXPECT_FALSE(zip.Add());
    EXPECT_EQ(ReadWholeFile(archive), before);
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(ZipMasterTest, AHandlerFailureReachesTheCallerAndTheArchiveStaysAsItWas) {
    struct HandlerFailure {};
    fs::path archive = ExportedArchive();
    std::string before = ReadWholeFile(archive);
    zip.FSpecArgs() = {WriteFile("late.txt", std::string(100000, 'x'))};
    zip.OnProgress = [](TZipMaster&, ProgressType type, const std::string&, int64_t) {
        if (type == ProgressType::ProgressUpdate)
            throw HandlerFailure{};
    };
    EXPECT_THROW(zip.Add(), HandlerFailure);
    EXPECT_THROW(zip.Rename({{"wsEncyclopedia", "renamed", 0}}), HandlerFailure);
    EXPECT_EQ(ReadWholeFile(archive), before);
    EXPECT_TRUE(reports.empty());
}

} // namespace
} // namespace krel::test
