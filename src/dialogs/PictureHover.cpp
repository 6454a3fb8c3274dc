#include "dialogs/PictureHover.h"

#include "skin/Skin.h"

#include <QPainter>

namespace krel {

bool OnHatch(int x, int y) {
    return (x + y) % 8 == 0 || (x - y) % 8 == 0;
}

QImage HatchedPicture(const QImage& picture) {
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb hatch = HatchColour().rgb() & RGB_MASK;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if (OnHatch(x, y))
                line[x] = (line[x] | hatch) | 0xFF000000u;
    }
    return result;
}

QImage ClickPlaceholder(QSize size) {
    QImage ground(size, QImage::Format_ARGB32);
    ground.fill(Qt::transparent);
    QImage placeholder = HatchedPicture(ground);
    QPainter painter(&placeholder);
    QFont font(skin::FontFamily());
    font.setPointSize(7);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::red);
    painter.drawText(placeholder.rect(), Qt::AlignCenter, QStringLiteral("(click to change)"));
    return placeholder;
}

} // namespace krel
