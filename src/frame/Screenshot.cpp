#include "frame/Screenshot.h"

#include "frame/AboutForm.h"
#include "frame/DebugWindow.h"
#include "frame/HelpWindow.h"
#include "frame/MainForm.h"
#include "frame/OptionsDialog.h"
#include "frame/ToolScreens.h"
#include "kit/Dialogs.h"
#include "kit/DirSelect.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <functional>
#include <map>

namespace krel {
namespace {

using Opener = std::function<QWidget*(TKrelEditMainForm&)>;

// Nobody answers boxes during a screenshot: each one is printed and answered with its first
// button, so a window that tells something before it opens (the editor extracting the game's
// copy) still opens, and a failure shows on the terminal instead of waiting forever.
class PrintedAnswers : public DialogService {
public:
    MsgButton message(QWidget*, const MessageCall& call) override {
        std::fprintf(stderr, "%s\n", qPrintable(call.text));
        return call.buttons.empty() ? MsgButton::Ok : call.buttons.front();
    }
    QStringList openFiles(QWidget*, const QString&, const QString&, bool, const QString&) override {
        return {};
    }
    std::optional<QString> chooseFolder(QWidget*, const QString&) override { return {}; }
};

QWidget* openOptions(TKrelEditMainForm& frame, const char* node, const char* parent) {
    auto* options = new TKrelEditorOptions(frame, &frame);
    options->setAttribute(Qt::WA_DeleteOnClose);
    options->fillFrom(frame.Preferences);
    options->listGameFolders(frame.GameFolders());
    if (node)
        options->OptionTree->setCurrentItem(
            options->node(QString::fromLatin1(node), QString::fromLatin1(parent)));
    options->show();
    return options;
}

QWidget* openDebug(TKrelEditMainForm& frame) {
    for (const char* line :
         {"Processing wStrings.mob.", "-> .mob Entry: wStrings/wsEncyclopedia.txtSize: 48120",
          "Finished processing wStrings.mob.", "Launching Parser Thread ...",
          "-> Table of Contents", "Parser thread completed ..."})
        frame.DebugList->append(line);
    frame.DebugWindow1->trigger();
    return &frame;
}

QWidget* openDirSelect(TKrelEditMainForm& frame) {
    auto* chooser = new TDirSelect(&frame);
    chooser->setWindowTitle(QStringLiteral("Base Vastreach 3 Directory"));
    chooser->selectFolder(QDir::homePath());
    chooser->show();
    return chooser;
}

QWidget* openHelp(TKrelEditMainForm& frame, bool index) {
    index ? frame.Index1Click() : frame.Contents1Click();
    return frame.helpWindow();
}

const std::map<QString, Opener>& openers() {
    static const std::map<QString, Opener> table{
        {"frame",
         [](TKrelEditMainForm& f) {
             return static_cast<QWidget*>(&f);
         }},
        {"options",
         [](TKrelEditMainForm& f) {
             return openOptions(f, nullptr, nullptr);
         }},
        {"options-directories",
         [](TKrelEditMainForm& f) {
             return openOptions(f, "Directories", "General");
         }},
        {"options-merge",
         [](TKrelEditMainForm& f) {
             return openOptions(f, "Merge", "Encyclopedia");
         }},
        {"options-loading",
         [](TKrelEditMainForm& f) {
             return openOptions(f, "Loading", "Encyclopedia");
         }},
        {"dirselect", openDirSelect},
        {"debug", openDebug},
        {"about",
         [](TKrelEditMainForm& f) {
             auto* about = new TAboutForm(&f);
             about->show();
             return static_cast<QWidget*>(about);
         }},
        {"help-contents",
         [](TKrelEditMainForm& f) {
             return openHelp(f, false);
         }},
        {"help-index",
         [](TKrelEditMainForm& f) {
             return openHelp(f, true);
         }},
        {"changes", OpenChangesForScreenshot},
        {"merge-preview", OpenMergePreviewForScreenshot},
        {"editor",
         [](TKrelEditMainForm& f) {
             f.OpenEncyclopediaEditor1->trigger();
             return static_cast<QWidget*>(&f);
         }},
    };
    return table;
}

} // namespace

QStringList ScreenshotWindows() {
    QStringList names;
    for (const auto& [name, opener] : openers())
        names << name;
    return names;
}

bool ParseScreenshotArguments(const QStringList& arguments, QString& window, QString& file) {
    int at = static_cast<int>(arguments.indexOf(QStringLiteral("--screenshot-window")));
    int out = static_cast<int>(arguments.indexOf(QStringLiteral("--screenshot-out")));
    if (at >= 0 && at + 1 < arguments.size())
        window = arguments.at(at + 1);
    if (out >= 0 && out + 1 < arguments.size())
        file = arguments.at(out + 1);
    if (!openers().count(window) || file.isEmpty()) {
        std::fprintf(stderr,
                     "usage: --screenshot-window NAME --screenshot-out FILE.png\n"
                     "NAME is one of: %s\n",
                     qPrintable(ScreenshotWindows().join(QStringLiteral(", "))));
        return false;
    }
    return true;
}

void AnswerBoxesUnseen() {
    static PrintedAnswers answers;
    InstallDialogs(&answers);
}

void RunScreenshot(TKrelEditMainForm& frame, const QString& window, const QString& file) {
    QTimer::singleShot(400, &frame, [&frame, window, file] {
        QWidget* shown = openers().at(window)(frame);
        QTimer::singleShot(800, &frame, [shown, file] {
            const bool saved = shown && shown->grab().save(file, "PNG");
            if (!saved)
                std::fprintf(stderr, "could not save %s\n", qPrintable(file));
            QCoreApplication::exit(saved ? 0 : 1);
        });
    });
}

} // namespace krel
