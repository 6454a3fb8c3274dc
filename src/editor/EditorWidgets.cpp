#include "editor/EditorWidgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace krel {

TLinkLabel::TLinkLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setHovered(false);
}

void TLinkLabel::setHovered(bool hovered) {
    hovered_ = hovered;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, hovered ? Qt::red : Qt::black);
    setPalette(colours);
}

void TLinkLabel::enterEvent(QEnterEvent* event) {
    setHovered(true);
    QLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event) {
    setHovered(false);
    QLabel::leaveEvent(event);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

TPictureBox::TPictureBox(QSize size, QWidget* parent) : QWidget(parent) {
    setFixedSize(size);
    setAttribute(Qt::WA_TranslucentBackground);
}

void TPictureBox::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void TPictureBox::clear() {
    picture_ = QImage();
    update();
}

void TPictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    QRect target = picture_.rect();
    target.moveCenter(rect().center());
    painter.drawImage(target, picture_);
}

void TPictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace krel
