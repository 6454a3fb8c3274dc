#include "kit/DialogControls.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace krel {

void describe(QWidget* control, const char* name, const char* description) {
    control->setAccessibleName(QString::fromLatin1(name));
    control->setAccessibleDescription(QString::fromLatin1(description));
}

bool IsActivationKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

QPushButton* dialogButton(const char* name, const char* text, const char* hint, QWidget* parent) {
    auto* made = named(new QPushButton(QString::fromLatin1(text), parent), name);
    made->setToolTip(QString::fromLatin1(hint));
    made->setAutoDefault(false);
    return made;
}

QRadioButton* choiceButton(const char* name, const char* text, QWidget* parent) {
    return named(new QRadioButton(QString::fromLatin1(text), parent), name);
}

QHBoxLayout* footButtons(std::initializer_list<QWidget*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* button : buttons)
        row->addWidget(button);
    return row;
}

void exclusiveChoices(QWidget* owner, std::initializer_list<QRadioButton*> choices) {
    auto* group = new QButtonGroup(owner);
    for (QRadioButton* choice : choices)
        group->addButton(choice);
    (*choices.begin())->setChecked(true);
}

void layOutChooser(QWidget* dialog, QLabel* caption, std::initializer_list<QRadioButton*> choices,
                   QHBoxLayout* buttons) {
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addWidget(caption);
    layout->addSpacing(6);
    for (QRadioButton* choice : choices)
        layout->addWidget(choice);
    layout->addStretch();
    layout->addLayout(buttons);
}

} // namespace krel
