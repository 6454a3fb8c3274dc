#pragma once
// The progress window shown while the encyclopedia is parsed or an archive is written. It has
// no behaviour of its own: its owner sets the caption, the step text and the gauge, shows it
// and closes it.

#include <QDialog>

class QLabel;
class QProgressBar;

namespace krel {

class TProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* owner);

    QLabel* Label1;       // "Information:"
    QLabel* ProcLabel;    // the current step
    QProgressBar* Gauge1; // 0 to 100
    QLabel* CaptionLabel; // the caption, drawn inside the borderless window

    void setCaption(const QString& caption);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace krel
