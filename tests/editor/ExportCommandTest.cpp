// Export through its dialog: the two text files or the archive in the program's folder, and
// what becomes of the older archive. The archive's members are checked by the exchange tests.

#include "ExchangeFixture.h"
#include "dialogs/ExportForm.h"
#include "editor/ProgressForm.h"
#include "editor/ProgressWindows.h"
#include "encyclopedia/Writer.h"
#include "settings/Paths.h"
#include "support/ModalDriver.h"

#include <QRadioButton>

namespace krel::test {
namespace {
namespace fs = std::filesystem;

enum class Choice { Cancel, TextFiles, Zip };

class ExportCommandTest : public ExchangeTest {
protected:
    fs::path program() const { return env.programFolder(); }
    bool progressShown() const {
        const TProgressForm* form = editor->Progress().ProgressForm();
        return form && form->isVisible();
    }

    // Clicks Export and answers its dialog; queued message answers follow.
    void exportAs(Choice choice) {
        WhenModalShown([choice](QWidget* shown) {
            auto* form = qobject_cast<TExportForm*>(shown);
            ASSERT_NE(form, nullptr);
            if (choice == Choice::Zip)
                form->Zip->click();
            (choice == Choice::Cancel ? form->CloseBut : form->SSHoverText1)->click();
        });
        button("Export")->click();
    }
};

TEST_F(ExportCommandTest, DialogOpensOnTextFilesAndOffersNoProgram) {
    TExportForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Export"));
    EXPECT_TRUE(form.Header->isChecked());
    EXPECT_FALSE(form.Exe->isEnabled());
    form.Zip->click();
    form.Exe->click();
    form.HeaderClick();
    EXPECT_TRUE(form.Header->isChecked());
    EXPECT_FALSE(form.Zip->isChecked() || form.Exe->isChecked());
}

TEST_F(ExportCommandTest, CancelWritesNothingAndKeepsTheChanges) {
    openSmall();
    editTitle("W001", "Renamed");
    const std::string contents = workFile("wsEncyclopedia.txt");
    exportAs(Choice::Cancel);
    EXPECT_EQ(workFile("wsEncyclopedia.txt"), contents);
    EXPECT_TRUE(fs::is_empty(program()));
    EXPECT_TRUE(editor->History().IsModified());
}

TEST_F(ExportCommandTest, TextFilesTwiceOverwriteAndMarkTheEncyclopediaExported) {
    openSmall();
    for (const char* title : {"First", "Second"}) {
        editTitle("W001", title);
        dialogs.answer(MsgButton::Ok);
        exportAs(Choice::TextFiles);

        EXPECT_EQ(dialogs.texts().back(), "Encyclopedia files wsEncyclopedia.txt and "
                                          "wsEncyclopediaTitles.txt saved to the dir: " +
                                              program().string() + "/");
        EXPECT_EQ(ReadWholeFile(program() / "wsEncyclopediaTitles.txt"),
                  workFile("wsEncyclopediaTitles.txt"));
        EXPECT_EQ(workFile("wsEncyclopediaTitles.txt"),
                  EncodeTitlesFile(editor->EntryList().GetEntryList()));
        EXPECT_FALSE(editor->History().IsModified());
    }
}

TEST_F(ExportCommandTest, ZipSendsEveryOlderArchiveToTheTrash) {
    openSmall();
    WriteFileAtomic(program() / "Encyclopedia.zip", "an older export");
    editTitle("W001", "Renamed");
    for (int run = 0; run < 2; ++run) {
        dialogs.answer(MsgButton::Ok);
        exportAs(Choice::Zip);

        EXPECT_EQ(dialogs.texts().back(),
                  "Encyclopedia ZIP file created in the directory: " + program().string() + "/");
        EXPECT_FALSE(progressShown());
        EXPECT_FALSE(editor->History().IsModified());
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(program()), {}), 1);
    // Both older archives went to the user's trash, each with a note of where it came from,
    // and nothing was left in the working folder.
    const fs::path trash = env.root() / "data" / "Trash";
    EXPECT_EQ(ReadWholeFile(trash / "files" / "Encyclopedia.zip"), "an older export");
    EXPECT_TRUE(fs::exists(trash / "files" / "Encyclopedia.zip-1"));
    EXPECT_NE(ReadWholeFile(trash / "info" / "Encyclopedia.zip.trashinfo")
                  .find("Path=" + (program() / "Encyclopedia.zip").string()),
              std::string::npos);
    EXPECT_FALSE(fs::exists(fs::current_path() / "info"));
}

TEST_F(ExportCommandTest, UnwritableTargetsReportAnErrorAndNoSuccess) {
    openSmall();
    editTitle("W001", "Renamed");
    fs::create_directories(program() / "wsEncyclopediaTitles.txt");
    dialogs.messages.clear();
    dialogs.answer(MsgButton::Ok);
    exportAs(Choice::TextFiles);
    ASSERT_EQ(dialogs.texts().size(), 1U);
    EXPECT_EQ(dialogs.texts().back().rfind("ExportClick()\n", 0), 0U) << dialogs.texts().back();
    EXPECT_FALSE(fs::exists(program() / "wsEncyclopedia.txt"));

    // The component cannot create its archive: its own report is the last word.
    fs::create_directories(program() / "Encyclopedia.zip.partial~/blocked");
    dialogs.messages.clear();
    dialogs.answer(MsgButton::Ok).answer(MsgButton::Ok);
    exportAs(Choice::Zip);
    ASSERT_FALSE(dialogs.texts().empty());
    for (const std::string& text : dialogs.texts())
        EXPECT_EQ(text.find("Encyclopedia ZIP file created"), std::string::npos) << text;
    EXPECT_FALSE(progressShown());
    EXPECT_TRUE(editor->History().IsModified());
}

TEST_F(ExportCommandTest, AMissingProgramFolderSendsTheExportToTheStandIn) {
    openSmall();
    SetProgramFolderForTests((env.root() / "gone").string());
    dialogs.answer(MsgButton::Ok);
    exportAs(Choice::TextFiles);
    const fs::path standIn = UserDataFolder();
    EXPECT_EQ(dialogs.texts().back(), "Encyclopedia files wsEncyclopedia.txt and "
                                      "wsEncyclopediaTitles.txt saved to the dir: " +
                                          standIn.string() + "/");
    EXPECT_TRUE(fs::exists(standIn / "wsEncyclopedia.txt"));
}

} // namespace
} // namespace krel::test
