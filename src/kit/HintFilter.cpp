#include "kit/HintFilter.h"

#include <QHelpEvent>
#include <QTextLayout>
#include <QToolTip>
#include <QWidget>

namespace krel {

QString WrapHintText(const QString& hint, const QFont& font, int maxWidth) {
    QStringList lines;
    for (const QString& paragraph : hint.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(maxWidth);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
    }
    return QStringLiteral("<p style='white-space:pre'>") +
           lines.join(QLatin1Char('\n')).toHtmlEscaped() + QStringLiteral("</p>");
}

HintFilter::HintFilter(Guard guard, QObject* parent) : QObject(parent), guard_(std::move(guard)) {}

bool HintFilter::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::ToolTip || !widget || widget->toolTip().isEmpty())
        return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    guard_([&] {
        QToolTip::showText(help->globalPos(), WrapHintText(widget->toolTip(), QToolTip::font()),
                           widget, QRect(), kHintShowMilliseconds);
    });
    return true;
}

} // namespace krel
