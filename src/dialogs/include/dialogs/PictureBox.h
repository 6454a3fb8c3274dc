#pragma once
// The 130 by 82 picture frame of the entry pictures. A picture is either stretched to the frame
// or shown at its own size, centred and cropped by the frame; the frame itself is transparent.

#include "archive/PngImage.h"

#include <QImage>
#include <QWidget>

class QFrame;

namespace krel {

inline constexpr int kPictureWidth = 130;
inline constexpr int kPictureHeight = 82;

// A decoded PNG as a bitmap of the same size and pixels.
QImage ImageFromPng(const PngImage& png);

class TPictureBox;

// A thin frame just around a picture box, so that the place to click shows even when empty.
QFrame* FramedPicture(TPictureBox* picture, QWidget* parent);

class TPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit TPictureBox(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);
    bool isEmpty() const { return picture_.isNull(); }

    bool stretch() const { return stretch_; }
    void setStretch(bool stretch);

    // Where the picture is drawn, in the box's coordinates (may reach past the frame).
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    bool stretch_ = false;
};

} // namespace krel
