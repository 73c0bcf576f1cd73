#include "views2d/SkyIcons.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace kiv {

namespace {
QImage blankIcon()
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}
} // namespace

QImage sunIcon()
{
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(16, 16);
    p.setPen(QPen(QColor(255, 170, 0), 2, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 8; ++k) {
        const double a = k * std::numbers::pi / 4;
        p.drawLine(QPointF(11 * std::cos(a), 11 * std::sin(a)), QPointF(15 * std::cos(a), 15 * std::sin(a)));
    }
    p.setPen(QPen(QColor(230, 120, 0), 1));
    p.setBrush(QColor(255, 220, 40));
    p.drawEllipse(QPointF(0, 0), 8, 8);
    return image;
}

QImage moonIcon()
{
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath disc;
    disc.addEllipse(QPointF(16, 16), 11, 11);
    QPainterPath shade;
    shade.addEllipse(QPointF(22, 13), 10, 10);
    p.setPen(QPen(QColor(90, 90, 100), 1));
    p.setBrush(QColor(235, 235, 220));
    p.drawPath(disc);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 150, 160, 200));
    p.drawPath(disc.intersected(shade));
    return image;
}

QImage townIcon()
{
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath pin;
    pin.moveTo(16, 22);
    pin.lineTo(12.5, 15);
    pin.arcTo(QRectF(11.5, 8, 9, 9), 210, -240);
    pin.closeSubpath();
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(220, 30, 30));
    p.drawPath(pin);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 12.5), 1.8, 1.8);
    return image;
}

} // namespace kiv
