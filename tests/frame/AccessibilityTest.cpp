// The frame's windows are usable from the keyboard and by screen reader: every control named
// and described, the options' mnemonics distinct and Tab following the layout, Cancel last.

#include "support/Accessibility.h"

#include "ShellFixture.h"
#include "frame/AboutForm.h"
#include "frame/DebugWindow.h"
#include "frame/HelpWindow.h"
#include "frame/OptionsDialog.h"
#include "kit/DirSelect.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {
using namespace krel;
using namespace krel::test;

using FrameAccessibility = ShellTest;

TEST_F(FrameAccessibility, EveryControlOfEachWindowHasANameAndADescription) {
    startFrame();
    struct Window {
        const char* name;
        std::function<std::unique_ptr<QWidget>()> make;
    };
    const Window windows[] = {
        {"options",
         [&] {
             return std::make_unique<TKrelEditorOptions>(*frame);
         }},
        {"about",
         [] {
             return std::make_unique<TAboutForm>();
         }},
        {"help",
         [] {
             return std::make_unique<THelpWindow>();
         }},
        {"folder chooser",
         [] {
             return std::make_unique<TDirSelect>();
         }},
        {"debug",
         [] {
             return std::make_unique<TDebug>();
         }},
    };
    expectDescribed(*frame, "frame");
    for (const QAction* menu : frame->menuBar()->actions())
        for (const QAction* item : menu->menu()->actions())
            EXPECT_TRUE(item->isSeparator() || !item->statusTip().isEmpty())
                << item->text().toStdString() << " says what it is for";
    for (const Window& window : windows)
        expectDescribed(*window.make(), window.name);
}

// Each caption's mnemonic letter reaches one control only, whichever page shows it.
TEST_F(FrameAccessibility, OptionsMnemonicsAreDistinctAndTabEndsWithApplyThenCancel) {
    startFrame();
    TKrelEditorOptions options(*frame);
    DistinctMnemonics letters;
    for (const QLabel* label : options.findChildren<QLabel*>())
        if (label->buddy())
            letters.take(label->text());
    for (const QPushButton* button : options.findChildren<QPushButton*>())
        if (!button->text().isEmpty())
            letters.take(button->text());
    EXPECT_GE(letters.count(), 9u) << "the captions of the fields and groups have buddies";

    options.show();
    options.OptionTree->setCurrentItem(
        options.node(QStringLiteral("Directories"), QStringLiteral("General")));
    const QList<QWidget*> order = tabOrder(options);
    ASSERT_GE(order.size(), 4);
    EXPECT_EQ(order.front(), options.OptionTree);
    EXPECT_EQ(order.mid(order.size() - 2), (QList<QWidget*>{options.Apply, options.Cancel}));
}

} // namespace
