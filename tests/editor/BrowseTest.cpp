// Browsing the loaded encyclopedia: the three views, the search, the default page, related
// links and the context menus.

#include "EditorFixture.h"
#include "editor/EditorWidgets.h"
#include "editor/EntryListModel.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace krel::test {
namespace {

class BrowseTest : public EditorTest {
protected:
    std::vector<std::string> linkCaptions() const {
        std::vector<std::string> captions;
        for (TDisplayLink* link : {editor->Link1, editor->Link2, editor->Link3, editor->Link4})
            captions.push_back(link->text().toStdString());
        return captions;
    }
};

TEST_F(BrowseTest, ViewsListTheirRowsAndOnlyEntriesCanBeChosen) {
    TEncEditorMain& window = openSmall();
    EXPECT_TRUE(window.TOC->isChecked());

    QTest::mouseClick(window.SubjectIndex, Qt::LeftButton);
    EXPECT_FALSE(window.TOC->isChecked());
    EXPECT_EQ(rows(), (std::vector<std::string>{"A", "Ardent", "B", "Bellwether", "C", "Corsair",
                                                "G", "Galactic Encyclopedia"}));
    const int letter = rowOf("B");
    EXPECT_FALSE(window.EntryRows->flags(window.EntryRows->index(letter)) & Qt::ItemIsEnabled);
    EXPECT_TRUE(window.EntryRows->index(letter + 1).data(EntryListModel::IndentRole).toBool());
    clickRow(rowOf("Corsair"));
    EXPECT_EQ(window.CurrentEntry, entry("S001"));
    const size_t lines = log().size();
    clickRow(letter);
    EXPECT_EQ(window.CurrentEntry, entry("S001"));
    EXPECT_EQ(log().size(), lines);

    // Clicking the checked mode again keeps it checked and rebuilds the same view.
    QTest::mouseClick(window.TOC, Qt::LeftButton);
    QTest::mouseClick(window.TOC, Qt::LeftButton);
    EXPECT_TRUE(window.TOC->isChecked());
    EXPECT_FALSE(window.SubjectIndex->isChecked());
    EXPECT_EQ(rows(),
              (std::vector<std::string>{"Worlds", "Ardent", "Bellwether", "Ships", "Corsair"}));
    EXPECT_FALSE(window.EntryRows->index(1).data(EntryListModel::IndentRole).toBool());
}

TEST_F(BrowseTest, SearchMatchesWholeKeywordsIgnoringCaseButNotBlanks) {
    TEncEditorMain& window = openSmall();
    struct Case {
        const char* text;
        std::vector<std::string> found;
    };
    for (const Case& search : {Case{"star", {"Ardent"}}, Case{" star", {}},
                               Case{"GALAXY", {"Ardent"}}, Case{"starbase", {"Bellwether"}}}) {
        window.FindText->setText(QString::fromLatin1(search.text));
        QTest::mouseClick(window.Find, Qt::LeftButton);
        EXPECT_EQ(rows(), search.found) << '"' << search.text << '"';
    }
    EXPECT_FALSE(window.TOC->isChecked());
    EXPECT_FALSE(window.SubjectIndex->isChecked());

    QTest::mouseClick(window.TOC, Qt::LeftButton);
    window.FindText->setText(QStringLiteral("star"));
    QTest::keyClick(window.FindText, Qt::Key_Return);
    EXPECT_EQ(rows(), std::vector<std::string>{"Ardent"});
}

TEST_F(BrowseTest, DefaultPageStandsInForHeadersAndIsShownOnce) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Ardent"));
    clickRow(rowOf("Worlds"));
    EXPECT_EQ(window.CurrentEntry, entry("EROR"));
    EXPECT_EQ(window.EntryTitle->text().toStdString(), "Galactic Encyclopedia");

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
    TEncEditorMain& window = open();
    EXPECT_EQ(window.CurrentEntry, nullptr);
    EXPECT_EQ(status(), "Status: Browsing Encyclopedia");

    clickRow(rowOf("Corsair"));
    clickRow(rowOf("Ships"));

    EXPECT_EQ(window.CurrentEntry, nullptr);
    EXPECT_TRUE(window.EntryTitle->text().isEmpty());
    EXPECT_TRUE(window.EntryDesc->toPlainText().isEmpty());
    EXPECT_EQ(linkCaptions(), std::vector<std::string>(4));
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(BrowseTest, EntryShowsTextOnLinesAndFourLinksInOrder) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Bellwether"));
    EXPECT_EQ(window.EntryDesc->toPlainText().toStdString(), "First line\nSecond line");

    clickRow(rowOf("Ardent"));
    EXPECT_EQ(linkCaptions(),
              (std::vector<std::string>{"Bellwether", "Corsair", "", "Galactic Encyclopedia"}));
    const size_t lines = log().size();
    QTest::mouseClick(window.Link3, Qt::LeftButton);
    EXPECT_EQ(window.CurrentEntry, entry("W001"));
    EXPECT_EQ(log().size(), lines);

    QTest::mouseClick(window.Link2, Qt::LeftButton);
    EXPECT_EQ(window.CurrentEntry, entry("S001"));
    EXPECT_EQ(window.EntryTitle->text().toStdString(), "Corsair");
}

TEST_F(BrowseTest, RightClickOffersTheRowsMenuWithoutChangingTheDisplay) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Ardent"));

    clickRow(rowOf("Corsair"), Qt::RightButton);
    EXPECT_TRUE(window.EntryMenu->isVisible());
    window.EntryMenu->hide();
    clickRow(rowOf("Ships"), Qt::RightButton);
    EXPECT_TRUE(window.HeaderMenu->isVisible());
    window.HeaderMenu->hide();
    QTest::mouseClick(window.SubjectIndex, Qt::LeftButton);
    clickRow(rowOf("C"), Qt::RightButton);
    EXPECT_FALSE(window.EntryMenu->isVisible());
    EXPECT_FALSE(window.HeaderMenu->isVisible());

    EXPECT_EQ(window.CurrentEntry, entry("W001"));
    for (QMenu* menu : {window.EntryMenu, window.HeaderMenu})
        EXPECT_FALSE(menu->actions().at(0)->isEnabled()) << "the menu's title is not a command";
}

TEST_F(BrowseTest, RemovedRecordLeavesDisplayLinksAndRows) {
    TEncEditorMain& window = openSmall();
    clickRow(rowOf("Corsair"));
    const T_EncEntry* ardent = entry("W001");
    ASSERT_EQ(window.LinkTarget(0), ardent);

    window.RemoveRecord(ardent);
    EXPECT_EQ(window.LinkTarget(0), nullptr);
    EXPECT_EQ(rowOf("Ardent"), -1);

    window.RemoveRecord(window.CurrentEntry);
    EXPECT_EQ(window.CurrentEntry, nullptr);
    EXPECT_TRUE(window.EntryTitle->text().isEmpty());
}

} // namespace
} // namespace krel::test
