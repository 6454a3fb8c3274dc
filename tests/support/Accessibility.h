#pragma once
// What a screen reader and a keyboard user meet in a window: every control named and described,
// and the order Tab walks the controls in.

#include <QChar>
#include <QList>
#include <QString>
#include <QWidget>
#include <map>

namespace krel::test {

// Fails the test for each control (anything taking the focus, any button, picture or link) of
// window without an accessible name and description, and when window has no control at all.
void expectDescribed(const QWidget& window, const char* windowName);

// Collects the mnemonic letters of captions that share one Alt key space; fails the test for a
// caption without a letter and for a letter two captions claim.
class DistinctMnemonics {
public:
    void take(const QString& caption);
    size_t count() const { return taken_.size(); }

private:
    std::map<QChar, QString> taken_;
};

// The window's controls that Tab reaches, in the order it reaches them from the first one.
QList<QWidget*> tabOrder(const QWidget& window);

} // namespace krel::test
