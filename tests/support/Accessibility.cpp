#include "Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <gtest/gtest.h>
#include <string>

namespace krel::test {
namespace {

bool isControl(const QWidget& widget) {
    return widget.focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(&widget) ||
           widget.inherits("krel::TDisplayPicture") || widget.inherits("krel::TDisplayLink") ||
           widget.inherits("krel::TPictureBox");
}

} // namespace

void expectDescribed(const QWidget& window, const char* windowName) {
    int controls = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!isControl(*widget))
            continue;
        ++controls;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(face, nullptr);
        const std::string control = std::string(windowName) + ": " +
                                    widget->metaObject()->className() + " " +
                                    widget->objectName().toStdString();
        EXPECT_FALSE(face->text(QAccessible::Name).isEmpty()) << control;
        EXPECT_FALSE(face->text(QAccessible::Description).isEmpty()) << control;
    }
    EXPECT_GT(controls, 0) << windowName;
}

QList<QWidget*> tabOrder(const QWidget& window) {
    QList<QWidget*> order;
    for (QWidget* widget = window.nextInFocusChain(); widget != &window;
         widget = widget->nextInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&window) &&
            window.isAncestorOf(widget) && !widget->focusProxy())
            order << widget;
    }
    return order;
}

void DistinctMnemonics::take(const QString& caption) {
    const qsizetype mark = caption.indexOf(QLatin1Char('&'));
    ASSERT_TRUE(mark >= 0 && mark + 1 < caption.size()) << caption.toStdString();
    const QChar letter = caption.at(mark + 1).toLower();
    EXPECT_TRUE(taken_.emplace(letter, caption).second)
        << caption.toStdString() << " and " << taken_[letter].toStdString();
}

} // namespace krel::test
