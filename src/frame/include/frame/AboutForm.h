#pragma once
// The about box.

#include <QDialog>

class QLabel;
class QPushButton;

namespace krel {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    QLabel* Picture;
    QPushButton* CloseButton;
};

} // namespace krel
