#include "dialogs/EntryEditor.h"

#include "DialogTesting.h"
#include "dialogs/LinkLabel.h"
#include "dialogs/PictureBox.h"
#include "dialogs/TagEdit.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace krel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Link = std::pair<std::string, const T_EncEntry*>;

class EntryEditorTest : public ::testing::Test {
protected:
    std::unique_ptr<Encyclopedia> encyclopedia = MakeEncyclopedia({
        Header("0001", "Worlds:W001,W002"),
        Header("0002", "Fleets:S001"),
        Linked(Entry("W001", "Aurelia", {}, "First line/pSecond line"), "W002 S001,x999 W003 W004"),
        Entry("W002", "Brannoc"),
        Entry("W003", "Cindral"),
        Entry("W004", "Dunmere"),
        Entry("S001", "Corvette"),
        Entry("e005", "Lowly"),
        Entry("ABCDE", "Oddity"),
        Letter('A'),
    });
    ScriptedDialogs boxes;
    TEncEntryEditor editor{*encyclopedia};

    const T_EncEntry* Record(size_t index) const { return encyclopedia->At(index); }
    void Open(const T_EncEntry* edited, std::string image = {}, const QImage& picture = {}) {
        T_EncEntry entry = edited ? *edited : T_EncEntry{};
        entry.Image = std::move(image);
        editor.Edit(entry, encyclopedia->IdOf(edited), picture);
        editor.show();
    }
    std::vector<Link> Links() const {
        std::vector<Link> links;
        for (TLinkLabel* link : editor.Links())
            links.emplace_back(link->text().toStdString(), encyclopedia->Find(link->record()));
        return links;
    }
    QImage Solid(QSize size, QRgb colour) const {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(colour);
        return image;
    }
};

TEST_F(EntryEditorTest, ShowingFillsTheControlsFromTheEntry) {
    const QImage picture = Solid(QSize(20, 10), qRgb(255, 0, 0));
    Open(Record(2), "Aurelia", picture);
    EXPECT_EQ(editor.EntryTag->text(), "W001");
    EXPECT_EQ(editor.Title->text(), "Aurelia");
    EXPECT_EQ(editor.Header->text(), "Worlds");
    // Five related tags: the fifth is dropped, the unknown third gives an empty line.
    EXPECT_THAT(Links(), ElementsAre(Link("Brannoc", Record(3)), Link("Corvette", Record(6)),
                                     Link("", nullptr), Link("Cindral", Record(4))));
    EXPECT_EQ(editor.Picture(), picture);
    EXPECT_EQ(editor.EntryDesc->toPlainText(), "First line\nSecond line");
    EXPECT_EQ(editor.ContentText(), "First line/pSecond line");
}

TEST_F(EntryEditorTest, ANewEntryStartsEmpty) {
    Open(nullptr, {}, Solid(QSize(20, 10), qRgb(255, 0, 0)));
    EXPECT_EQ(editor.EntryTag->text() + editor.Title->text() + editor.Keywords->text(), "");
    EXPECT_EQ(editor.Header->text(), "(none)");
    EXPECT_TRUE(editor.Picture().isNull());
    EXPECT_THAT(Links(), ElementsAre(Link("", nullptr), Link("", nullptr), Link("", nullptr),
                                     Link("", nullptr)));
}

TEST_F(EntryEditorTest, TagTextIsFilteredWhetherTypedOrPasted) {
    Open(nullptr);
    struct Input {
        const char* before;
        const char* typed;
        const char* pasted;
        const char* shown;
    };
    for (Input in : {Input{"", "ab1.z", "", "AB1."}, Input{"", "A-B_c 9", "", "C9"},
                     Input{"", "", "ab-c9x", "ABC9"}, Input{"AB", "", "c.d!e", "ABC."},
                     Input{"", "", "Tag: w01", "TAGW"}, Input{"ABCD", "", "zz", "ABCD"}}) {
        editor.EntryTag->setText(in.before);
        editor.EntryTag->end(false);
        QTest::keyClicks(editor.EntryTag, in.typed);
        QApplication::clipboard()->setText(in.pasted);
        editor.EntryTag->paste();
        EXPECT_EQ(editor.EntryTag->text().toStdString(), in.shown) << in.typed << in.pasted;
    }
    QTest::keyClick(editor.EntryTag, Qt::Key_Backspace);
    EXPECT_EQ(editor.EntryTag->text(), "ABC");
    editor.EntryTag->selectAll();
    QTest::keyClicks(editor.EntryTag, "q");
    EXPECT_EQ(editor.EntryTag->text(), "Q");
}

struct ApplyCase {
    int edited;        // index of the record edited, -1 for a new entry
    const char* typed; // nullptr: the tag as shown
    std::string fault; // empty: accepted
};
void PrintTo(const ApplyCase& c, std::ostream* out) {
    *out << "record " << c.edited << " typed " << (c.typed ? c.typed : "(as shown)");
}

class EntryApply : public EntryEditorTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(EntryApply, RefusesTagsOfTheWrongLengthOrInUse) {
    const ApplyCase& c = GetParam();
    Open(c.edited >= 0 ? Record(size_t(c.edited)) : nullptr);
    if (c.typed)
        editor.EntryTag->setText(c.typed);
    editor.Title->setFocus();
    if (!c.fault.empty())
        boxes.answer(MsgButton::Ok);
    QTest::mouseClick(editor.Apply, Qt::LeftButton);
    if (c.fault.empty()) {
        EXPECT_EQ(editor.result(), QDialog::Accepted);
        EXPECT_THAT(boxes.texts(), IsEmpty());
        return;
    }
    std::string tag = editor.EntryTag->text().toStdString();
    EXPECT_THAT(boxes.texts(), ElementsAre("Entry tag \"" + tag + "\" " + c.fault +
                                           "  Enter a new value for this."));
    EXPECT_EQ(boxes.messages.at(0).icon, MsgIcon::Information);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.focusWidget(), editor.EntryTag);
}

const std::string kInUse = "already exists.  This value must be unique.";
const std::string kShort = "is too short.  A tag must have exactly four characters.";
INSTANTIATE_TEST_SUITE_P(
    Tags, EntryApply,
    ::testing::Values(ApplyCase{2, "W001", ""}, ApplyCase{-1, "Q123", ""},
                      ApplyCase{2, "W002", kInUse}, ApplyCase{-1, "E005", kInUse},
                      ApplyCase{-1, "0002", kInUse}, ApplyCase{-1, "AB", kShort},
                      ApplyCase{-1, "", kShort},
                      // A stored tag that could never be typed is shown as it is, then refused.
                      ApplyCase{8, nullptr,
                                "is too long.  A tag must have exactly four characters."}));

TEST_F(EntryEditorTest, TheHeaderPickerOpensUnderTheHeaderAndNoneGivesNone) {
    Open(Record(2));
    PickerSeen seen;
    AnswerPicker(0, &seen);
    QTest::mouseClick(editor.HeaderButton, Qt::LeftButton);
    EXPECT_THAT(seen.rows, ElementsAre("(none)", "Worlds", "Fleets"));
    EXPECT_EQ(seen.current, 1);
    QRect header(editor.Header->mapToGlobal(QPoint(0, 0)), editor.Header->size());
    EXPECT_EQ(seen.geometry.topLeft(), QPoint(header.left() - 2, header.bottom() + 1));
    EXPECT_EQ(seen.geometry.width(), header.width() + 2);
    EXPECT_EQ(editor.Header->text(), "(none)");

    AnswerPicker(2);
    QTest::mouseClick(editor.HeaderButton, Qt::LeftButton);
    EXPECT_EQ(editor.Header->text(), "Fleets");
}

TEST_F(EntryEditorTest, ALinkPickerSetsOrEmptiesThatLinkOnly) {
    Open(Record(2));
    PickerSeen seen;
    AnswerPicker(4, &seen); // Dunmere
    QTest::mouseClick(editor.Link3, Qt::LeftButton);
    EXPECT_EQ(seen.current, 0) << "an empty link matches no title";
    QRect link(editor.Link3->mapToGlobal(QPoint(0, 0)), editor.Link3->size());
    EXPECT_EQ(seen.geometry.topLeft(), link.bottomLeft() + QPoint(0, 1));
    EXPECT_EQ(seen.geometry.width(), link.width());

    seen = {};
    AnswerPicker(0, &seen);
    QTest::mouseClick(editor.Link1, Qt::LeftButton);
    EXPECT_EQ(seen.current, 2) << "Brannoc is pre-selected";
    EXPECT_THAT(Links(), ElementsAre(Link("", nullptr), Link("Corvette", Record(6)),
                                     Link("Dunmere", Record(5)), Link("Cindral", Record(4))));
}

// The answer is what the dialog shows, the links given as their records' tags; a link whose
// record has left the encyclopedia meanwhile is no link.
TEST_F(EntryEditorTest, TheAnswerHoldsTheFieldsAsShownAndTheLinkedTags) {
    Open(Record(2), "Aurelia");
    editor.Title->setText("Aurelia Prime");
    editor.EntryDesc->setPlainText("One\nTwo");
    AnswerPicker(2);
    QTest::mouseClick(editor.HeaderButton, Qt::LeftButton);
    EntryDraft draft = editor.Draft();
    EXPECT_EQ(draft.Fields.Tag, "W001");
    EXPECT_EQ(draft.Fields.Title, "Aurelia Prime");
    EXPECT_EQ(draft.Fields.Related, "W002,S001,W003");
    EXPECT_EQ(draft.Fields.Image, "Aurelia");
    EXPECT_EQ(draft.Fields.Content, "One/pTwo");
    EXPECT_EQ(draft.Header, "Fleets");

    encyclopedia->Remove(Record(6));
    EXPECT_EQ(editor.Draft().Fields.Related, "W002,W003");
    encyclopedia->Replace({Entry("W002", "Brannoc")});
    EXPECT_EQ(editor.Draft().Fields.Related, "");
}

TEST_F(EntryEditorTest, HoveringAnEmptyPictureShowsThePlaceholderUntilThePointerLeaves) {
    Open(nullptr);
    QTest::mouseMove(editor.EntryImage, QPoint(40, 40));
    ASSERT_FALSE(editor.EntryImage->isEmpty());
    EXPECT_EQ(editor.EntryImage->picture().pixel(8, 0), qRgb(0x84, 0xD6, 0xFF));
    EXPECT_TRUE(editor.SSLabel4->isVisible());
    EXPECT_TRUE(editor.Picture().isNull());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(editor.EntryImage, &leave);
    EXPECT_TRUE(editor.EntryImage->isEmpty());
    EXPECT_FALSE(editor.SSLabel4->isVisible());
}

TEST_F(EntryEditorTest, HoveringAPictureHatchesItAndLeavingRestoresItExactly) {
    QImage original = Solid(QSize(130, 82), qRgb(0x10, 0x20, 0x30));
    Open(Record(2), "Aurelia", original);
    QTest::mouseMove(editor.EntryImage, QPoint(10, 10));
    QTest::mouseMove(editor.EntryImage, QPoint(11, 10));
    const QImage& shown = editor.EntryImage->picture();
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0x94, 0xF6, 0xFF)); // on the hatch: OR with #84D6FF
    EXPECT_EQ(shown.pixel(9, 3), qRgb(0x10, 0x20, 0x30)); // off the hatch: untouched
    EXPECT_EQ(editor.Picture(), original);
    QTest::mouseMove(editor.EntryImage, QPoint(10, 100)); // off the picture, onto no link
    EXPECT_EQ(editor.EntryImage->picture(), original);
    EXPECT_FALSE(editor.SSLabel4->isVisible());
}

} // namespace
} // namespace krel::test
