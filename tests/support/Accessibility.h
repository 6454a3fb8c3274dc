#pragma once
// What a screen reader and a keyboard user meet in a window: every control named and described,
// and the order Tab walks the controls in.

#include <QList>
#include <QWidget>

namespace krel::test {

// Fails the test for each control (anything taking the focus, any button, picture or link) of
// window without an accessible name and description, and when window has no control at all.
void expectDescribed(const QWidget& window, const char* windowName);

// The window's controls that Tab reaches, in the order it reaches them from the first one.
QList<QWidget*> tabOrder(const QWidget& window);

} // namespace krel::test
