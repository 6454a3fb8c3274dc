#include "ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace krel::test {

void WhenModalShown(std::function<void(QWidget*)> action, int timeoutMs) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, clock, action, timeoutMs] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            action(dialog);
        } else if (clock->elapsed() > timeoutMs) {
            poll->deleteLater();
            poll->stop();
            ADD_FAILURE() << "no modal dialog appeared";
        }
    });
    poll->start();
}

} // namespace krel::test
