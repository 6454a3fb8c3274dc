// The entry picture: found by name in any folder and letter case, read into memory, and never
// in the way of the rest of the display when it cannot be shown.

#include "EditorFixture.h"
#include "archive/ZipNames.h"
#include "common/AtomicFile.h"
#include "dialogs/ZipListing.h"
#include "editor/EditorWidgets.h"
#include "support/ModalDriver.h"

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <thread>

namespace krel::test {
namespace {

class PictureTest : public EditorTest {
protected:
    // Opens the small encyclopedia with the given picture archive.
    TEncEditorMain& openWithPictures(const std::vector<Member>& pictures) {
        writeStringArchive(SmallEncyclopedia());
        writePictures(pictures);
        dialogs.answer(MsgButton::Ok);
        return open();
    }

    std::vector<std::string> select(const char* title) {
        const size_t from = log().size();
        clickRow(rowOf(title));
        return logSince(from);
    }
};

TEST_F(PictureTest, FirstMemberWithTheNameInAnyFolderAndCase) {
    openWithPictures({{"Art\\Shipyard.png", PngBytes(10, 10, 0x111111)},
                      {"Deep\\Fleet\\SHIP.PNG", PngBytes(40, 20, 0xFF0000)},
                      {"ship.png", PngBytes(30, 30, 0x00FF00)}});
    std::vector<std::string> lines = select("Corsair");
    EXPECT_EQ(lines,
              (std::vector<std::string>{"Selecting Entry: Corsair ...", "-> Extracting Image: Ship",
                                        "-> Image Extracted", "Display updated"}));
    EXPECT_EQ(control<TDisplayPicture>("EntryImage")->picture().size(), QSize(40, 20));
    EXPECT_EQ(control<TDisplayPicture>("EntryImage")->picture().pixelColor(0, 0),
              QColor(0xFF, 0, 0));
}

// The graphic browser hands back a name for the chosen picture; looking that name up again must
// find that very picture, not another one that shares the beginning of its name.
TEST_F(PictureTest, TheBrowsersNameForAPictureFindsThatVeryPicture) {
    const std::vector<std::string> members{"Ships\\SHIP_Wasp.png", "Ships\\SHIP_Wasp.v2.png",
                                           "Ships\\Hornet.PNG", "Planets\\Ice.v1.v2.png"};
    std::vector<Member> pictures;
    for (const std::string& member : members)
        pictures.push_back({member, PngBytes(8, 8, 0x123456)});
    writePictures(pictures);
    PictureArchive archive;
    for (const std::string& member : members) {
        const std::string name(PictureNameOf(MemberNamePart(member)));
        EXPECT_EQ(archive.FindMember(assetArchive(), name), member) << name;
    }
}

TEST_F(PictureTest, PictureThatCannotBeShownIsLoggedAndTheEntryStillShows) {
    writeStringArchive(SmallEncyclopedia());
    writePictures({{"Planets\\Ardent.png", PngBytes(130, 82, 0x3060A0)},
                   {"Ships\\Ship.png", "this is no picture"}});
    SpoilMember(assetArchive(), "Planets/Ardent.png");
    dialogs.answer(MsgButton::Ok);
    open();

    struct Case {
        const char* title;
        std::string failure;
    };
    for (const Case& shown : {Case{"Ardent", "-> Failed to show image Planets\\Ardent.png: "},
                              Case{"Corsair", "-> Failed to show image Ships\\Ship.png: "},
                              Case{"Bellwether", "-> Failed to located image."}}) {
        std::vector<std::string> lines = select(shown.title);
        ASSERT_EQ(lines.size(), 4u) << shown.title;
        EXPECT_EQ(lines[2].rfind(shown.failure, 0), 0u) << lines[2];
        EXPECT_EQ(lines[3], "Display updated");
        EXPECT_EQ(shownTitle(), shown.title);
        EXPECT_FALSE(control<QPlainTextEdit>("EntryDesc")->toPlainText().isEmpty());
        EXPECT_TRUE(control<TDisplayPicture>("EntryImage")->picture().isNull());
    }
    EXPECT_GT(select("Ardent")[2].size(), std::string("-> Failed to show image ").size() + 20)
        << "the reason is given";
    EXPECT_EQ(control<QLabel>("Link1")->text().toStdString(), "Bellwether");
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(PictureTest, AChangedArchiveIsReadAfresh) {
    openWithPictures({{"Ships\\Ship.png", PngBytes(8, 8, 0)}});
    select("Ardent");
    EXPECT_TRUE(control<TDisplayPicture>("EntryImage")->picture().isNull());
    select("Corsair");

    // A new archive with a later time stamp and another size is listed afresh.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    writePictures(
        {{"Ships\\Ship.png", PngBytes(8, 8, 0)}, {"Planets\\ARDENT.png", PngBytes(16, 16, 0)}});
    select("Ardent");
    EXPECT_EQ(control<TDisplayPicture>("EntryImage")->picture().size(), QSize(16, 16));
}

TEST_F(PictureTest, DoubleClickOnThePictureOpensTheGraphicBrowser) {
    openSmall();
    WriteFileAtomic(env.programFolder() / "view.txt", "Planets\\Ardent.png\r\n");
    const T_EncEntry* before = shown();
    QString title;
    WhenModalShown([&](QWidget* dialog) {
        title = dialog->windowTitle();
        static_cast<QDialog*>(dialog)->reject();
    });

    QTest::mouseDClick(control("EntryImage"), Qt::LeftButton);

    EXPECT_EQ(title.toStdString(), "Graphic Browser");
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

} // namespace
} // namespace krel::test
