#include "dialogs/PictureBox.h"

#include <QFrame>
#include <QPainter>
#include <QVBoxLayout>
#include <cstring>

namespace krel {

QImage ImageFromPng(const PngImage& png) {
    if (png.Width == 0 || png.Height == 0)
        return {};
    QImage image(static_cast<int>(png.Width), static_cast<int>(png.Height),
                 QImage::Format_RGBA8888);
    const size_t rowBytes = size_t{png.Width} * 4;
    for (uint32_t y = 0; y < png.Height; ++y)
        std::memcpy(image.scanLine(static_cast<int>(y)), png.Pixel(0, y), rowBytes);
    return image;
}

QFrame* FramedPicture(TPictureBox* picture, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(picture);
    return frame;
}

TPictureBox::TPictureBox(QWidget* parent) : QWidget(parent) {
    setFixedSize(kPictureWidth, kPictureHeight);
}

void TPictureBox::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void TPictureBox::setStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

QRect TPictureBox::pictureRect() const {
    if (stretch_)
        return rect();
    QPoint topLeft((width() - picture_.width()) / 2, (height() - picture_.height()) / 2);
    return QRect(topLeft, picture_.size());
}

void TPictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, stretch_);
    painter.drawImage(pictureRect(), picture_);
}

} // namespace krel
