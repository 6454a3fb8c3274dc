#include "exchange/Export.h"

#include "ExchangeFixture.h"
#include "encyclopedia/Writer.h"

namespace krel::test {
namespace {

class ExportTest : public ExchangeTest {
protected:
    void SetUp() override {
        ExchangeTest::SetUp();
        encyclopedia.Replace(
            {{ekHeader, "", "", "", "", "Stations:HALO", "0001"},
             {ekEntry, "Halo Dock", "halo.png", "dock", "", "Ring yard.", "HALO"}});
        zip.OnProgress = [this](TZipMaster&, ProgressType type, const std::string&, int64_t) {
            if (type == ProgressType::EndOfBatch)
                ++batches;
        };
        out = dir / "Program";
        fs::create_directories(out);
    }
    ExportResult ExportZip(const fs::path& folder) {
        return ExportZipArchive(encyclopedia, work, folder, zip, [this](const fs::path& old) {
            disposed.push_back(ReadWholeFile(old));
        });
    }
    std::string Saved(std::string_view name) const {
        const auto& records = encyclopedia.GetEntryList();
        return name == "wsEncyclopedia.txt" ? EncodeContentsFile(records)
                                            : EncodeTitlesFile(records);
    }

    Encyclopedia encyclopedia;
    fs::path out;
    int batches = 0;
    std::vector<std::string> disposed;
};

TEST_F(ExportTest, TextFilesAreSavedThenCopiedAndOverwrittenByTheNextExport) {
    for (const char* content : {"First text.", "Second text."}) {
        encyclopedia.Modify(encyclopedia.At(1), [&](T_EncEntry& e) { e.Content = content; });
        EXPECT_EQ(ExportTextFiles(encyclopedia, work, out).Message,
                  "Encyclopedia files wsEncyclopedia.txt and wsEncyclopediaTitles.txt saved to "
                  "the dir: " +
                      out.string() + "/");
        for (const fs::path& folder : {work, out})
            for (const char* name : {"wsEncyclopedia.txt", "wsEncyclopediaTitles.txt"})
                EXPECT_EQ(ReadWholeFile(folder / name), Saved(name));
    }
}

TEST_F(ExportTest, ZipReplacesAnOlderArchiveWithExactlyTheTwoDeflatedMembers) {
    MakeArchive(out / "Encyclopedia.zip", {{"old.txt", "older export"}});
    ExportResult result = ExportZip(out);
    EXPECT_EQ(result.Message,
              "Encyclopedia ZIP file created in the directory: " + out.string() + "/");
    EXPECT_EQ(disposed.size(), 1u);
    const std::string folder = "GameDataSets/Classic_01/GameData/English/wStrings/";
    std::vector<StoredMember> members = ReadTestZip(out / "Encyclopedia.zip");
    ASSERT_EQ(members.size(), 2u);
    for (const auto& [member, name] :
         {std::pair{members[0], "wsEncyclopedia.txt"}, {members[1], "wsEncyclopediaTitles.txt"}}) {
        EXPECT_EQ(member.Name, folder + name);
        EXPECT_EQ(member.Bytes, Saved(name));
        EXPECT_EQ(member.Method, ZIP_CM_DEFLATE);
    }
    EXPECT_EQ(batches, 2); // Add, then Rename
    EXPECT_EQ(zip.ZipFileName(), out / "Encyclopedia.zip");
    EXPECT_EQ(std::distance(fs::directory_iterator(out), {}), 1);
}

TEST_F(ExportTest, FailedExportsLeaveTheExportFolderAsItWas) {
    fs::path belowFile = WriteTestFile(dir / "plain", "a plain file") / "Program";
    EXPECT_EQ(ExportFolderFor(out, dir / "StandIn"), out);
    EXPECT_EQ(ExportFolderFor(belowFile, dir / "StandIn"), dir / "StandIn");
    EXPECT_TRUE(fs::is_directory(dir / "StandIn"));
    EXPECT_THROW(ExportTextFiles(encyclopedia, work, belowFile), std::runtime_error);
    EXPECT_FALSE(ExportZip(belowFile).Succeeded);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(ReadWholeFile(work / "wsEncyclopedia.txt"), Saved("wsEncyclopedia.txt"));

    MakeArchive(out / "Encyclopedia.zip", {{"old.txt", "older export"}});
    auto before = Snapshot();
    zip.OnProgress = [](TZipMaster&, ProgressType type, const std::string&, int64_t) {
        if (type == ProgressType::ProgressUpdate)
            throw std::runtime_error("progress window gone");
    };
    EXPECT_THROW(ExportZip(out), std::runtime_error);
    zip.OnProgress = nullptr;
    EXPECT_THROW(ExportZipArchive(encyclopedia, work, out, zip,
                                  [](const fs::path&) { throw std::runtime_error("no trash"); }),
                 std::runtime_error);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(disposed.empty());
}

} // namespace
} // namespace krel::test
