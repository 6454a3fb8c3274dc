#pragma once
// TExportForm: asks what the editor's export command should make of the encyclopedia. On OK the
// caller asks WantsArchive: "Encyclopedia.zip" (Zip), else the two text files (Header).
// Exe stands for a self-extracting program that is not made; it is shown disabled.

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace krel {

class TExportForm : public QDialog {
    Q_OBJECT
public:
    explicit TExportForm(QWidget* parent = nullptr);

    QLabel* Label1;
    QRadioButton* Header;
    QRadioButton* Zip;
    QPushButton* SSHoverText1;
    QPushButton* CloseBut;
    QRadioButton* Exe;

    // Makes "Text Files" the choice.
    void HeaderClick();
    // The choice: the archive (else the two text files).
    bool WantsArchive() const;
};

} // namespace krel
