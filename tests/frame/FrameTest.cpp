#include "ShellFixture.h"
#include "common/AtomicFile.h"
#include "frame/DebugWindow.h"
#include "frame/HelpWindow.h"
#include "kit/GuiGuard.h"
#include "kit/HintFilter.h"
#include "settings/WorkFolder.h"
#include "support/FakeGame.h"

#include <QAction>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;
using namespace krel::test;

KREL_UNIT_ERROR(EInnerError);

// The menus as the user reads them, each caption with its mnemonic letter in brackets.
QStringList menuLayout(QMenuBar* bar) {
    auto caption = [](const QAction* action) {
        QString text = action->text();
        const qsizetype mark = text.indexOf(QLatin1Char('&'));
        if (mark < 0 || mark + 1 >= text.size())
            return text + QStringLiteral("[?]");
        const QChar letter = text.at(mark + 1);
        return text.remove(mark, 1) + QLatin1Char('[') + letter + QLatin1Char(']');
    };
    QStringList out;
    for (QAction* menu : bar->actions()) {
        QStringList items;
        for (QAction* item : menu->menu()->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : caption(item));
        out << caption(menu) + ": " + items.join(QLatin1Char('|'));
    }
    return out;
}

class Frame : public ShellTest {
protected:
    fs::path game;
    void startWithGame(bool complete = true) {
        game = MakeFakeGame(env.root() / "game", {.executable = true, .library = complete});
        env.writeUserSettings(StoredSettings(path(game), path(env.root() / "work")));
        startFrame();
    }
};

TEST_F(Frame, MenusInTheirOrder) {
    startFrame();
    EXPECT_EQ(frame->windowTitle(), "Vastreach 3 Editor");
    EXPECT_EQ(
        menuLayout(frame->menuBar()),
        (QStringList{"Editors[E]: Encyclopedia Editor[E]|-|Exit[x]", "Edit[d]: Undo[U]|Redo[R]",
                     "Windows[W]: Cascade[C]|Tile[T]|Arrange All[A]|-|Debug Window[D]",
                     "Tools[T]: Changes...[C]|Merge with Preview...[P]",
                     "Options[O]: Editor Options ...[O]",
                     "Help[H]: Contents[C]|Index[I]|-|About[A]"}));
    EXPECT_EQ(frame->Exit1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(frame->Contents1->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(Frame, ComesBackWhereTheUserLeftIt) {
    startFrame();
    frame->show();
    frame->setGeometry(40, 50, 900, 700);
    frame->close();
    startFrame();
    EXPECT_EQ(frame->geometry(), QRect(40, 50, 900, 700));
    EXPECT_FALSE(frame->windowState() & Qt::WindowMaximized);

    frame->showMaximized();
    frame->close();
    startFrame();
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    EXPECT_NE(env.userSettings().find("[HKEY_CURRENT_USER\\Software\\KrelEditor\\Windows]"),
              std::string::npos)
        << "kept under a key of its own, apart from the six settings";

    // A place on no screen, or a damaged value, leaves the frame as designed.
    std::string stored = env.userSettings();
    const size_t left = stored.find("\"FrameLeft\"=");
    ASSERT_NE(left, std::string::npos);
    stored.replace(left, stored.find('\n', left) - left, "\"FrameLeft\"=\"far away\"");
    env.writeUserSettings(stored);
    startFrame();
    EXPECT_EQ(frame->size(), QSize(996, 785));
}

TEST_F(Frame, TheEditorCommandNeedsAGameFolderAndOpensOneWindowOnly) {
    startWithGame(false);
    EXPECT_FALSE(frame->OpenEncyclopediaEditor1->isEnabled()) << "binkw32.dll is missing";
    EXPECT_TRUE(dialogs.messages.empty()) << "no message at start-up";

    startWithGame(true);
    ASSERT_TRUE(frame->OpenEncyclopediaEditor1->isEnabled());
    frame->OpenEncyclopediaEditor1->trigger();
    QWidget* editor = frame->editorWindow();
    ASSERT_NE(editor, nullptr);
    frame->DebugWindow1->trigger();
    QMdiSubWindow* active = frame->MdiArea->activeSubWindow();
    frame->OpenEncyclopediaEditor1->trigger();
    EXPECT_EQ(frame->editorWindow(), editor);
    EXPECT_EQ(frame->MdiArea->activeSubWindow(), active)
        << "the open editor is not brought forward";

    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame->editorWindow(), nullptr);
    frame->OpenEncyclopediaEditor1->trigger();
    EXPECT_NE(frame->editorWindow(), nullptr) << "a closed editor can be opened again";
}

TEST_F(Frame, TheDebugWindowShowsTheWholeLogThenKeeps257Lines) {
    startFrame();
    frame->show();
    const int firstRun = static_cast<int>(frame->DebugList->size()); // the search for the game
    for (int i = 1; i <= 1000; ++i)
        frame->DebugList->append("line " + std::to_string(i));
    frame->DebugWindow1->trigger();
    ASSERT_TRUE(frame->DebugForm);
    EXPECT_TRUE(frame->DebugWindow1->isChecked());
    EXPECT_EQ(frame->DebugForm->lineCount(), firstRun + 1000);
    const QScrollBar* scroll = frame->DebugForm->Memo->verticalScrollBar();
    EXPECT_EQ(scroll->value(), scroll->maximum()) << "opens on the newest line";
    EXPECT_GE(frame->DebugForm->width(), 600) << "wide enough for the archive listing";
    frame->DebugList->append("line 1001");
    QStringList shown = frame->DebugForm->memoLines();
    EXPECT_EQ(shown.size(), 257);
    EXPECT_EQ(shown.front(), "line 745");
    EXPECT_EQ(shown.back(), "line 1001");

    QTest::mouseClick(frame->DebugForm->Button1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frame->DebugForm);
    EXPECT_FALSE(frame->DebugWindow1->isChecked());
    frame->DebugList->append("while closed");
    frame->DebugWindow1Click();
    ASSERT_TRUE(frame->DebugForm);
    EXPECT_EQ(frame->DebugForm->lineCount(), firstRun + 1002);
    EXPECT_EQ(frame->DebugForm->memoLines().back(), "while closed");
    frame->DebugWindow1Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frame->DebugForm);
    EXPECT_EQ(frame->MdiArea->subWindowList().size(), 0);
}

TEST_F(Frame, ErrorBoxesChainRoutineNamesAndEndWithAFullStopOnlyAfterLettersOrDigits) {
    auto inner = [] {
        krel::guarded<EInnerError>("BuildList()", [] { throw std::runtime_error("no entries"); });
    };
    dialogs.answer(krel::MsgButton::Ok);
    EXPECT_FALSE(krel::guiGuard(
        nullptr, [&] { krel::guarded<krel::EKrelEditMainFormError>("FormShow()", inner); }));
    EXPECT_EQ(dialogs.texts().at(0), "FormShow()\nBuildList()\nno entries.");

    struct Case {
        const char* message;
        const char* shown;
    };
    for (const Case& c : std::vector<Case>{{"word", "word."},
                                           {"ends with 9", "ends with 9."},
                                           {"dot.", "dot."},
                                           {"call()", "call()"},
                                           {"'quoted'", "'quoted'"},
                                           {"", ""},
                                           {"caf\xE9", "caf\xC3\xA9."},
                                           {"a\r\nb\rc", "a\nb\nc."}})
        EXPECT_EQ(krel::ErrorBoxText(c.message).toStdString(), c.shown) << c.message;
}

TEST_F(Frame, ClosingEmptiesTheMarkedWorkFolderWhateverCleanupSays) {
    fs::path work = env.root() / "work";
    env.writeUserSettings(StoredSettings("/nowhere", path(work), false));
    startFrame();
    krel::WriteFileAtomic(work / "wsEncyclopedia.txt", "x");
    fs::create_directories(work / "nested/deeper");
    krel::WriteFileAtomic(work / "nested/deeper/f", "x");
    frame->close();
    EXPECT_TRUE(fs::is_directory(work));
    EXPECT_FALSE(fs::exists(work / "wsEncyclopedia.txt"));
    EXPECT_FALSE(fs::exists(work / "nested"));
}

TEST_F(Frame, HelpPagesAreFoundBesideTheProgram) {
    startFrame();
    dialogs.answer(krel::MsgButton::Ok);
    frame->Contents1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(
        dialogs.texts()[0].rfind("Contents1Click()\nThe help page 'contents.html' is missing", 0),
        0u);

    fs::create_directories(env.programFolder() / "help");
    for (const char* page : {"contents", "index"})
        krel::WriteFileAtomic(env.programFolder() / "help" / (std::string(page) + ".html"),
                              std::string("<html><head><title>") + page +
                                  "</title></head><body>page</body></html>");
    frame->Index1->trigger();
    ASSERT_NE(frame->helpWindow(), nullptr);
    EXPECT_EQ(frame->helpWindow()->Browser->documentTitle(), "index");
    frame->Contents1->trigger();
    EXPECT_EQ(frame->helpWindow()->Browser->documentTitle(), "contents");
}

TEST_F(Frame, LongHintsWrapAt300PixelsAndShortOnesStayOnOneLine) {
    startFrame();
    const QString longHint =
        QString("Exports the current encyclopedia into either files, a zip file, or "
                "a self extracting executable. ")
            .repeated(3);
    const QString wrapped = krel::WrapHintText(longHint, QToolTip::font());
    QString plain = wrapped;
    plain.remove(QRegularExpression("<[^>]*>"));
    const QStringList lines = plain.split('\n');
    EXPECT_GT(lines.size(), 2);
    QFontMetrics metrics(QToolTip::font());
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), krel::kHintMaxWidth) << line.toStdString();
    EXPECT_EQ(krel::WrapHintText("Apply", QToolTip::font()).count('\n'), 0);

    QPushButton button("Export", frame.get());
    button.setToolTip(longHint);
    frame->show();
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), button.mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(&button, &event);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), wrapped);
    QToolTip::hideText();
}

} // namespace
