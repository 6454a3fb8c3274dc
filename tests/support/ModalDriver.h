#pragma once
// Drives a modal dialog that the code under test opens with exec(): the action runs once the
// dialog is up and must close it. If no dialog appears within the time allowed, the test fails
// and nothing waits forever.

#include <QWidget>
#include <functional>

namespace krel::test {

void WhenModalShown(std::function<void(QWidget* dialog)> action, int timeoutMs = 5000);

} // namespace krel::test
