// Opening the editor: where the work copies come from, what the debug log shows, and how a
// failed extraction or parse leaves the window.

#include "EditorFixture.h"
#include "common/AtomicFile.h"
#include "editor/ParseRunner.h"
#include "editor/ProgressForm.h"
#include "editor/ProgressWindows.h"
#include "encyclopedia/Errors.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>

namespace krel::test {
namespace {
namespace fs = std::filesystem;

class LoadTest : public EditorTest {};

TEST_F(LoadTest, LooseFilesAreCopiedAsTheyAreWithoutAsking) {
    std::vector<T_EncEntry> installed = SmallEncyclopedia();
    installed[3].Title = "Ardent (installed)";
    writeStringArchive(SmallEncyclopedia());
    // A stray byte after the text's end shows the copy is byte for byte, not re-encoded.
    writeLooseFiles(TitlesBytes(installed), ContentsBytes(installed) + "\x01");

    open();

    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(InOrder(log(), {"Do we need default Encyclopedia entries?", "-> No"}));
    EXPECT_EQ(ReadWholeFile(work / "wsEncyclopediaTitles.txt"), TitlesBytes(installed));
    EXPECT_EQ(ReadWholeFile(work / "wsEncyclopedia.txt"), ContentsBytes(installed) + "\x01");
    EXPECT_GE(rowOf("Ardent (installed)"), 0);
    EXPECT_EQ(status(), "Status: Browsing Encyclopedia");
}

TEST_F(LoadTest, WithOneLooseFileBothComeFromTheArchiveInLoggedOrder) {
    std::vector<T_EncEntry> installed = SmallEncyclopedia();
    installed[3].Title = "Ardent (installed)";
    writeStringArchive(SmallEncyclopedia(), {{"wStrings\\wsShips.txt", "1234"}});
    WriteFileAtomic(dataFolder() / "wStrings" / "wsEncyclopediaTitles.txt", TitlesBytes(installed));
    dialogs.answer(MsgButton::Ok);

    open();

    ASSERT_EQ(dialogs.texts(), std::vector<std::string>{"Could not locate extracted Encyclopedia "
                                                        "entries.  Extracting now."});
    EXPECT_EQ(ReadWholeFile(work / "wsEncyclopediaTitles.txt"), TitlesBytes(SmallEncyclopedia()));
    EXPECT_EQ(ReadWholeFile(work / "wsEncyclopedia.txt"), ContentsBytes(SmallEncyclopedia()));
    const std::string archive = (dataFolder() / "wStrings.mob").string();
    EXPECT_TRUE(InOrder(
        log(),
        {"Processing " + archive + ".", "-> .mob Entry: wStrings\\wsShips.txtSize: 4",
         "Finished processing " + archive + ".", "Do we need default Encyclopedia entries?",
         "-> Yes", "-> Extracting wStrings\\wsEncyclopedia.txt",
         "-> Extracting wStrings\\wsEncyclopediaTitles.txt", "Extraction completed.",
         "Launching Parser Thread ...", "Encyclopedia Parsed and ready.  32 entries found.",
         "Building Index ...", "-> Table of Contents", "Selecting Entry: Galactic Encyclopedia ...",
         "Display updated", "Parser thread completed ..."}));
    EXPECT_EQ(rows(),
              (std::vector<std::string>{"Worlds", "Ardent", "Bellwether", "Ships", "Corsair"}));
}

TEST_F(LoadTest, GameFoldersAndArchiveAreFoundInAnyLetterCase) {
    writeStringArchive(SmallEncyclopedia());
    fs::rename(dataFolder() / "wStrings.mob", dataFolder() / "WSTRINGS.MOB");
    fs::rename(game / "GameDataSets/Classic_01/GameData",
               game / "GameDataSets/Classic_01/gamedata");
    fs::rename(game / "GameDataSets", game / "GAMEDATASETS");
    dialogs.answer(MsgButton::Ok);

    open();

    EXPECT_EQ(status(), "Status: Browsing Encyclopedia");
    EXPECT_GE(rowOf("Ardent"), 0);
}

TEST_F(LoadTest, WorkFolderThatIsNoFolderFailsCreationThenTheCopy) {
    writeStringArchive(SmallEncyclopedia());
    writeLooseFiles(TitlesBytes(SmallEncyclopedia()), ContentsBytes(SmallEncyclopedia()));
    fs::remove_all(work);
    WriteFileAtomic(work, "a file where the work folder should be");
    dialogs.answer(MsgButton::Ok).answer(MsgButton::Ok).answer(MsgButton::Ok);

    TEncEditorMain& window = open();

    // The frame reports first that it cannot create the work folder.
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.texts()[1].rfind("FormCreate()\nInstallZipFiles()\n", 0), 0u);
    EXPECT_EQ(dialogs.texts()[2].rfind("FormShow()\n", 0), 0u);
    EXPECT_EQ(window.Parser().ParserThread(), nullptr);
    EXPECT_EQ(status(), "Status: Idle");
}

TEST_F(LoadTest, ProgressWindowEndsAtOneHundredAndCloses) {
    TEncEditorMain& window = openSmall();
    ASSERT_TRUE(window.Progress().ProgressForm());
    EXPECT_EQ(window.Progress().ProgressForm()->windowTitle().toStdString(),
              "Encyclopedia Parsing Progress");
    EXPECT_EQ(window.Progress().ProgressForm()->ProcLabel->text().toStdString(),
              "Processing Completed.");
    EXPECT_EQ(window.Progress().ProgressForm()->Gauge1->value(), 100);
    EXPECT_FALSE(window.Progress().ProgressForm()->isVisible());
}

TEST_F(LoadTest, MissingMemberStopsBeforeAnyParse) {
    MakeArchive(dataFolder() / "wStrings.mob",
                {{"wStrings\\wsEncyclopediaTitles.txt", TitlesBytes(SmallEncyclopedia())}});
    dialogs.answer(MsgButton::Ok).answer(MsgButton::Ok).answer(MsgButton::Ok);

    TEncEditorMain& window = open();

    ASSERT_EQ(dialogs.messages.size(), 3u);
    const std::string error = dialogs.texts().back();
    EXPECT_EQ(error.rfind("FormShow()\nCould not extract wStrings\\wsEncyclopedia.txt", 0), 0u)
        << error;
    EXPECT_EQ(window.Parser().ParserThread(), nullptr);
    EXPECT_EQ(window.EntryList().Count(), 0u);
    EXPECT_EQ(status(), "Status: Idle");
    EXPECT_FALSE(fs::exists(work / "wsEncyclopedia.txt"));
}

// The game's copy is parsed while its work copies are written; a failed write must still keep
// the records out, as when the write came first.
TEST_F(LoadTest, WorkCopiesThatCannotBeWrittenKeepTheParsedRecordsOut) {
    writeStringArchive(SmallEncyclopedia());
    fs::create_directories(work / "wsEncyclopedia.txt" / "in the way");
    dialogs.answer(MsgButton::Ok).answer(MsgButton::Ok);

    TEncEditorMain& window = open();

    ASSERT_EQ(dialogs.messages.size(), 2u);
    const std::string error = dialogs.texts().back();
    EXPECT_EQ(error.rfind("FormShow()\nExecute()\n", 0), 0u) << error;
    EXPECT_NE(error.find("wsEncyclopedia.txt"), std::string::npos) << error;
    EXPECT_EQ(window.EntryList().Count(), 0u);
    EXPECT_EQ(status(), "Status: Idle");
    EXPECT_FALSE(fs::exists(work / "wsEncyclopediaTitles.txt")) << "the pair is written whole";
}

TEST_F(LoadTest, FileWithoutAnyLineFailsTheParseAndTheWindowStaysIdle) {
    writeStringArchive(SmallEncyclopedia());
    writeLooseFiles(TitlesBytes(SmallEncyclopedia()), "");
    dialogs.answer(MsgButton::Ok);

    TEncEditorMain& window = open();

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.texts()[0].rfind("FormShow()\nExecute()\n", 0), 0u) << dialogs.texts()[0];
    EXPECT_FALSE(window.Progress().ProgressForm()->isVisible());
    EXPECT_EQ(window.EntryList().Count(), 0u);
    EXPECT_EQ(status(), "Status: Idle");
    EXPECT_FALSE(InOrder(log(), {"Parser thread completed ..."}));
}

TEST_F(LoadTest, FailedReloadKeepsListAndDisplay) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Ardent"));
    const std::vector<std::string> before = rows();
    const size_t records = window.EntryList().Count();
    fs::remove(work / "wsEncyclopediaTitles.txt");

    EXPECT_THROW(window.Parser().RunParse(false), EEncThreadError);

    EXPECT_EQ(rows(), before);
    EXPECT_EQ(window.EntryList().Count(), records);
    EXPECT_EQ(shown(), entry("W001"));
    EXPECT_EQ(shownTitle(), "Ardent");
    EXPECT_FALSE(window.Progress().ProgressForm()->isVisible());
}

// The completion had replaced the records when the table of contents failed: the list and the
// display were let go of before, and stay empty.
TEST_F(LoadTest, FailureAfterTheRecordsWereReplacedLeavesAnEmptyListAndDisplay) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Ardent"));
    std::vector<T_EncEntry> badHeader = SmallEncyclopedia();
    badHeader[1].Tag = "00X2";
    WriteFileAtomic(work / "wsEncyclopediaTitles.txt", TitlesBytes(badHeader));

    try {
        window.Parser().RunParse(false);
        ADD_FAILURE() << "a header number that is no number fails the table of contents";
    } catch (const EEncThreadError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Execute()\rThreadOnComplete()\r", 0), 0u);
    }
    EXPECT_EQ(window.EntryList().GetEntryByTag("00X2")->Content, "Ships:S001");
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(shown(), nullptr);
    EXPECT_TRUE(shownTitle().empty());
}

} // namespace
} // namespace krel::test
