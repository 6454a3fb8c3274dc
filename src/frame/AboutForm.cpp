#include "frame/AboutForm.h"

#include "kit/DialogControls.h"
#include "skin/Artwork.h"
#include "skin/Skin.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace krel {
namespace {

QLabel* line(const QString& text, QWidget* parent, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    if (!font.bold())
        skin::MarkPlain(label);
    return label;
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent), Picture(new QLabel(this)),
      CloseButton(new QPushButton(QStringLiteral("&Close"), this)) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About"));
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setFixedSize(73, 73);
    Picture->setPixmap(skin::PlanetPicture(73));
    Picture->setScaledContents(true);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setToolTip(QStringLiteral("Close"));
    describe(Picture, "Vastreach 3 Editor", "The program's picture.");
    describe(CloseButton, "Close", "Closes this window.");

    auto* texts = new QVBoxLayout;
    texts->addWidget(line(QStringLiteral("Vastreach 3 Editor"), this, skin::CaptionFont(12)));
    texts->addWidget(line(QStringLiteral("Version: 1.2"), this, skin::CaptionFont()));
    texts->addWidget(
        line(QStringLiteral("Graphics extracted from the game."), this, skin::TextFont()));
    texts->addSpacing(8);
    texts->addWidget(line(QStringLiteral("Written for the players who keep the Galactic\n"
                                         "Encyclopedia of Vastreach 3 growing."),
                          this, skin::TextFont(8)));
    auto* top = new QHBoxLayout;
    top->addWidget(Picture, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(footButtons({CloseButton}));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace krel
