#include "editor/EditorWidgets.h"

#include "kit/DialogControls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace krel {

TDisplayLink::TDisplayLink(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setHovered(false);
}

void TDisplayLink::setHovered(bool hovered) {
    hovered_ = hovered;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, hovered ? Qt::red : Qt::black);
    setPalette(colours);
}

void TDisplayLink::enterEvent(QEnterEvent* event) {
    setHovered(true);
    QLabel::enterEvent(event);
}

void TDisplayLink::leaveEvent(QEvent* event) {
    setHovered(false);
    QLabel::leaveEvent(event);
}

// The link with the keyboard focus is underlined, and Return, Enter or Space follow it.
void TDisplayLink::keyPressEvent(QKeyEvent* event) {
    if (IsActivationKey(event->key())) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TDisplayLink::focusInEvent(QFocusEvent* event) {
    setUnderlined(true);
    QLabel::focusInEvent(event);
}

void TDisplayLink::focusOutEvent(QFocusEvent* event) {
    setUnderlined(false);
    QLabel::focusOutEvent(event);
}

void TDisplayLink::setUnderlined(bool underlined) {
    QFont shown = font();
    shown.setUnderline(underlined);
    setFont(shown);
}

void TDisplayLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

TDisplayPicture::TDisplayPicture(QSize size, QWidget* parent) : QWidget(parent) {
    setFixedSize(size);
    setAttribute(Qt::WA_TranslucentBackground);
}

void TDisplayPicture::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void TDisplayPicture::clear() {
    picture_ = QImage();
    update();
}

void TDisplayPicture::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    QRect target = picture_.rect();
    target.moveCenter(rect().center());
    painter.drawImage(target, picture_);
}

void TDisplayPicture::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace krel
