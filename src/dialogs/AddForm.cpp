#include "AddForm.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace krel {
namespace {

QPushButton* button(const char* name, const char* text, const char* hint, QWidget* parent) {
    auto* made = new QPushButton(QString::fromLatin1(text), parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setToolTip(QString::fromLatin1(hint));
    made->setAutoDefault(false);
    return made;
}

QRadioButton* radio(const char* name, const char* text, QWidget* parent) {
    auto* made = new QRadioButton(QString::fromLatin1(text), parent);
    made->setObjectName(QString::fromLatin1(name));
    return made;
}

} // namespace

TAddForm::TAddForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EncAddForm"));
    setWindowTitle(QStringLiteral("Add Entry"));
    Label1 = new QLabel(QStringLiteral("Add New:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Header = radio("Header", "Enyclopedia Header", this);
    Entry = radio("Entry", "Encyclopedia Entry", this);
    // One group keeps exactly one of the two choices.
    auto* choice = new QButtonGroup(this);
    choice->addButton(Header);
    choice->addButton(Entry);
    Header->setChecked(true);
    CloseBut = button("CloseBut", "Cancel", "Cancel", this);
    SSHoverText1 = button("SSHoverText1", "Next >>", "Next", this);
    SSHoverText1->setDefault(true);
    connect(CloseBut, &QPushButton::clicked, this, &QDialog::reject);
    connect(SSHoverText1, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseBut);
    buttons->addWidget(SSHoverText1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addWidget(Label1);
    layout->addSpacing(6);
    layout->addWidget(Header);
    layout->addWidget(Entry);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(238, 181);
}

} // namespace krel
