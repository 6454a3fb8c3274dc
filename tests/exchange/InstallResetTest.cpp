#include "ExchangeFixture.h"
#include "encyclopedia/Writer.h"
#include "exchange/Install.h"
#include "exchange/Reset.h"

namespace krel::test {
namespace {

class InstallResetTest : public ExchangeTest {
protected:
    fs::path Loose(const std::string& name) const { return data / "wStrings" / name; }
    void Install() { InstallWorkCopies(work, data); }
};

TEST_F(InstallResetTest, ResetReplacesBothWorkCopiesOnlyWhenBothMembersExtract) {
    fs::path mob = data / "wStrings.mob";
    MakeArchive(mob, {{"wStrings/wsEncyclopedia.txt", "game contents"}});
    WriteTestFile(dir / "plain.mob", "plain text, no archive");
    auto before = Snapshot();
    for (const fs::path& broken : {mob, dir / "plain.mob"}) {
        EXPECT_THROW(ExtractGameEncyclopedia(zip, broken, work, logFn), std::runtime_error);
        EXPECT_EQ(Snapshot(), before);
    }
    EXPECT_EQ(reports.size(), 2u);
    log.clear();
    MakeArchive(mob, {{"wStrings/", ""},
                      {"wStrings/wsEncyclopediaTitles.txt", "game titles"},
                      {"wStrings/wsEncyclopedia.txt", "game contents"}});
    ExtractGameEncyclopedia(zip, mob, work, logFn);
    EXPECT_EQ(ReadWholeFile(work / "wsEncyclopedia.txt"), "game contents");
    EXPECT_EQ(ReadWholeFile(work / "wsEncyclopediaTitles.txt"), "game titles");
    EXPECT_THAT(log, ElementsAre("-> Extracting wStrings\\wsEncyclopedia.txt",
                                 "-> Extracting wStrings\\wsEncyclopediaTitles.txt",
                                 "Extraction completed."));
}

TEST_F(InstallResetTest, InstallKeepsOneBackupGenerationAndOverwritesReadOnlyFiles) {
    WriteTestFile(Loose("wsEncyclopedia.txt"), "installed before");
    fs::permissions(Loose("wsEncyclopedia.txt"), fs::perms::owner_read);
    Install();
    EXPECT_EQ(ReadWholeFile(Loose("wsEncyclopedia.txt")), "loaded contents");
    EXPECT_EQ(ReadWholeFile(Loose("wsEncyclopediaTitles.txt")), "loaded titles");
    EXPECT_EQ(ReadWholeFile(Loose("wsEncyclopedia.txt.bak")), "installed before");
    EXPECT_NE(fs::status(Loose("wsEncyclopedia.txt")).permissions() & fs::perms::owner_write,
              fs::perms::none);
    WriteTestFile(work / "wsEncyclopedia.txt", "");
    WriteTestFile(work / "wsEncyclopediaTitles.txt", "");
    Install();
    EXPECT_EQ(fs::file_size(Loose("wsEncyclopedia.txt")), 0u);
    EXPECT_EQ(fs::file_size(Loose("wsEncyclopediaTitles.txt")), 0u);
    EXPECT_EQ(ReadWholeFile(Loose("wsEncyclopedia.txt.bak")), "loaded contents");
    EXPECT_EQ(ReadWholeFile(Loose("wsEncyclopediaTitles.txt.bak")), "loaded titles");
    EXPECT_EQ(std::distance(fs::directory_iterator(data / "wStrings"), {}), 4);
}

TEST_F(InstallResetTest, FailedInstallChangesNoLooseFile) {
    WriteTestFile(Loose("wsEncyclopedia.txt"), "installed contents");
    WriteTestFile(Loose("wsEncyclopedia.txt.bak"), "older contents");
    WriteTestFile(Loose("wsEncyclopediaTitles.txt"), "installed titles");
    // Fails only after the contents file was swapped in.
    WriteTestFile(Loose("wsEncyclopediaTitles.txt.bak/keep"), "a folder in the way");
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] {}, "wsEncyclopediaTitles.txt.bak"},
        {[&] { data = dir / "elsewhere"; }, "elsewhere/wStrings"},
        {[&] { fs::remove(work / "wsEncyclopediaTitles.txt"); }, "Temp/wsEncyclopediaTitles"},
    };
    for (const auto& [prepare, named] : cases) {
        prepare();
        fs::create_directories(data);
        auto before = Snapshot();
        try {
            Install();
            ADD_FAILURE() << "installed despite " << named;
        } catch (const std::runtime_error& error) {
            EXPECT_THAT(error.what(), ::testing::HasSubstr(named));
        }
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(InstallResetTest, WorkCopiesDifferUntilTheEncyclopediaIsSaved) {
    Encyclopedia encyclopedia;
    encyclopedia.Replace({{ekHeader, "", "", "", "", "Nebulae:VELA", "0001"},
                          {ekEntry, "Vela Drift", "vela.png", "", "", "A slow cloud.", "VELA"}});
    EXPECT_TRUE(WorkCopiesDifferFrom(encyclopedia, work));
    SaveCurrentEncyclopedia(encyclopedia, work);
    EXPECT_FALSE(WorkCopiesDifferFrom(encyclopedia, work));
    encyclopedia.Modify(encyclopedia.At(1), [](T_EncEntry& e) { e.Keywords = "cloud"; });
    EXPECT_TRUE(WorkCopiesDifferFrom(encyclopedia, work));
}

} // namespace
} // namespace krel::test
