#include "ExportForm.h"

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

TExportForm::TExportForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExportForm"));
    setWindowTitle(QStringLiteral("Export"));
    Label1 = new QLabel(QStringLiteral("Export to:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Header = radio("Header", "Text Files", this);
    Zip = radio("Zip", ".ZIP File", this);
    SSHoverText1 = button("SSHoverText1", "Export", "Next", this);
    SSHoverText1->setDefault(true);
    CloseBut = button("CloseBut", "Cancel", "Cancel", this);
    Exe = radio("Exe", ".EXE File", this);
    Exe->setEnabled(false);
    // One group keeps exactly one choice checked.
    auto* choice = new QButtonGroup(this);
    for (QRadioButton* kind : {Header, Zip, Exe})
        choice->addButton(kind);
    Header->setChecked(true);
    connect(Header, &QRadioButton::clicked, this, &TExportForm::HeaderClick);
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
    for (QRadioButton* kind : {Header, Zip, Exe})
        layout->addWidget(kind);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(238, 197);
}

void TExportForm::HeaderClick() {
    if (!Header->isChecked())
        Header->setChecked(true);
}

} // namespace krel
