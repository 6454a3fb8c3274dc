#include "skin/Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace krel::skin {
namespace {

void drawSky(QPainter& painter, qreal size) {
    painter.fillRect(QRectF(0, 0, size, size), QColor(0x0B, 0x14, 0x2B));
    painter.setPen(Qt::NoPen);
    // Fixed positions (in hundredths of the side) keep the picture the same on every run.
    static const int stars[][2] = {{8, 12},  {22, 80}, {35, 6},  {70, 14}, {88, 30},
                                   {90, 86}, {12, 55}, {60, 92}, {80, 62}, {47, 18}};
    for (const auto& star : stars) {
        painter.setBrush(QColor(0xE8, 0xF0, 0xFF, 200));
        painter.drawEllipse(QPointF(star[0] * size / 100, star[1] * size / 100), size / 110,
                            size / 110);
    }
}

void drawRingHalf(QPainter& painter, const QRectF& ring, bool front) {
    QPainterPath half;
    half.moveTo(ring.left(), ring.center().y());
    half.arcTo(ring, 180, front ? 180 : -180);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xE6, 0xC8, 0x8A), ring.height() / 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(half);
}

void drawPlanet(QPainter& painter, const QPointF& centre, qreal radius) {
    QRadialGradient shade(centre - QPointF(radius / 2.5, radius / 2.5), radius * 1.6);
    shade.setColorAt(0.0, QColor(0xAD, 0xC6, 0xDE));
    shade.setColorAt(0.45, QColor(0x4A, 0x78, 0xA8));
    shade.setColorAt(1.0, QColor(0x0E, 0x22, 0x40));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);
}

} // namespace

QPixmap PlanetPicture(int size) {
    QPixmap picture(size, size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = size;
    drawSky(painter, side);
    const QPointF centre(side / 2, side / 2);
    painter.translate(centre);
    painter.rotate(-18);
    painter.translate(-centre);
    QRectF ring(side * 0.08, side * 0.40, side * 0.84, side * 0.20);
    drawRingHalf(painter, ring, false);
    drawPlanet(painter, centre, side * 0.26);
    drawRingHalf(painter, ring, true);
    return picture;
}

} // namespace krel::skin
