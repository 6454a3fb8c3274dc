#include "frame/HelpWindow.h"

#include "kit/GuiGuard.h"
#include "settings/Paths.h"

#include <QAction>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
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
    auto add = [this, bar](const char* text, auto slot) {
        QAction* action = bar->addAction(QString::fromLatin1(text));
        connect(action, &QAction::triggered, this, [this, slot] { guiGuard(this, slot); });
        return action;
    };
    add("Contents", [this] { showPage(QStringLiteral("contents.html")); });
    add("Index", [this] { showPage(QStringLiteral("index.html")); });
    bar->addSeparator();
    QAction* back = add("Back", [this] { Browser->backward(); });
    QAction* forward = add("Forward", [this] { Browser->forward(); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(Browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
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
