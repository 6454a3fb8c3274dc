#pragma once
// The program's help: HTML pages shipped beside the executable (or in the installed data
// folder), shown in a browser window of their own with Contents, Index, Back and Forward.

#include <QWidget>

class QTextBrowser;
class QToolBar;

namespace krel {

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    QTextBrowser* Browser;

    // Shows one page ("contents.html", "index.html"); throws when the pages are not installed.
    void showPage(const QString& page);

private:
    QToolBar* buildToolBar();
};

} // namespace krel
