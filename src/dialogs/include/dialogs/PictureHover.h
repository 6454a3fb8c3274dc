#pragma once
// What the entry editor's picture shows while the pointer rests on it: a diagonal cross-hatch in
// light blue laid over the picture, or, when there is no picture, the hatch with the words
// "(click to change)".

#include <QColor>
#include <QImage>
#include <QSize>

namespace krel {

inline QColor HatchColour() {
    return QColor(0x84, 0xD6, 0xFF);
}

// Whether a pixel lies on one of the hatch's diagonals (8 pixels apart, both directions).
bool OnHatch(int x, int y);

// The picture combined with a black layer carrying the hatch by a bitwise OR: hatch pixels
// become (colour OR #84D6FF) and opaque, every other pixel stays as it was.
QImage HatchedPicture(const QImage& picture);

// The stand-in for a missing picture: the hatch on a transparent ground, with "(click to
// change)" centred in small bold red letters.
QImage ClickPlaceholder(QSize size);

} // namespace krel
