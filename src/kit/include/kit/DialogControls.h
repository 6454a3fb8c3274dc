#pragma once

#include <QString>
#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

// The controls every dialog of the editor builds the same way, so they look and behave alike.
namespace krel {

template <class Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// What a screen reader says for a control: its name and what it is for.
void describe(QWidget* control, const char* name, const char* description);

// Return, Enter or Space: the keys that act on a list row, link or picture with the focus.
bool IsActivationKey(int key);

// A push button that never takes Enter by itself: only the dialog's chosen default does.
QPushButton* dialogButton(const char* name, const char* text, const char* hint, QWidget* parent);

QRadioButton* choiceButton(const char* name, const char* text, QWidget* parent);

// The row of buttons at the foot of a dialog, pushed to the right, in the order given.
QHBoxLayout* footButtons(std::initializer_list<QWidget*> buttons);

// Groups the choices so exactly one stays checked, starting with the first.
void exclusiveChoices(QWidget* owner, std::initializer_list<QRadioButton*> choices);

// The small "pick one, then go on" dialogs: a caption, the choices under it, the buttons below.
void layOutChooser(QWidget* dialog, QLabel* caption, std::initializer_list<QRadioButton*> choices,
                   QHBoxLayout* buttons);

} // namespace krel
