#include "EarthPictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace kiv::imagetool {

namespace {

const QString kImages = QStringLiteral("/usr/share/xplanet/images/");

// A graticule every 15 degrees on an equirectangular picture, equator and prime meridian stronger.
void drawGraticule(QImage& image, QColor line, QColor main)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = image.width(), h = image.height();
    for (int lon = -180; lon <= 180; lon += 15) {
        p.setPen(QPen(lon == 0 ? main : line, lon == 0 ? 2.0 : 1.0));
        const double x = (lon + 180) / 360.0 * w;
        p.drawLine(QPointF(x, 0), QPointF(x, h));
    }
    for (int lat = -90; lat <= 90; lat += 15) {
        p.setPen(QPen(lat == 0 ? main : line, lat == 0 ? 2.0 : 1.0));
        const double y = (90 - lat) / 180.0 * h;
        p.drawLine(QPointF(0, y), QPointF(w, y));
    }
}

QImage ocean(QSize size, QColor pole, QColor equator)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0.0, pole);
    g.setColorAt(0.5, equator);
    g.setColorAt(1.0, pole);
    p.fillRect(image.rect(), g);
    return image;
}

QImage fromPackage(const QString& file, QSize size)
{
    const QImage source(kImages + file);
    if (source.isNull())
        return source;
    return source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
}

struct FallbackColours {
    QColor pole;
    QColor equator;
    QColor line;
    QColor mainLine;
};

// The package's map scaled to the size, or the drawn stand-in.
QImage earthMap(const QString& file, QSize size, const FallbackColours& c)
{
    QImage image = fromPackage(file, size);
    if (image.isNull()) {
        image = ocean(size, c.pole, c.equator);
        drawGraticule(image, c.line, c.mainLine);
    }
    return image;
}

} // namespace

QImage dayMap(QSize size)
{
    return earthMap(QStringLiteral("earth.jpg"), size, {QColor(70, 110, 160), QColor(20, 60, 130), QColor(160, 190, 220),
                                                      QColor(230, 240, 250)});
}

QImage nightMap(QSize size)
{
    return earthMap(QStringLiteral("night.jpg"), size, {QColor(10, 14, 30), QColor(4, 8, 24), QColor(30, 40, 70),
                                                      QColor(60, 70, 110)});
}

QImage cloudyEarth(const QImage& earth, const QString& cloudMap)
{
    QImage image = earth.convertToFormat(QImage::Format_RGB32);
    const QImage clouds(cloudMap);
    if (clouds.isNull())
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    p.drawImage(image.rect(), clouds.convertToFormat(QImage::Format_RGB32));
    return image;
}

QImage splash(const QImage& texture)
{
    const QSize size(480, 300);
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(6, 10, 32));
    sky.setColorAt(1.0, QColor(18, 34, 78));
    p.fillRect(image.rect(), sky);

    // A few stars, placed by a fixed rule so the picture is the same on every build.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        const int x = (i * 7919) % size.width();
        const int y = (i * 104729) % size.height();
        p.setBrush(QColor(255, 255, 255, 80 + (i * 37) % 170));
        p.drawEllipse(QPointF(x, y), 0.8, 0.8);
    }

    // The globe: the day map seen as a disc, lit from the upper left.
    const QRectF globe(40, 40, 220, 220);
    QPainterPath disc;
    disc.addEllipse(globe);
    p.save();
    p.setClipPath(disc);
    p.drawImage(QRectF(globe.left() - globe.width() * 0.5, globe.top(), globe.width() * 2, globe.height()), texture);
    QRadialGradient shade(globe.center() - QPointF(50, 50), globe.width() * 0.75);
    shade.setColorAt(0.0, QColor(255, 255, 255, 40));
    shade.setColorAt(0.7, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 20, 170));
    p.fillRect(globe, shade);
    p.restore();
    p.setPen(QPen(QColor(120, 170, 255, 120), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(globe.adjusted(-2, -2, 2, 2));

    // An orbit with its satellite.
    p.setPen(QPen(QColor(255, 210, 90), 2));
    p.drawEllipse(QRectF(20, 110, 300, 80));
    p.setBrush(QColor(255, 230, 140));
    p.drawEllipse(QPointF(300, 170), 5, 5);

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(84);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(235, 240, 255));
    p.drawText(QRectF(280, 70, 190, 100), Qt::AlignCenter, QStringLiteral("Kiv"));
    QFont version(title);
    version.setPixelSize(36);
    version.setBold(false);
    p.setFont(version);
    p.setPen(QColor(255, 210, 90));
    p.drawText(QRectF(280, 170, 190, 50), Qt::AlignCenter, QStringLiteral("2.4"));
    return image;
}

} // namespace kiv::imagetool
