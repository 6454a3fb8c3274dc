#pragma once
// TAddForm: asks whether the editor's add command should create a header or an entry. On OK
// the caller asks WantsHeader.

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace krel {

class TAddForm : public QDialog {
    Q_OBJECT
public:
    explicit TAddForm(QWidget* parent = nullptr);

    QLabel* Label1;
    QRadioButton* Header;
    QRadioButton* Entry;
    QPushButton* CloseBut;
    QPushButton* SSHoverText1;

    // The choice: a new header (else a new entry).
    bool WantsHeader() const;
};

} // namespace krel
