#include "views3d/EarthTexture.h"

#include <QPainter>

#include <algorithm>

namespace views3d {

namespace {

int powerOfTwoFor(int size, int maxSide)
{
    int p = 1;
    while (p * 2 <= size + 1 && p * 2 <= maxSide)
        p *= 2;
    return p;
}

} // namespace

FittedTexture fitTextureSize(const QImage& picture, int maxSide)
{
    FittedTexture fitted;
    if (picture.isNull())
        return fitted;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const int w = powerOfTwoFor(rgb.width(), maxSide);
    const int h = powerOfTwoFor(rgb.height(), maxSide);
    fitted.resized = w != rgb.width() || h != rgb.height();
    fitted.image = fitted.resized ? rgb.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : rgb;
    return fitted;
}

QString textureSizeWarning(int width, int height, bool english)
{
    return english ? QStringLiteral("Warning, This texture doesn't have the needed size : 2^n * 2^m.\nI will "
                                    "automatically fit the size to %1 * %2 !")
                         .arg(width)
                         .arg(height)
                   : QStringLiteral("Achtung, diese Textur hat nicht die notwendigen Maße 2^n * 2^m.\nDie Größe wird "
                                    "auf %1 * %2 angepasst !")
                         .arg(width)
                         .arg(height);
}

QImage glRows(const QImage& fitted) { return fitted.mirrored(); }

QImage standardEarthTexture()
{
    constexpr int kWidth = 512;
    constexpr int kHeight = 256;
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    image.fill(QColor(20, 60, 140));
    QPainter painter(&image);
    const auto x = [](double lon) { return (lon + 180.0) / 360.0 * kWidth; };
    const auto y = [](double lat) { return (90.0 - lat) / 180.0 * kHeight; };
    painter.fillRect(QRectF(0, 0, kWidth, y(70.0)), Qt::white);
    painter.setPen(QColor(90, 120, 180));
    for (int lon = -150; lon < 180; lon += 30)
        painter.drawLine(QPointF(x(lon), 0), QPointF(x(lon), kHeight));
    for (int lat = -60; lat <= 60; lat += 30)
        painter.drawLine(QPointF(0, y(lat)), QPointF(kWidth, y(lat)));
    painter.fillRect(QRectF(x(-1.0), 0, x(1.0) - x(-1.0), kHeight), QColor(0, 200, 0));
    painter.fillRect(QRectF(0, y(1.0), kWidth, y(-1.0) - y(1.0)), QColor(220, 0, 0));
    return image;
}

} // namespace views3d
