#include "editor/ProgressForm.h"

#include "kit/DialogControls.h"
#include "skin/Skin.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace krel {
namespace {

constexpr int kWidth = 427;
constexpr int kHeight = 201;

QLabel* makeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

TProgressForm::TProgressForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Label1(makeLabel("Label1", QStringLiteral("Information:"), this)),
      ProcLabel(makeLabel("ProcLabel", QString(), this)), Gauge1(new QProgressBar(this)),
      CaptionLabel(makeLabel("CaptionLabel", QString(), this)) {
    setObjectName(QStringLiteral("ProgressForm"));
    setFixedSize(kWidth, kHeight);
    setStyleSheet(QStringLiteral("#ProgressForm { background: #ADC6DE; border: 2px solid #30485F; }"
                                 "#CaptionLabel { background: #30485F; color: white;"
                                 " padding: 4px 8px; }"
                                 "QProgressBar::chunk { background: #4E6C8A; }"));
    CaptionLabel->setFont(skin::CaptionFont(10));
    Label1->setFont(skin::CaptionFont(9));
    ProcLabel->setFont(skin::TextFont(10));
    ProcLabel->setAlignment(Qt::AlignCenter);
    ProcLabel->setWordWrap(true);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setTextVisible(true);
    describe(Gauge1, "Progress", "How much of the work under way is done.");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(CaptionLabel);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 10, 16, 16);
    body->addWidget(Label1);
    body->addWidget(ProcLabel, 1);
    body->addWidget(Gauge1);
    layout->addLayout(body, 1);
    setCaption(QStringLiteral("Processing"));
}

void TProgressForm::setCaption(const QString& caption) {
    setWindowTitle(caption);
    CaptionLabel->setText(caption);
}

void TProgressForm::showEvent(QShowEvent* event) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    QDialog::showEvent(event);
}

} // namespace krel
