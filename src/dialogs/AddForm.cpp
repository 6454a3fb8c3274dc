#include "dialogs/AddForm.h"

#include "kit/DialogControls.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace krel {

TAddForm::TAddForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EncAddForm"));
    setWindowTitle(QStringLiteral("Add Entry"));
    Label1 = new QLabel(QStringLiteral("Add New:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Header = choiceButton("Header", "Enyclopedia &Header", this);
    Entry = choiceButton("Entry", "Encyclopedia &Entry", this);
    exclusiveChoices(this, {Header, Entry});
    describe(Header, "Header", "A new header, which groups entries.");
    describe(Entry, "Entry", "A new entry with its text and picture.");
    CloseBut = dialogButton("CloseBut", "&Cancel", "Cancel", this);
    SSHoverText1 = dialogButton("SSHoverText1", "&Next >>", "Next", this);
    SSHoverText1->setDefault(true);
    connect(CloseBut, &QPushButton::clicked, this, &QDialog::reject);
    connect(SSHoverText1, &QPushButton::clicked, this, &QDialog::accept);

    layOutChooser(this, Label1, {Header, Entry}, footButtons({CloseBut, SSHoverText1}));
    setFixedSize(238, 181);
}

bool TAddForm::WantsHeader() const {
    return Header->isChecked();
}

} // namespace krel
