#include "dialogs/GraphicForm.h"

#include "DialogTesting.h"
#include "common/AtomicFile.h"
#include "dialogs/EntryEditor.h"
#include "dialogs/PictureBox.h"
#include "dialogs/ZipListModel.h"
#include "support/ModalDriver.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnvironment.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace krel::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class GraphicFormTest : public ::testing::Test {
protected:
    TestEnvironment env;
    ScriptedDialogs boxes;
    fs::path game = env.root() / "game";
    std::string nebula = PngBytes(200, 100, qRgb(0xC0, 0x20, 0x20));

    void SetUp() override {
        // Two paths that differ only in letter case, a name with two dots, a member that is
        // no picture, and one that view.txt does not name.
        WriteTestZip(PictureArchive(game),
                     {{"Ships/Corvette.png", PngBytes(130, 82, qRgb(0, 0, 200))},
                      {"Planets/Nebula.v2.png", nebula},
                      {"Planets/aurelia.PNG", PngBytes(60, 30, qRgb(0, 150, 0))},
                      {"SHIPS/CORVETTE.PNG", PngBytes(4, 4, qRgb(9, 9, 9))},
                      {"Notes/readme.txt", "Not a picture at all."},
                      {"Cargo.png", PngBytes(10, 10, qRgb(1, 2, 3))}});
        WriteFitting("ships\\corvette.png\r\nPlanets\\Nebula.v2.png\r\nPLANETS\\AURELIA.png\r\n"
                     "Notes\\readme.txt\r\nMissing\\ghost.png\r\n");
    }
    void WriteFitting(const std::string& text) {
        WriteFileAtomic(env.programFolder() / "view.txt", text);
    }
    std::unique_ptr<TGraphicForm> Open() {
        auto form = std::make_unique<TGraphicForm>(game.string(), (env.root() / "work").string());
        new QAbstractItemModelTester(form->listModel(),
                                     QAbstractItemModelTester::FailureReportingMode::Fatal,
                                     form->listModel());
        form->show();
        return form;
    }
    static std::vector<std::string> Rows(const TGraphicForm& form) {
        std::vector<std::string> rows;
        const TZipListModel* model = form.listModel();
        for (int row = 0; row < model->rowCount(); ++row)
            rows.push_back(model->index(row, 0).data().toString().toStdString() + "|" +
                           model->index(row, 2).data().toString().toStdString());
        return rows;
    }
    static void ClickRow(TGraphicForm& form, int row) {
        QModelIndex index = form.listModel()->index(row, 0);
        form.ZipListBox->scrollTo(index);
        QRect place = form.ZipListBox->visualRect(index);
        QTest::mouseClick(form.ZipListBox->viewport(), Qt::LeftButton, {}, place.center());
    }
    static void ClickHeader(TGraphicForm& form, int section) {
        QHeaderView* header = form.ZipListBox->header();
        QPoint at(header->sectionViewportPosition(section) + 10, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(GraphicFormTest, OpensSortedByNameWithOnlyTheMembersViewTxtNames) {
    auto form = Open();
    // Letter case is ignored both ways; of the two Corvette paths only the first is admitted.
    EXPECT_THAT(Rows(*form), ElementsAre("aurelia|Planets", "Corvette|Ships", "Nebula.v2|Planets",
                                         "readme.txt|Notes"));
    EXPECT_EQ(form->ZipListBox->sizeHintForRow(0), 15);

    form->CheckBox2->setChecked(false);
    EXPECT_FALSE(form->ShowFitting);
    EXPECT_THAT(Rows(*form),
                ElementsAre("aurelia|Planets", "Cargo|", "Corvette|Ships", "CORVETTE|SHIPS",
                            "Nebula.v2|Planets", "readme.txt|Notes"));
    EXPECT_THAT(boxes.texts(), IsEmpty());
}

TEST_F(GraphicFormTest, HeadersSortAscendingAndKeepTiesInTheirPreviousOrder) {
    WriteTestZip(PictureArchive(game), {{"Zeta/alpha.txt", std::string(300, 'z')},
                                        {"beta/Gamma.dat", std::string(100, 'g')},
                                        {"Alpha/beta.png", std::string(200, 'b')},
                                        {"alpha/Delta.txt", std::string(100, 'd')},
                                        {"Echo.txt", std::string(50, 'e')}});
    auto form = Open();
    form->CheckBox2->setChecked(false);
    auto names = [&] {
        std::vector<std::string> names;
        for (const std::string& row : Rows(*form))
            names.push_back(row.substr(0, row.find_first_of(".|")));
        return names;
    };
    EXPECT_THAT(names(), ElementsAre("alpha", "beta", "Delta", "Echo", "Gamma"));
    ClickHeader(*form, TZipListModel::SizeColumn);
    EXPECT_THAT(names(), ElementsAre("Echo", "Delta", "Gamma", "beta", "alpha"));
    ClickHeader(*form, TZipListModel::SizeColumn);
    EXPECT_THAT(names(), ElementsAre("Echo", "Delta", "Gamma", "beta", "alpha"));
    ClickHeader(*form, TZipListModel::DirColumn);
    EXPECT_THAT(names(), ElementsAre("Echo", "Delta", "beta", "Gamma", "alpha"));
    ClickHeader(*form, TZipListModel::NameColumn);
    EXPECT_THAT(names(), ElementsAre("alpha", "beta", "Delta", "Echo", "Gamma"));
}

TEST_F(GraphicFormTest, WithoutViewTxtTheListIsEmptyUntilTheFilterIsOff) {
    fs::remove(env.programFolder() / "view.txt");
    boxes.answer(MsgButton::Ok);
    auto form = Open();
    EXPECT_THAT(boxes.texts(), ElementsAre("File not in Resource (view.txt)"));
    EXPECT_EQ(boxes.messages.at(0).icon, MsgIcon::Error);
    EXPECT_THAT(Rows(*form), IsEmpty());
    form->CheckBox2->setChecked(false);
    EXPECT_EQ(Rows(*form).size(), 6u);
}

TEST_F(GraphicFormTest, AClickPreviewsAndAMemberThatFailsKeepsThePreview) {
    auto form = Open();
    ClickRow(*form, 2);
    auto shown = [&] {
        return std::vector<std::string>{form->Filename->text().toStdString(),
                                        form->Size->text().toStdString(),
                                        form->Width->text().toStdString(),
                                        form->Height->text().toStdString(), form->SelectedName};
    };
    const std::vector<std::string> preview{"Nebula.v2.png", std::to_string(nebula.size()), "200",
                                           "100", "Nebula.v2"};
    EXPECT_EQ(shown(), preview);
    EXPECT_TRUE(form->isVisible()) << "a click does not close the browser";
    EXPECT_EQ(form->EntryImage->pictureRect(), QRect(0, 0, 130, 82));
    form->CheckBox1->setChecked(false); // own size, centred, cropped by the frame
    EXPECT_EQ(form->EntryImage->pictureRect(), QRect(-35, -9, 200, 100));
    EXPECT_EQ(form->EntryImage->grab().toImage().pixel(0, 0), qRgb(0xC0, 0x20, 0x20));

    boxes.answer(MsgButton::Ok);
    ClickRow(*form, 3); // readme.txt: the decoder refuses it
    EXPECT_EQ(boxes.texts().size(), 1u);
    ClickRow(*form, 1); // Corvette: two members answer to the name, so none is extracted
    EXPECT_EQ(shown(), preview);
    EXPECT_EQ(form->Picture().size(), QSize(200, 100));
}

TEST_F(GraphicFormTest, TheEntryEditorTakesWhatIsSelectedAndKeepsItsOwnOnCancel) {
    auto encyclopedia = MakeEncyclopedia({Entry("W001", "Aurelia")});
    TEncEntryEditor editor(*encyclopedia);
    editor.SetGameFolders(game.string(), (env.root() / "work").string());
    editor.Edit(*encyclopedia->At(0), encyclopedia->IdOf(encyclopedia->At(0)), {});
    editor.show();
    auto choose = [&](int row, QPushButton* TGraphicForm::*button) {
        WhenModalShown([row, button](QWidget* dialog) {
            auto* browser = qobject_cast<TGraphicForm*>(dialog);
            ASSERT_NE(browser, nullptr);
            if (row >= 0)
                ClickRow(*browser, row);
            QTest::mouseClick(browser->*button, Qt::LeftButton);
        });
        QTest::mouseClick(editor.EntryImage, Qt::LeftButton, {}, QPoint(20, 20));
    };
    choose(0, &TGraphicForm::SSHoverText3);
    EXPECT_EQ(editor.Draft().Fields.Image, "aurelia");
    EXPECT_EQ(editor.Picture().size(), QSize(60, 30));
    choose(2, &TGraphicForm::CloseBut);
    EXPECT_EQ(editor.Draft().Fields.Image, "aurelia");
    EXPECT_EQ(editor.Picture().size(), QSize(60, 30));
    choose(-1, &TGraphicForm::SSHoverText3); // Select before any click: no name, no picture
    EXPECT_EQ(editor.Draft().Fields.Image, "");
    EXPECT_TRUE(editor.Picture().isNull());
}

} // namespace
} // namespace krel::test
