#include "dialogs/ExportForm.h"

#include "kit/DialogControls.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace krel {

TExportForm::TExportForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExportForm"));
    setWindowTitle(QStringLiteral("Export"));
    Label1 = new QLabel(QStringLiteral("Export to:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Header = choiceButton("Header", "&Text Files", this);
    Zip = choiceButton("Zip", ".&ZIP File", this);
    SSHoverText1 = dialogButton("SSHoverText1", "&Export", "Next", this);
    SSHoverText1->setDefault(true);
    CloseBut = dialogButton("CloseBut", "&Cancel", "Cancel", this);
    Exe = choiceButton("Exe", ".EXE File", this);
    Exe->setEnabled(false);
    describe(Header, "Text files", "Writes the two text files into the program's folder.");
    describe(Zip, "ZIP file", "Writes one ZIP archive holding both files.");
    describe(Exe, "EXE file", "Not offered.");
    exclusiveChoices(this, {Header, Zip, Exe});
    connect(Header, &QRadioButton::clicked, this, &TExportForm::HeaderClick);
    connect(CloseBut, &QPushButton::clicked, this, &QDialog::reject);
    connect(SSHoverText1, &QPushButton::clicked, this, &QDialog::accept);

    layOutChooser(this, Label1, {Header, Zip, Exe}, footButtons({CloseBut, SSHoverText1}));
    setFixedSize(238, 197);
}

void TExportForm::HeaderClick() {
    if (!Header->isChecked())
        Header->setChecked(true);
}

bool TExportForm::WantsArchive() const {
    return Zip->isChecked();
}

} // namespace krel
