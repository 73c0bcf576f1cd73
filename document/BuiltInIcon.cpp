#include "document/BuiltInIcon.h"

#include <QPainter>

namespace kiv {

QImage builtInSatelliteIcon()
{
    static const QImage icon = [] {
        QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        // Two solar panels on a boom, the body in the middle, an antenna dish on top.
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(QColor(40, 90, 200));
        p.drawRect(QRectF(2.5, 12.5, 9, 7));
        p.drawRect(QRectF(20.5, 12.5, 9, 7));
        p.drawLine(QPointF(11.5, 16), QPointF(20.5, 16));
        p.setBrush(QColor(220, 180, 60));
        p.drawRect(QRectF(12.5, 11.5, 7, 9));
        p.setBrush(QColor(230, 230, 230));
        p.drawChord(QRectF(11, 3, 10, 8), 0, -180 * 16);
        p.drawLine(QPointF(16, 7), QPointF(16, 11.5));
        p.end();
        return image.convertToFormat(QImage::Format_ARGB32);
    }();
    return icon;
}

} // namespace kiv
