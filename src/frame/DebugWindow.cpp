#include "frame/DebugWindow.h"

#include "kit/DialogControls.h"
#include "kit/QtText.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace krel {

TDebug::TDebug(QWidget* parent)
    : QWidget(parent), Memo(new QPlainTextEdit(this)), Button1(new QPushButton(tr("Close"), this)) {
    setObjectName(QStringLiteral("DebugForm"));
    setWindowTitle(QStringLiteral("Debug Window"));
    setMinimumSize(400, 300);
    resize(400, 300);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Button1->setObjectName(QStringLiteral("Button1"));
    describe(Memo, "Debug log",
             "What the editor did, newest line last: files read and written, searches, errors.");
    describe(Button1, "Close", "Closes the debug window; the log goes on in the background.");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo);
    layout->addLayout(footButtons({Button1}));
    connect(Button1, &QPushButton::clicked, this, &TDebug::Button1Click);
}

void TDebug::setLines(const std::vector<std::string>& lines) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        texts << ToQt(line);
    Memo->setPlainText(texts.join(QLatin1Char('\n')));
    scrollToNewest();
}

// The newest lines are the ones worth reading first.
void TDebug::scrollToNewest() {
    Memo->moveCursor(QTextCursor::End);
    Memo->verticalScrollBar()->setValue(Memo->verticalScrollBar()->maximum());
}

void TDebug::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    scrollToNewest();
}

void TDebug::appendLine(const std::string& line) {
    Memo->appendPlainText(ToQt(line));
}

void TDebug::deleteFirstLine() {
    QTextCursor cursor(Memo->document()->firstBlock());
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    if (cursor.atBlockStart() && cursor.position() > 0)
        cursor.removeSelectedText();
    else
        Memo->clear();
}

int TDebug::lineCount() const {
    return Memo->document()->isEmpty() ? 0 : Memo->document()->blockCount();
}

QStringList TDebug::memoLines() const {
    return lineCount() == 0 ? QStringList() : Memo->toPlainText().split(QLatin1Char('\n'));
}

void TDebug::closeEvent(QCloseEvent* event) {
    emit closed();
    event->accept();
}

void TDebug::Button1Click() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

} // namespace krel
