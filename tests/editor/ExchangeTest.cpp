// Reset, install, import and merge, driven through the window's buttons.

#include "ExchangeFixture.h"
#include "encyclopedia/Writer.h"

namespace krel::test {
namespace {
namespace fs = std::filesystem;

constexpr const char* kInvalidFiles = "Invalid Encyclopedia files selected.";

TEST_F(ExchangeTest, ResetAfterEditsShowsTheArchiveCopyAndUndoBringsTheEditsBack) {
    openSmall();
    const std::vector<std::string> loaded = list();
    writeLooseFiles("loose titles", "loose contents");
    editTitle("W001", "Renamed");
    const std::vector<std::string> edited = list();
    const size_t before = log().size();

    dialogs.answer(MsgButton::No);
    button("Reset")->click();
    EXPECT_EQ(list(), edited);

    dialogs.answer(MsgButton::Yes);
    button("Reset")->click();
    EXPECT_EQ(list(), loaded);
    EXPECT_TRUE(InOrder(logSince(before), {"-> Extracting wStrings\\wsEncyclopedia.txt",
                                           "-> Extracting wStrings\\wsEncyclopediaTitles.txt",
                                           "Extraction completed.", "Launching Parser Thread ...",
                                           "Parser thread completed ..."}));
    EXPECT_EQ(status(), "Status: Browsing Encyclopedia");
    EXPECT_EQ(ReadWholeFile(dataFolder() / "wStrings/wsEncyclopedia.txt"), "loose contents");
    EXPECT_EQ(editor->History().Stack().undoText(), QStringLiteral("Reset"));
    undo();
    EXPECT_EQ(list(), edited);
}

TEST_F(ExchangeTest, ResetFromAnArchiveWithoutTitlesKeepsListAndWorkCopies) {
    openSmall();
    editTitle("W001", "Renamed");
    const std::vector<std::string> edited = list();
    const std::vector<std::string> rowsBefore = rows();
    const std::string contents = workFile("wsEncyclopedia.txt");
    MakeArchive(dataFolder() / "wStrings.mob",
                {{"wStrings\\wsEncyclopedia.txt", ContentsBytes(OtherEncyclopedia())}});

    dialogs.answer(MsgButton::Yes).answer(MsgButton::Ok).answer(MsgButton::Ok);
    button("Reset")->click();

    ASSERT_FALSE(dialogs.texts().empty());
    EXPECT_EQ(dialogs.texts().back().rfind("ResetClick()\n", 0), 0U) << dialogs.texts().back();
    EXPECT_EQ(list(), edited);
    EXPECT_EQ(rows(), rowsBefore);
    EXPECT_EQ(workFile("wsEncyclopedia.txt"), contents);
    EXPECT_EQ(editor->History().Stack().undoText(), QStringLiteral("Edit Entry"));
}

// Edits reach the work copies only when saved; install offers to save them first.
TEST_F(ExchangeTest, InstallAsksToSaveEditsTheWorkCopiesLack) {
    const fs::path loose = dataFolder() / "wStrings/wsEncyclopedia.txt";
    struct Case {
        MsgButton answer;
        bool installed;
        bool saved;
    };
    for (Case c : {Case{MsgButton::Yes, true, true}, Case{MsgButton::No, true, false},
                   Case{MsgButton::Cancel, false, false}}) {
        delete editor.data();
        frame.reset();
        fs::remove(loose);
        openSmall();
        const std::string loaded = workFile("wsEncyclopedia.txt");
        editTitle("W001", "Renamed");
        const std::string edited = EncodeContentsFile(editor->EntryList().GetEntryList());
        dialogs.messages.clear();

        dialogs.answer(MsgButton::Yes).answer(c.answer);
        if (c.installed)
            dialogs.answer(MsgButton::Ok);
        button("Install")->click();

        ASSERT_GE(dialogs.texts().size(), 2U);
        EXPECT_EQ(dialogs.texts()[1], "The encyclopedia has changes that are not saved in the "
                                      "work files.  Save them before installing?");
        EXPECT_EQ(fs::exists(loose), c.installed);
        if (c.installed) {
            EXPECT_EQ(ReadWholeFile(loose), c.saved ? edited : loaded);
        }
        EXPECT_EQ(workFile("wsEncyclopedia.txt"), c.saved ? edited : loaded);
    }
}

// Which names and extensions make a pair is staging's rule, tested there; here one pair, titles
// first, with the extension in capitals.
TEST_F(ExchangeTest, ImportTakesAPairFromAnyFolder) {
    openSmall();
    const std::vector<std::string> loaded = list();
    QStringList pair = writePair(folder("elsewhere"), OtherEncyclopedia(), "wsEncyclopedia.TXT",
                                 "wsEncyclopediaTitles.TXT");
    dialogs.answerFiles({pair[1], pair[0]});
    button("Import")->click();

    EXPECT_EQ(dialogs.fileCalls.back(), QStringLiteral("KREL Encyclopedia File or Files"));
    EXPECT_NE(entry("M001"), nullptr);
    EXPECT_EQ(entry("W001"), nullptr);
    EXPECT_EQ(workFile("wsEncyclopedia.txt"), ContentsBytes(OtherEncyclopedia()));
    EXPECT_EQ(status(), "Status: Browsing Encyclopedia");
    undo();
    EXPECT_EQ(list(), loaded);
}

TEST_F(ExchangeTest, RefusedImportsChangeNothing) {
    openSmall();
    const std::vector<std::string> loaded = list();
    const std::string contents = workFile("wsEncyclopedia.txt");
    const fs::path dir = folder("picked");
    const QStringList capitals = writePair(dir, OtherEncyclopedia(), "WSENCYCLOPEDIA.txt");
    struct Case {
        QStringList files;
        std::vector<std::string> texts;
    };
    const std::string invalidArchive = "The archive specified doesn't contain any Encyclopedia "
                                       "entries (or contains too many entries!)";
    const QStringList notAnArchive = {writePair(folder("c"), OtherEncyclopedia(), "a.zip")[0]};
    // One refusal of each outcome; which selections are refused is staging's rule.
    for (const Case& c :
         {Case{capitals, {kInvalidFiles}}, Case{notAnArchive, {"", invalidArchive}}}) {
        dialogs.messages.clear();
        dialogs.answerFiles(c.files);
        for (size_t i = 0; i < c.texts.size(); ++i)
            dialogs.answer(MsgButton::Ok);
        button("Import")->click();

        ASSERT_EQ(dialogs.texts().size(), c.texts.size()) << c.files.join(',').toStdString();
        EXPECT_EQ(dialogs.texts().back(), c.texts.back());
        EXPECT_EQ(list(), loaded);
        EXPECT_EQ(workFile("wsEncyclopedia.txt"), contents);
    }
}

TEST_F(ExchangeTest, ALoneTextFileIsCompletedFromItsFolderOrExplained) {
    openSmall();
    const std::vector<std::string> loaded = list();
    const fs::path lone = folder("lone") / "wsEncyclopediaTitles.txt";
    WriteFileAtomic(lone, TitlesBytes(OtherEncyclopedia()));
    dialogs.answerFiles({QString::fromStdString(lone.string())}).answer(MsgButton::Ok);
    button("Import")->click();
    EXPECT_NE(dialogs.texts().back().find("Choose both together"), std::string::npos);
    EXPECT_EQ(list(), loaded);
    EXPECT_TRUE(fs::equivalent(dialogs.fileFolders.back().toStdString(), game));

    const QStringList pair = writePair(folder("pair"), OtherEncyclopedia());
    dialogs.answerFiles({pair[1]}).answer(MsgButton::Yes);
    button("Import")->click();
    EXPECT_EQ(dialogs.texts().back(),
              "An encyclopedia in text form is two files, chosen together.  Take " +
                  pair[0].toStdString() + " from the same folder as well?");
    EXPECT_NE(entry("M001"), nullptr);
    // The chooser starts where the last choice was made.
    EXPECT_TRUE(fs::equivalent(dialogs.fileFolders.back().toStdString(), lone.parent_path()));
}

TEST_F(ExchangeTest, InstallIntoAFreshGameAsksToCreateItsFolder) {
    openSmall();
    const fs::path strings = dataFolder() / "wStrings";
    fs::remove_all(strings);
    for (MsgButton answer : {MsgButton::No, MsgButton::Yes}) {
        dialogs.messages.clear();
        dialogs.answer(MsgButton::Yes).answer(answer);
        if (answer == MsgButton::Yes)
            dialogs.answer(MsgButton::Ok);
        button("Install")->click();
        ASSERT_GE(dialogs.texts().size(), 2U);
        EXPECT_EQ(dialogs.texts()[1],
                  "The game has no folder for loose encyclopedia files yet.  Create " +
                      strings.string() + " and install?");
        EXPECT_EQ(fs::exists(strings), answer == MsgButton::Yes);
        EXPECT_EQ(fs::exists(strings / "wsEncyclopedia.txt"), answer == MsgButton::Yes);
    }
    EXPECT_EQ(dialogs.texts().back(), "Encyclopedia Installed.");
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(ExchangeTest, ImportAsksBeforeDroppingUnexportedChanges) {
    openSmall();
    editTitle("W001", "Renamed");
    const std::vector<std::string> edited = list();
    dialogs.messages.clear();
    dialogs.answerFiles(writePair(folder("elsewhere"), OtherEncyclopedia()));
    dialogs.answer(MsgButton::Cancel);
    button("Import")->click();

    EXPECT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(list(), edited);
    EXPECT_EQ(workFile("wsEncyclopedia.txt"), ContentsBytes(SmallEncyclopedia()));
}

// The merged encyclopedia repeats the header "Worlds" and the entry W001 with other texts and
// brings one new entry: one record added, up to two changed.
TEST_F(ExchangeTest, MergeFollowsOverwriteAndConfirmAndReportsItsCounts) {
    const std::vector<T_EncEntry> merged = {
        {ekHeader, "", "", "", "", "Worlds:W001,N001", "0001"},
        {ekEntry, "Ardent Prime", "", "", "", "Rebuilt.", "W001"},
        {ekEntry, "Nadir", "", "", "", "A new world.", "N001"}};
    // The entries are merged before the headers, so W001 is asked about first. The merge's
    // rules are the encyclopedia's (its differential test); here each answer button's meaning.
    struct Case {
        bool overwrite, confirm;
        std::vector<MsgButton> answers;
        int changed;
        bool entryReplaced;
    };
    const Case cases[] = {
        {true, false, {}, 0, false},
        {false, false, {}, 2, true},
        {false, true, {MsgButton::Yes, MsgButton::No}, 1, true},
        {false, true, {MsgButton::NoToAll}, 0, false},
        {false, true, {MsgButton::YesToAll}, 2, true},
    };
    for (const Case& c : cases) {
        delete editor.data();
        frame.reset();
        openSmall();
        const std::vector<std::string> loaded = list();
        frame->Preferences.Overwrite = c.overwrite;
        frame->Preferences.Confirm = c.confirm;
        dialogs.messages.clear();
        dialogs.answerFiles(writePair(folder("merge"), merged));
        for (MsgButton answer : c.answers)
            dialogs.answer(answer);
        dialogs.answer(MsgButton::Ok);
        button("Merge")->click();

        SCOPED_TRACE(testing::Message() << c.overwrite << c.confirm << c.answers.size());
        EXPECT_EQ(dialogs.texts().back(),
                  "Merge completed.  Items added: 1 Items Changed: " + std::to_string(c.changed));
        EXPECT_NE(entry("N001"), nullptr);
        EXPECT_EQ(entry("W001")->Title == "Ardent Prime", c.entryReplaced);
        EXPECT_EQ(workFile("wsEncyclopedia.txt.merge"), ContentsBytes(merged));
        EXPECT_EQ(workFile("wsEncyclopedia.txt"), ContentsBytes(SmallEncyclopedia()));
        undo();
        EXPECT_EQ(list(), loaded);
    }
}

TEST_F(ExchangeTest, MergingTheGamesOwnArchiveAddsAndChangesNothing) {
    openSmall();
    const std::vector<std::string> loaded = list();
    dialogs.answerFiles({QString::fromStdString((dataFolder() / "wStrings.mob").string())});
    dialogs.answer(MsgButton::Ok);
    button("Merge")->click();

    EXPECT_EQ(dialogs.texts().back(), "Merge completed.  Items added: 0 Items Changed: 0");
    EXPECT_EQ(list(), loaded);
    EXPECT_TRUE(InOrder(
        log(), {"-> Extracting wsEncyclopedia.txt", "-> Extracting wsEncyclopediaTitles.txt"}));
}

} // namespace
} // namespace krel::test
