// Browsing the loaded encyclopedia: the three views, the search, the default page, related
// links and the context menus; and what holds a record when the list is replaced under it.

#include "EditorFixture.h"
#include "editor/EditorWidgets.h"
#include "editor/EntryReordering.h"

#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTest>

namespace krel::test {
namespace {

class BrowseTest : public EditorTest {
protected:
    std::vector<std::string> linkCaptions() const {
        std::vector<std::string> captions;
        for (const char* name : {"Link1", "Link2", "Link3", "Link4"})
            captions.push_back(control<TDisplayLink>(name)->text().toStdString());
        return captions;
    }
};

TEST_F(BrowseTest, ViewsListTheirRowsAndOnlyEntriesCanBeChosen) {
    openSmall();
    EXPECT_TRUE(button("TOC")->isChecked());

    QTest::mouseClick(button("SubjectIndex"), Qt::LeftButton);
    EXPECT_FALSE(button("TOC")->isChecked());
    EXPECT_EQ(rows(), (std::vector<std::string>{"A", "Ardent", "B", "Bellwether", "C", "Corsair",
                                                "G", "Galactic Encyclopedia"}));
    const int letter = rowOf("B");
    EXPECT_FALSE(listRows().flags(listRows().index(letter)) & Qt::ItemIsEnabled);
    EXPECT_TRUE(listRows().index(letter + 1).data(EntryListModel::IndentRole).toBool());
    clickRow(rowOf("Corsair"));
    EXPECT_EQ(shown(), entry("S001"));
    const size_t lines = log().size();
    clickRow(letter);
    EXPECT_EQ(shown(), entry("S001"));
    EXPECT_EQ(log().size(), lines);

    // Clicking the checked mode again keeps it checked and rebuilds the same view.
    QTest::mouseClick(button("TOC"), Qt::LeftButton);
    QTest::mouseClick(button("TOC"), Qt::LeftButton);
    EXPECT_TRUE(button("TOC")->isChecked());
    EXPECT_FALSE(button("SubjectIndex")->isChecked());
    EXPECT_EQ(rows(),
              (std::vector<std::string>{"Worlds", "Ardent", "Bellwether", "Ships", "Corsair"}));
    EXPECT_FALSE(listRows().index(1).data(EntryListModel::IndentRole).toBool());
}

TEST_F(BrowseTest, SearchMatchesWholeKeywordsIgnoringCaseButNotBlanks) {
    openSmall();
    auto* findText = control<QLineEdit>("FindText");
    struct Case {
        const char* text;
        std::vector<std::string> found;
    };
    for (const Case& search : {Case{"star", {"Ardent"}}, Case{" star", {}},
                               Case{"GALAXY", {"Ardent"}}, Case{"starbase", {"Bellwether"}}}) {
        findText->setText(QString::fromLatin1(search.text));
        QTest::mouseClick(button("Find"), Qt::LeftButton);
        EXPECT_EQ(rows(), search.found) << '"' << search.text << '"';
    }
    EXPECT_FALSE(button("TOC")->isChecked());
    EXPECT_FALSE(button("SubjectIndex")->isChecked());

    QTest::mouseClick(button("TOC"), Qt::LeftButton);
    findText->setText(QStringLiteral("star"));
    QTest::keyClick(findText, Qt::Key_Return);
    EXPECT_EQ(rows(), std::vector<std::string>{"Ardent"});
}

TEST_F(BrowseTest, TheWindowAndItsSplitterComeBackAsTheyWereLeft) {
    openSmall();
    const QRect placed(20, 10, 850, 600);
    qobject_cast<QMdiSubWindow*>(editor->parentWidget())->setGeometry(placed);
    control<QSplitter>("Splitter")->setSizes({250, 560});
    const int listWidth = control<QSplitter>("Splitter")->sizes().front();
    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    dialogs.answer(MsgButton::Ok);
    frame->OpenEncyclopediaEditor1Click();
    editor = qobject_cast<TEncEditorMain*>(frame->editorWindow());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(qobject_cast<QMdiSubWindow*>(editor->parentWidget())->geometry(), placed);
    EXPECT_EQ(control<QSplitter>("Splitter")->sizes().front(), listWidth);
}

TEST_F(BrowseTest, DefaultPageStandsInForHeadersAndIsShownOnce) {
    openSmall();
    clickRow(rowOf("Ardent"));
    clickRow(rowOf("Worlds"));
    EXPECT_EQ(shown(), entry("EROR"));
    EXPECT_EQ(shownTitle(), "Galactic Encyclopedia");

    const size_t lines = log().size();
    clickRow(rowOf("Worlds"));
    clickRow(rowOf("Ships"));
    EXPECT_EQ(log().size(), lines);
}

TEST_F(BrowseTest, WithoutDefaultPageHeadersShowAnEmptyDisplay) {
    std::vector<T_EncEntry> records = SmallEncyclopedia();
    records.erase(records.begin() + 2);
    writeStringArchive(records);
    dialogs.answer(MsgButton::Ok);
    open();
    EXPECT_EQ(shown(), nullptr);
    EXPECT_EQ(status(), "Status: Browsing Encyclopedia");

    clickRow(rowOf("Corsair"));
    clickRow(rowOf("Ships"));

    EXPECT_EQ(shown(), nullptr);
    EXPECT_TRUE(shownTitle().empty());
    EXPECT_TRUE(control<QPlainTextEdit>("EntryDesc")->toPlainText().isEmpty());
    EXPECT_EQ(linkCaptions(), std::vector<std::string>(4));
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(BrowseTest, EntryShowsTextOnLinesAndFourLinksInOrder) {
    openSmall();
    clickRow(rowOf("Bellwether"));
    EXPECT_EQ(control<QPlainTextEdit>("EntryDesc")->toPlainText().toStdString(),
              "First line\nSecond line");

    clickRow(rowOf("Ardent"));
    EXPECT_EQ(linkCaptions(),
              (std::vector<std::string>{"Bellwether", "Corsair", "", "Galactic Encyclopedia"}));
    const size_t lines = log().size();
    QTest::mouseClick(control("Link3"), Qt::LeftButton);
    EXPECT_EQ(shown(), entry("W001"));
    EXPECT_EQ(log().size(), lines);

    QTest::mouseClick(control("Link2"), Qt::LeftButton);
    EXPECT_EQ(shown(), entry("S001"));
    EXPECT_EQ(shownTitle(), "Corsair");
}

TEST_F(BrowseTest, RightClickOffersTheRowsMenuWithoutChangingTheDisplay) {
    openSmall();
    auto* entryMenu = control<QMenu>("EntryMenu");
    auto* headerMenu = control<QMenu>("HeaderMenu");
    clickRow(rowOf("Ardent"));

    clickRow(rowOf("Corsair"), Qt::RightButton);
    EXPECT_TRUE(entryMenu->isVisible());
    entryMenu->hide();
    // The menu takes the button's release; a key still shows the row it reaches.
    auto* list = control<QListView>("EntryListBox");
    QTest::mousePress(list->viewport(), Qt::RightButton, {},
                      list->visualRect(listRows().index(rowOf("Ships"))).center());
    EXPECT_TRUE(headerMenu->isVisible());
    headerMenu->hide();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(shown(), entry("S001"));
    clickRow(rowOf("Ardent"));
    QTest::mouseClick(button("SubjectIndex"), Qt::LeftButton);
    clickRow(rowOf("C"), Qt::RightButton);
    EXPECT_FALSE(entryMenu->isVisible());
    EXPECT_FALSE(headerMenu->isVisible());

    EXPECT_EQ(shown(), entry("W001"));
    for (QMenu* menu : {entryMenu, headerMenu})
        EXPECT_FALSE(menu->actions().at(0)->isEnabled()) << "the menu's title is not a command";
}

// The rows, the record on display, the links and a pending drag hold records by identity: once
// the list is replaced (without the window being told) none of them reaches an old record.
TEST_F(BrowseTest, NothingHoldsARecordOnceTheListIsReplaced) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Ardent"));
    auto* list = control<QListView>("EntryListBox");
    const int corsairRow = rowOf("Corsair");
    const QPoint corsair = list->visualRect(listRows().index(corsairRow)).center();
    const QPoint ships = list->visualRect(listRows().index(rowOf("Ships"))).center();
    ASSERT_EQ(window.Browser().LinkTarget(1), entry("S001"));
    window.Reordering().EntryListBoxDragBegin(Qt::LeftButton, corsair);
    ASSERT_TRUE(window.Reordering().EntryListBoxDragOver());

    window.EntryList().Replace(SmallEncyclopedia());

    EXPECT_EQ(shown(), nullptr);
    for (int link = 0; link < 4; ++link)
        EXPECT_EQ(window.Browser().LinkTarget(link), nullptr);
    for (int row = 0; row < listRows().rowCount(); ++row) {
        EXPECT_EQ(listRows().Record(row), nullptr);
        EXPECT_FALSE(listRows().Selectable(row));
        EXPECT_FALSE(listRows().index(row).data().isValid());
    }
    window.Reordering().EntryListBoxDragDrop(ships);
    EXPECT_EQ(window.EntryList().Snapshot(), SmallEncyclopedia()) << "the drag dropped nothing";
    EXPECT_EQ(window.History().StepCount(), 0u);
    QTest::mouseClick(control("Link2"), Qt::LeftButton);
    clickRow(corsairRow);
    QTest::mouseClick(button("Edit"), Qt::LeftButton);
    EXPECT_EQ(shown(), nullptr) << "nothing to show, nothing to edit";

    window.Browser().RecordsChanged();
    EXPECT_EQ(shown(), entry("Eror"));
    window.Browser().BuildList("");
    clickRow(rowOf("Corsair"));
    EXPECT_EQ(shown(), entry("S001"));
}

} // namespace
} // namespace krel::test
