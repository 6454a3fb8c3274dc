// Opening the editor: where the work copies come from, what the debug log shows, and how a
// failed extraction or parse leaves the window.

#include "EditorFixture.h"
#include "common/AtomicFile.h"
#include "editor/EntryListModel.h"
#include "editor/ProgressForm.h"
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
    EXPECT_EQ(window.ParserThread, nullptr);
    EXPECT_EQ(status(), "Status: Idle");
}

TEST_F(LoadTest, ProgressWindowEndsAtOneHundredAndCloses) {
    TEncEditorMain& window = openSmall();
    ASSERT_TRUE(window.ProgressForm);
    EXPECT_EQ(window.ProgressForm->windowTitle().toStdString(), "Encyclopedia Parsing Progress");
    EXPECT_EQ(window.ProgressForm->ProcLabel->text().toStdString(), "Processing Completed.");
    EXPECT_EQ(window.ProgressForm->Gauge1->value(), 100);
    EXPECT_FALSE(window.ProgressForm->isVisible());
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
    EXPECT_EQ(window.ParserThread, nullptr);
    EXPECT_EQ(window.EntryList.Count(), 0u);
    EXPECT_EQ(status(), "Status: Idle");
    EXPECT_FALSE(fs::exists(work / "wsEncyclopedia.txt"));
}

TEST_F(LoadTest, FileWithoutAnyLineFailsTheParseAndTheWindowStaysIdle) {
    writeStringArchive(SmallEncyclopedia());
    writeLooseFiles(TitlesBytes(SmallEncyclopedia()), "");
    dialogs.answer(MsgButton::Ok);

    TEncEditorMain& window = open();

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.texts()[0].rfind("FormShow()\nExecute()\n", 0), 0u) << dialogs.texts()[0];
    EXPECT_FALSE(window.ProgressForm->isVisible());
    EXPECT_EQ(window.EntryList.Count(), 0u);
    EXPECT_EQ(status(), "Status: Idle");
    EXPECT_FALSE(InOrder(log(), {"Parser thread completed ..."}));
}

TEST_F(LoadTest, FailedReloadKeepsListDisplayAndCounters) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Ardent"));
    const std::vector<std::string> before = rows();
    const size_t records = window.EntryList.Count();
    window.ItemsAdded = 7;
    fs::remove(work / "wsEncyclopediaTitles.txt");

    EXPECT_THROW(window.RunParse(false), EEncThreadError);

    EXPECT_EQ(rows(), before);
    EXPECT_EQ(window.EntryList.Count(), records);
    EXPECT_EQ(window.CurrentEntry, entry("W001"));
    EXPECT_EQ(window.EntryTitle->text().toStdString(), "Ardent");
    EXPECT_EQ(window.ItemsAdded, 7);
    EXPECT_FALSE(window.ProgressForm->isVisible());
}

TEST_F(LoadTest, FailureAfterTheRecordsWereReplacedLeavesNothingPointingAtOldOnes) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Ardent"));
    std::vector<T_EncEntry> badHeader = SmallEncyclopedia();
    badHeader[1].Tag = "00X2";
    WriteFileAtomic(work / "wsEncyclopediaTitles.txt", TitlesBytes(badHeader));

    try {
        window.RunParse(false);
        ADD_FAILURE() << "a header number that is no number fails the table of contents";
    } catch (const EEncThreadError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Execute()\rThreadOnComplete()\r", 0), 0u);
    }

    const Encyclopedia& list = window.EntryList;
    EXPECT_TRUE(!window.CurrentEntry || list.Contains(window.CurrentEntry));
    for (int link = 0; link < 4; ++link)
        EXPECT_TRUE(!window.LinkTarget(link) || list.Contains(window.LinkTarget(link)));
    for (int row = 0; row < window.EntryRows->rowCount(); ++row)
        EXPECT_TRUE(list.Contains(window.EntryRows->Record(row)));
}

} // namespace
} // namespace krel::test
