#include "app/Glyphs.h"
#include "resources/CommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kiv::glyphs {

namespace {

constexpr int kW = 17;
constexpr int kH = 16;

QPixmap blank()
{
    QPixmap p(kW, kH);
    p.fill(Qt::transparent);
    return p;
}

QColor fromColorRef(unsigned c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

void fillTriangle(QPainter& p, QPointF a, QPointF b, QPointF c, const QColor& colour)
{
    QPainterPath path(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    p.fillPath(path, colour);
}

} // namespace

QIcon commandIcon(int id)
{
    QPixmap pix = blank();
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    switch (id) {
    case kCmdPlay: // play
        fillTriangle(p, {5, 3}, {13, 8}, {5, 13}, QColor(0, 130, 0));
        break;
    case kCmdPause: // pause
        p.fillRect(4, 3, 3, 10, QColor(40, 40, 160));
        p.fillRect(10, 3, 3, 10, QColor(40, 40, 160));
        break;
    case kCmdReset: // reset: back to the start
        p.fillRect(3, 3, 2, 10, QColor(160, 40, 40));
        fillTriangle(p, {13, 3}, {6, 8}, {13, 13}, QColor(160, 40, 40));
        break;
    case kCmdZoom: // zoom: a magnifier
        p.setPen(QPen(Qt::black, 1.5));
        p.drawEllipse(QRectF(2.5, 2.5, 8, 8));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
        break;
    case kCmdDraw: // draw: a pencil
        p.setPen(QPen(QColor(120, 80, 0), 2));
        p.drawLine(QPointF(3, 13), QPointF(13, 3));
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(2, 14), QPointF(4, 12));
        break;
    case kCmdDisplayAll: // display all: many satellites
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 2; ++j)
                p.fillRect(2 + i * 5, 4 + j * 5, 3, 3, QColor(0, 90, 180));
        }
        break;
    default:
        return {};
    }
    return QIcon(pix);
}

QIcon satelliteIcon(int slot, unsigned colorRef)
{
    QPixmap pix = blank();
    QPainter p(&pix);
    const QColor colour = fromColorRef(colorRef);
    p.fillRect(0, 0, kW, kH, colour);
    p.setPen(colour.lightness() > 128 ? Qt::black : Qt::white);
    QFont font = p.font();
    font.setPixelSize(slot >= 100 ? 7 : 9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, kW, kH), Qt::AlignCenter, QString::number(slot));
    return QIcon(pix);
}

QIcon applicationIcon()
{
    QPixmap pix(64, 64);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(30, 90, 170));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(14, 14, 36, 36));
    p.setBrush(QColor(60, 150, 70));
    p.drawEllipse(QRectF(22, 20, 12, 10));
    p.drawEllipse(QRectF(30, 34, 12, 9));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 200, 40), 2.5));
    p.drawEllipse(QRectF(4, 24, 56, 16));
    p.setBrush(QColor(240, 240, 240));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(52, 26, 7, 7));
    return QIcon(pix);
}

} // namespace kiv::glyphs
