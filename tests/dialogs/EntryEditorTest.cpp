#include "dialogs/EntryEditor.h"

#include "DialogTesting.h"
#include "dialogs/LinkLabel.h"
#include "dialogs/PictureBox.h"
#include "dialogs/TagEdit.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
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

class EntryEditorTest : public ::testing::Test {
protected:
    std::unique_ptr<Encyclopedia> encyclopedia = MakeEncyclopedia({
        Header("0001", "Worlds:W001,W002"),
        Header("0002", "Fleets:S001"),
        Entry("W001", "Aurelia", "W002 S001,x999 W003 W004", "First line/pSecond line"),
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
    void Open(const T_EncEntry* edited) {
        editor.EntryCopy = edited ? *edited : T_EncEntry{};
        editor.EditedEntry = edited;
        editor.show();
    }
    std::vector<std::string> LinkTexts() const {
        std::vector<std::string> texts;
        for (TLinkLabel* link : editor.Links())
            texts.push_back(link->text().toStdString());
        return texts;
    }
    std::vector<const T_EncEntry*> LinkRecords() const {
        std::vector<const T_EncEntry*> records;
        for (TLinkLabel* link : editor.Links())
            records.push_back(link->Record);
        return records;
    }
};

TEST_F(EntryEditorTest, ShowingFillsTheControlsFromTheCopy) {
    T_EncEntry edited = *Record(2);
    edited.Keywords = "planet, capital";
    edited.Image = "Aurelia";
    editor.EditorPicture = QImage(20, 10, QImage::Format_ARGB32);
    editor.EditorPicture.fill(Qt::red);
    editor.EntryCopy = edited;
    editor.EditedEntry = Record(2);
    editor.show();

    EXPECT_EQ(editor.EntryTag->text(), "W001");
    EXPECT_EQ(editor.Title->text(), "Aurelia");
    EXPECT_EQ(editor.Keywords->text(), "planet, capital");
    EXPECT_EQ(editor.Header->text(), "Worlds");
    EXPECT_EQ(editor.EntryHeader, Record(0));
    // Five related tags: the fifth is dropped, the unknown third gives an empty line.
    EXPECT_THAT(LinkTexts(), ElementsAre("Brannoc", "Corvette", "", "Cindral"));
    EXPECT_THAT(LinkRecords(), ElementsAre(Record(3), Record(6), nullptr, Record(4)));
    EXPECT_EQ(editor.Picture(), editor.EditorPicture);
    EXPECT_EQ(editor.EntryDesc->toPlainText(), "First line\nSecond line");
    EXPECT_EQ(editor.ContentText(), "First line/pSecond line");
    EXPECT_FALSE(editor.SSLabel4->isVisible());
}

TEST_F(EntryEditorTest, ANewEntryStartsEmpty) {
    editor.EditorPicture = QImage(20, 10, QImage::Format_ARGB32);
    Open(nullptr);
    for (QLineEdit* field :
         {static_cast<QLineEdit*>(editor.EntryTag), editor.Title, editor.Keywords})
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
    EXPECT_EQ(editor.Header->text(), "(none)");
    EXPECT_EQ(editor.EntryHeader, nullptr);
    EXPECT_TRUE(editor.Picture().isNull());
    EXPECT_THAT(LinkTexts(), ElementsAre("", "", "", ""));
    EXPECT_THAT(LinkRecords(), ElementsAre(nullptr, nullptr, nullptr, nullptr));
}

TEST_F(EntryEditorTest, TypedTagKeysAreFilteredAndShownInCapitals) {
    Open(nullptr);
    struct Typing {
        const char* keys;
        const char* shown;
    };
    for (Typing t : {Typing{"ab1.z", "AB1."}, Typing{"A-B_c", "C"}, Typing{"9 x!y", "9XY"}}) {
        editor.EntryTag->clear();
        QTest::keyClicks(editor.EntryTag, t.keys);
        EXPECT_EQ(editor.EntryTag->text().toStdString(), t.shown) << t.keys;
    }
    QTest::keyClick(editor.EntryTag, Qt::Key_Backspace);
    EXPECT_EQ(editor.EntryTag->text(), "9X");
    editor.EntryTag->setText("WXYZ");
    editor.EntryTag->selectAll();
    QTest::keyClicks(editor.EntryTag, "q");
    EXPECT_EQ(editor.EntryTag->text(), "Q");
}

TEST_F(EntryEditorTest, PastedTagTextIsCleanedLikeTypedText) {
    Open(nullptr);
    struct Paste {
        const char* before;
        const char* clipboard;
        const char* shown;
    };
    for (Paste p : {Paste{"", "ab-c9x", "ABC9"}, Paste{"AB", "c.d!e", "ABC."},
                    Paste{"", "Tag: w01", "TAGW"}, Paste{"ABCD", "zz", "ABCD"}}) {
        editor.EntryTag->setText(p.before);
        editor.EntryTag->end(false);
        QApplication::clipboard()->setText(p.clipboard);
        editor.EntryTag->paste();
        EXPECT_EQ(editor.EntryTag->text().toStdString(), p.shown) << p.clipboard;
    }
}

struct ApplyCase {
    int edited;          // index of the record edited, -1 for a new entry
    const char* typed;   // nullptr: the tag as shown
    const char* refusal; // nullptr: accepted
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
    if (c.refusal)
        boxes.answer(MsgButton::Ok);
    QTest::mouseClick(editor.Apply, Qt::LeftButton);
    if (!c.refusal) {
        EXPECT_EQ(editor.result(), QDialog::Accepted);
        EXPECT_THAT(boxes.texts(), IsEmpty());
        return;
    }
    EXPECT_TRUE(editor.isVisible());
    EXPECT_THAT(boxes.texts(), ElementsAre(c.refusal));
    EXPECT_EQ(boxes.messages.at(0).icon, MsgIcon::Information);
    EXPECT_EQ(editor.focusWidget(), editor.EntryTag);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, EntryApply,
    ::testing::Values(
        ApplyCase{2, "W001", nullptr}, ApplyCase{-1, "Q123", nullptr},
        ApplyCase{2, "W002",
                  "Entry tag \"W002\" already exists.  This value must be unique.  Enter a new "
                  "value for this."},
        ApplyCase{-1, "E005",
                  "Entry tag \"E005\" already exists.  This value must be unique.  Enter a new "
                  "value for this."},
        ApplyCase{-1, "0002",
                  "Entry tag \"0002\" already exists.  This value must be unique.  Enter a new "
                  "value for this."},
        ApplyCase{-1, "AB",
                  "Entry tag \"AB\" is too short.  A tag must have exactly four characters.  "
                  "Enter a new value for this."},
        ApplyCase{-1, "",
                  "Entry tag \"\" is too short.  A tag must have exactly four characters.  Enter "
                  "a new value for this."},
        // A stored tag that could never be typed is shown as it is, and then refused.
        ApplyCase{8, nullptr,
                  "Entry tag \"ABCDE\" is too long.  A tag must have exactly four characters.  "
                  "Enter a new value for this."}));

TEST_F(EntryEditorTest, TheHeaderPickerOpensUnderTheHeaderAndNoneGivesNone) {
    Open(Record(2));
    PickerSeen seen;
    AnswerPicker(0, &seen);
    QTest::mouseClick(editor.HeaderButton, Qt::LeftButton);
    EXPECT_THAT(seen.rows, ElementsAre("(none)", "Worlds", "Fleets"));
    EXPECT_EQ(seen.current, 1);
    QPoint header = editor.Header->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(seen.geometry.topLeft(),
              QPoint(header.x() - 2, header.y() + editor.Header->height()));
    EXPECT_EQ(seen.geometry.width(), editor.Header->width() + 2);
    EXPECT_EQ(editor.Header->text(), "(none)");

    AnswerPicker(2);
    QTest::mouseClick(editor.HeaderButton, Qt::LeftButton);
    EXPECT_EQ(editor.Header->text(), "Fleets");
    EXPECT_EQ(editor.EntryHeader, Record(0)) << "the caller compares the text, not this";
}

TEST_F(EntryEditorTest, ALinkPickerSetsOrEmptiesThatLinkOnly) {
    Open(Record(2));
    PickerSeen seen;
    AnswerPicker(4, &seen); // Dunmere
    QTest::mouseClick(editor.Link3, Qt::LeftButton);
    EXPECT_EQ(seen.current, 0) << "an empty link matches no title";
    QPoint link = editor.Link3->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(seen.geometry, QRect(link.x(), link.y() + editor.Link3->height(),
                                   editor.Link3->width(), seen.geometry.height()));

    seen = {};
    AnswerPicker(0, &seen);
    QTest::mouseClick(editor.Link1, Qt::LeftButton);
    EXPECT_EQ(seen.current, 2) << "Brannoc is pre-selected";
    EXPECT_THAT(LinkTexts(), ElementsAre("", "Corvette", "Dunmere", "Cindral"));
    EXPECT_THAT(LinkRecords(), ElementsAre(nullptr, Record(6), Record(5), Record(4)));
}

TEST_F(EntryEditorTest, TheHintShowsOnlyWhileThePointerIsOverALink) {
    Open(Record(2));
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), editor.Link2->mapToGlobal(QPointF(3, 3)));
    QApplication::sendEvent(editor.Link2, &enter);
    EXPECT_TRUE(editor.SSLabel4->isVisible());
    EXPECT_TRUE(editor.Link2->isHighlighted());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(editor.Link2, &leave);
    EXPECT_FALSE(editor.SSLabel4->isVisible());
    EXPECT_FALSE(editor.Link2->isHighlighted());
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
    T_EncEntry edited = *Record(2);
    edited.Image = "Aurelia";
    QImage original(130, 82, QImage::Format_ARGB32);
    original.fill(qRgb(0x10, 0x20, 0x30));
    editor.EditorPicture = original;
    editor.EntryCopy = edited;
    editor.show();

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
