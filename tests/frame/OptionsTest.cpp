#include "ShellFixture.h"
#include "common/AtomicFile.h"
#include "frame/OptionsDialog.h"
#include "kit/DirSelect.h"
#include "settings/WorkFolder.h"
#include "support/FakeGame.h"
#include "support/ModalDriver.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;
using namespace krel::test;
using krel::TKrelEditorOptions;

class Options : public ShellTest {
protected:
    fs::path game;
    fs::path work;
    std::unique_ptr<TKrelEditorOptions> options;

    void SetUp() override {
        options.reset();
        game = MakeFakeGame(env.root() / "game");
        work = env.root() / "work";
        env.writeUserSettings(StoredSettings(path(game), path(work)));
        startFrame();
        options = std::make_unique<TKrelEditorOptions>(*frame, frame.get());
        options->fillFrom(frame->Preferences);
        options->show();
    }
    void apply() { QTest::mouseClick(options->Apply, Qt::LeftButton); }
};

TEST_F(Options, TheFrameFillsTheControlsFromTheSettings) {
    bool checked = false;
    WhenModalShown([&](QWidget* dialog) {
        auto* shown = qobject_cast<TKrelEditorOptions*>(dialog);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->BaseDir->text().toStdString(), path(game));
        EXPECT_EQ(shown->TempDir->text().toStdString(), path(work));
        EXPECT_TRUE(shown->Yes->isChecked() && shown->OrderNo->isChecked());
        EXPECT_TRUE(shown->OverwriteYes->isChecked() && shown->ConfirmYes->isChecked());
        checked = true;
        QTest::mouseClick(shown->Cancel, Qt::LeftButton);
    });
    frame->EditorOptions1->trigger();
    EXPECT_TRUE(checked);
}

TEST_F(Options, ApplyStoresEverythingAndSwitchesTheWorkFolder) {
    struct Case {
        std::string typed;
        std::string stored;
        bool oldEmptied;
    };
    const std::string program = path(env.programFolder());
    for (const Case& c : std::vector<Case>{
             {path(work), path(work), false},
             {"Scratch", program + "/Scratch", true},
             {path(env.root() / "elsewhere"), path(env.root() / "elsewhere"), true},
             {"ab", "ab", true},
             {path(env.root() / "WORK"), path(env.root() / "WORK"), true},
         }) {
        SetUp();
        krel::WriteFileAtomic(work / "wsEncyclopedia.txt", "x");
        options->TempDir->setText(QString::fromStdString(c.typed));
        options->No->setChecked(true);
        options->ConfirmNo->setChecked(true);
        apply();
        EXPECT_FALSE(options->isVisible()) << c.typed;
        EXPECT_EQ(frame->Preferences.General.TempDir, c.stored);
        EXPECT_EQ(options->TempDir->text().toStdString(), c.stored);
        EXPECT_FALSE(frame->Preferences.General.Cleanup || frame->Preferences.Confirm);
        EXPECT_EQ(fs::exists(work / "wsEncyclopedia.txt"), !c.oldEmptied) << c.typed;
        EXPECT_NE(env.userSettings().find("\"TempDir\"=\"" + c.stored + "\""), std::string::npos);
        if (c.stored.front() == '/') {
            EXPECT_TRUE(fs::is_directory(c.stored)) << c.stored;
        }
    }
}

TEST_F(Options, AnEmptyWorkFolderIsRefusedAndTheDialogStaysOpen) {
    const std::string before = env.userSettings();
    options->TempDir->setText("  ");
    dialogs.answer(krel::MsgButton::Ok);
    apply();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.texts()[0].find("temporary directory"), std::string::npos);
    EXPECT_TRUE(options->isVisible());
    EXPECT_EQ(env.userSettings(), before);
}

TEST_F(Options, AFolderWithoutTheGameIsStoredButDisablesTheEditor) {
    fs::path notGame = env.root() / "not-game";
    fs::create_directories(notGame);
    dialogs.answerFolder(QString::fromStdString(path(notGame))).answer(krel::MsgButton::Ok);
    QTest::mouseClick(options->BaseDirOpen, Qt::LeftButton);
    EXPECT_EQ(dialogs.folderCalls.at(0).caption, "Base Vastreach 3 Directory");
    apply();
    EXPECT_EQ(frame->Preferences.General.BaseDir, path(notGame));
    EXPECT_FALSE(frame->OpenEncyclopediaEditor1->isEnabled());
    EXPECT_EQ(dialogs.texts().at(0),
              "The directory selected as the Vastreach 3 base directory is not the actual base "
              "directory of the game.  Go back to the options screen and change the base directory "
              "to it's correct path. (Editors Disabled)");
    EXPECT_NE(env.userSettings().find(path(notGame)), std::string::npos);
}

TEST_F(Options, CancelAfterBrowsingStoresNothing) {
    const std::string before = env.userSettings();
    dialogs.answerFolder(QStringLiteral("/tmp")).answerFolder(std::nullopt);
    QTest::mouseClick(options->TempDirOpen, Qt::LeftButton);
    QTest::mouseClick(options->BaseDirOpen, Qt::LeftButton);
    EXPECT_EQ(dialogs.folderCalls.at(0).caption, "Tempory File Directory");
    EXPECT_EQ(options->TempDir->text(), "/tmp");
    EXPECT_EQ(options->BaseDir->text().toStdString(), path(game))
        << "a cancelled choice changes nothing";
    QTest::mouseClick(options->Cancel, Qt::LeftButton);
    EXPECT_EQ(frame->Preferences.General.TempDir, path(work));
    EXPECT_EQ(env.userSettings(), before);
}

class FolderChooser : public ShellTest {
protected:
    krel::TDirSelect chooser;
    void SetUp() override { chooser.show(); }
    void select() { QTest::mouseClick(chooser.Button1, Qt::LeftButton); }
};

TEST_F(FolderChooser, SelectReturnsTheChosenPathOrNothingChosen) {
    EXPECT_EQ(chooser.Path->text(), "");
    select();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.Path->text(), "") << "nothing selected hands back an empty path";

    fs::create_directories(env.home() / "Games/Vast");
    chooser.show();
    ASSERT_TRUE(chooser.selectFolder(QString::fromStdString(path(env.home() / "Games/Vast/"))));
    EXPECT_EQ(chooser.Path->text().toStdString(), path(env.home() / "Games/Vast"));
    select();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    ASSERT_TRUE(chooser.selectFolder("/"));
    EXPECT_EQ(chooser.Path->text(), "/");
}

TEST_F(FolderChooser, APathThatIsNotTheSelectionAndDoesNotExistIsRefused) {
    ASSERT_TRUE(chooser.selectFolder(QString::fromStdString(path(env.home()))));
    chooser.Path->setText(QString::fromStdString(path(env.home() / "gone")));
    dialogs.answer(krel::MsgButton::Ok);
    select();
    EXPECT_EQ(dialogs.texts().at(0), "Directory does not exist!");
    EXPECT_EQ(dialogs.messages.at(0).icon, krel::MsgIcon::Error);
    EXPECT_TRUE(chooser.isVisible());
    EXPECT_EQ(chooser.Path->text().toStdString(), path(env.home()));

    QTest::mouseClick(chooser.CloseBut, Qt::LeftButton);
    EXPECT_EQ(chooser.result(), QDialog::Rejected);
}

} // namespace
