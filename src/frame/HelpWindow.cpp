#include "frame/HelpWindow.h"

#include "kit/DialogControls.h"
#include "kit/GuiGuard.h"
#include "settings/Paths.h"

#include <QAction>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <stdexcept>

namespace krel {

THelpWindow::THelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), Browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Vastreach 3 Editor Help"));
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenExternalLinks(true);
    Browser->document()->setDocumentMargin(14);
    describe(Browser, "Help page",
             "The help page on display; Tab reaches its links, Return follows one, Alt+Left "
             "goes back.");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildToolBar());
    layout->addWidget(Browser);
    resize(640, 560);
    connect(Browser, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(QStringLiteral("Vastreach 3 Editor Help - ") + Browser->documentTitle());
    });
}

QToolBar* THelpWindow::buildToolBar() {
    auto* bar = new QToolBar(this);
    // The hint is what a screen reader says the button is for, and the mouse's tooltip.
    auto add = [this, bar](const char* text, const char* hint, auto slot) {
        QAction* action = bar->addAction(QString::fromLatin1(text));
        action->setToolTip(QString::fromLatin1(hint));
        connect(action, &QAction::triggered, this, [this, slot] { guiGuard(this, slot); });
        return action;
    };
    add("Contents", "Shows the list of help pages.",
        [this] { showPage(QStringLiteral("contents.html")); });
    add("Index", "Shows the index of subjects.",
        [this] { showPage(QStringLiteral("index.html")); });
    bar->addSeparator();
    QAction* back =
        add("Back", "Goes back to the page shown before.", [this] { Browser->backward(); });
    QAction* forward =
        add("Forward", "Goes forward to the page left by Back.", [this] { Browser->forward(); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(Browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    // The bar's own button for the commands that do not fit is the one without a command.
    for (QToolButton* button : bar->findChildren<QToolButton*>())
        if (!button->defaultAction())
            describe(button, "More commands", "Shows the commands that do not fit in the bar.");
    return bar;
}

void THelpWindow::showPage(const QString& page) {
    auto file = FindDataFile("help/" + page.toStdString());
    if (!file)
        throw std::runtime_error("The help page '" + page.toStdString() +
                                 "' is missing; it belongs in the folder 'help' beside the "
                                 "program");
    Browser->setSource(QUrl::fromLocalFile(QString::fromStdString(file->string())));
}

} // namespace krel
