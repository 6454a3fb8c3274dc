#include "exchange/Staging.h"

#include "ExchangeFixture.h"

namespace krel::test {
namespace {

class StagingTest : public ExchangeTest {
protected:
    StageResult Stage(const std::vector<fs::path>& selection,
                      StageTarget target = StageTarget::Import) {
        return StageEncyclopedia(selection, target, work, zip, logFn);
    }
    void ExpectStaged(const std::string& suffix = "") const {
        EXPECT_EQ(ReadWholeFile(work / ("wsEncyclopedia.txt" + suffix)), "new contents");
        EXPECT_EQ(ReadWholeFile(work / ("wsEncyclopediaTitles.txt" + suffix)), "new titles");
    }
    // Each row: the selection and the outcome; a refusal must leave every file as it was.
    void ExpectRefused(const std::vector<fs::path>& selection, StageOutcome outcome) {
        auto before = Snapshot();
        EXPECT_EQ(Stage(selection).Outcome, outcome);
        EXPECT_EQ(Snapshot(), before);
    }
};

TEST_F(StagingTest, PairsAreClassifiedByFileNameWhateverTheOrderAndExtensionCase) {
    const std::pair<std::string, std::string> pairs[] = {
        {"mods/wsEncyclopediaTitles.TXT", "mods/wsEncyclopedia.Txt"},
        {"wsEncyclopedia mod/notes.txt", "wsEncyclopedia mod/wsEncyclopediaTitles.txt"},
    };
    for (const auto& [first, second] : pairs) {
        bool titlesFirst = first.find("Titles") != std::string::npos;
        fs::path a = WriteTestFile(dir / first, titlesFirst ? "new titles" : "new contents");
        fs::path b = WriteTestFile(dir / second, titlesFirst ? "new contents" : "new titles");
        EXPECT_EQ(Stage({a, b}).Message, "");
        ExpectStaged();
        WriteTestFile(work / "wsEncyclopedia.txt", "loaded contents");
        WriteTestFile(work / "wsEncyclopediaTitles.txt", "loaded titles");
    }
    EXPECT_THAT(traces, ElementsAre("Ext: .TXT", "Ext: .TXT", "Ext: .txt", "Ext: .txt"));
}

TEST_F(StagingTest, ALoneTextFileFindsItsPartnerBesideIt) {
    WriteTestFile(dir / "pair/wsEncyclopedia.txt", "contents");
    WriteTestFile(dir / "pair/wsEncyclopediaTitles.txt", "titles");
    WriteTestFile(dir / "alone/wsEncyclopediaTitles.txt", "titles");
    struct Row {
        const char* chosen;
        const char* partner; // "" for none
    };
    for (const Row& row : {Row{"pair/wsEncyclopediaTitles.txt", "pair/wsEncyclopedia.txt"},
                           Row{"pair/wsEncyclopedia.txt", "pair/wsEncyclopediaTitles.txt"},
                           Row{"alone/wsEncyclopediaTitles.txt", ""}, Row{"pair/notes.txt", ""}}) {
        const std::optional<fs::path> partner = PartnerTextFile(dir / row.chosen);
        EXPECT_EQ(partner.value_or(fs::path()), *row.partner ? dir / row.partner : fs::path())
            << row.chosen;
    }
    EXPECT_TRUE(IsLoneTextFile({dir / "a.TXT"}));
    EXPECT_FALSE(IsLoneTextFile({dir / "a.zip"}));
    EXPECT_FALSE(IsLoneTextFile({dir / "a.txt", dir / "b.txt"}));
}

TEST_F(StagingTest, RefusedSelectionsChangeNothing) {
    const std::pair<std::string, std::string> pairs[] = {
        {"WSENCYCLOPEDIA.txt", "wsEncyclopediaTitles.txt"},
        {"wsEncyclopedia.txt", "wsEncyclopediaTitles.doc"},
        {"wsEncyclopedia.txt", "other/wsEncyclopedia.txt"},
        {"wsEncyclopediaTitles.txt", "other/wsEncyclopediaTitles.txt"},
    };
    for (const auto& [first, second] : pairs)
        ExpectRefused({WriteTestFile(dir / first, "1"), WriteTestFile(dir / second, "2")},
                      StageOutcome::InvalidFiles);
    const std::vector<ZipMember> archives[] = {
        {{"a/wsEncyclopedia.txt", "c"},
         {"a/wsEncyclopediaTitles.txt", "t"},
         {"b/wsEncyclopedia.txt", "c"}},
        {{"a/wsEncyclopedia.txt", "c"}, {"b/wsEncyclopedia.txt", "c"}},
        {{"a/WSENCYCLOPEDIA.TXT", "c"}, {"a/wsEncyclopediaTitles.txt", "t"}},
    };
    for (const auto& members : archives)
        ExpectRefused({MakeArchive(dir / "mod.mob", members)}, StageOutcome::InvalidArchive);
    EXPECT_TRUE(reports.empty());
    ExpectRefused({dir / "wsEncyclopedia.txt"}, StageOutcome::InvalidArchive);
    EXPECT_THAT(reports, ElementsAre("Error: input file is not a zip file"));
    EXPECT_EQ(Stage({}).Message, "The archive specified doesn't contain any Encyclopedia "
                                 "entries (or contains too many entries!)");
}

TEST_F(StagingTest, ArchivesAreImportedOrMergedInDirectoryOrder) {
    fs::path archive = MakeArchive(dir / "mod.zip", {{"readme.txt", "hello"},
                                                     {"x/wsEncyclopediaTitles.txt", "new titles"},
                                                     {"y/wsEncyclopedia.txt", "new contents"}});
    fs::path ignored = WriteTestFile(dir / "other.txt", "three files: the first is the archive");
    EXPECT_EQ(Stage({archive, ignored, ignored}, StageTarget::Merge).Outcome, StageOutcome::Staged);
    ExpectStaged(".merge");
    EXPECT_EQ(ReadWholeFile(work / "wsEncyclopedia.txt"), "loaded contents");
    EXPECT_EQ(ReadWholeFile(work / "wsEncyclopediaTitles.txt"), "loaded titles");
    EXPECT_THAT(log, ElementsAre("-> Extracting wsEncyclopediaTitles.txt",
                                 "-> Extracting wsEncyclopedia.txt"));
    EXPECT_EQ(Stage({archive}).Outcome, StageOutcome::Staged);
    ExpectStaged();
}

TEST_F(StagingTest, ASourceThatCannotBeReadWholeLeavesEveryTarget) {
    // The titles member is fine and comes first; the contents member's bytes are damaged.
    fs::path damaged = MakeArchive(dir / "damaged.zip", {{"wsEncyclopediaTitles.txt", "t"},
                                                         {"wsEncyclopedia.txt", "CONTENTS"}});
    std::string bytes = ReadWholeFile(damaged);
    WriteTestFile(damaged, bytes.replace(bytes.find("CONTENTS"), 8, "contents"));
    fs::path contents = WriteTestFile(dir / "p/wsEncyclopedia.txt", "new contents");
    fs::path folder = dir / "p/wsEncyclopediaTitles.txt";
    fs::create_directories(folder);
    for (const auto& selection : {std::vector<fs::path>{damaged}, {contents, folder}}) {
        auto before = Snapshot();
        EXPECT_THROW(Stage(selection, StageTarget::Merge), std::runtime_error);
        EXPECT_EQ(Snapshot(), before);
    }
    work = contents / "Temp"; // below a plain file: no target can be written
    fs::remove(folder);
    WriteTestFile(folder, "new titles");
    auto before = Snapshot();
    EXPECT_THROW(Stage({contents, folder}), std::runtime_error);
    EXPECT_EQ(Snapshot(), before);
}

} // namespace
} // namespace krel::test
