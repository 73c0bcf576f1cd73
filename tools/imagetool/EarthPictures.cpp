#include "EarthPictures.h"

#include <QFont>
#include <QFontMetrics>
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

    // The splash window writes four lines across the middle (from about y = 80 to 210): the
    // name stands above them and the earth below, so that nothing drawn here runs under them.
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(56);
    title.setBold(true);
    QFont version(title);
    version.setPixelSize(28);
    version.setBold(false);
    const QString name = QStringLiteral("Kiv"), number = QStringLiteral("2.4");
    const int nameWidth = QFontMetrics(title).horizontalAdvance(name);
    const int gap = 10;
    const int x = (size.width() - nameWidth - gap - QFontMetrics(version).horizontalAdvance(number)) / 2;
    constexpr int baseline = 62;
    p.setFont(title);
    p.setPen(QColor(235, 240, 255));
    p.drawText(QPoint(x, baseline), name);
    p.setFont(version);
    p.setPen(QColor(255, 210, 90));
    p.drawText(QPoint(x + nameWidth + gap, baseline), number);

    // The earth's limb along the bottom, the tropics of the day map on it, lit from the left.
    const QRectF globe(40 - 200, 230, 800, 800);
    QPainterPath disc;
    disc.addEllipse(globe);
    p.save();
    p.setClipPath(disc);
    p.drawImage(QRectF(-200, 85, 880, 440), texture);
    QRadialGradient shade(globe.center() - QPointF(160, 0), globe.width() * 0.55);
    shade.setColorAt(0.0, QColor(255, 255, 255, 30));
    shade.setColorAt(0.8, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 20, 170));
    p.fillRect(globe, shade);
    p.restore();
    p.setPen(QPen(QColor(120, 170, 255, 140), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(globe.adjusted(-2, -2, 2, 2));

    // An orbit round it with its satellite.
    p.setPen(QPen(QColor(255, 210, 90), 2));
    p.drawEllipse(QRectF(5, 255, 470, 60));
    p.setBrush(QColor(255, 230, 140));
    p.drawEllipse(QPointF(443, 270), 5, 5);
    return image;
}

} // namespace kiv::imagetool
