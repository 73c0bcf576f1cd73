#include "imaging/WeatherOverlay.h"

#include "imaging/PictureBudget.h"
#include "platform/LanguageText.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kiv {

namespace {

constexpr QImage::Format kMapFormat = QImage::Format_RGB32;

bool finite(const OverlayBounds& b)
{
    return std::isfinite(b.startLat) && std::isfinite(b.startLon) && std::isfinite(b.endLat) &&
           std::isfinite(b.endLon);
}

bool fits(double width, double height)
{
    return width >= 1.0 && width <= kMaxOverlayWidth && height >= 1.0 && height <= kMaxOverlayHeight;
}

} // namespace

OverlayPlan planOverlay(const OverlayBounds& bounds, QSize weather, QSize requested, qint64 heldBytes)
{
    OverlayPlan plan;
    if (!finite(bounds) || !(bounds.startLat > bounds.endLat) || !(bounds.startLon > bounds.endLon)) {
        plan.error = OverlayPlan::Error::Bounds;
        return plan;
    }
    double width = requested.width();
    double height = requested.height();
    if (requested.width() == 0 && requested.height() == 0) {
        width = std::trunc(360.0 / (bounds.startLon - bounds.endLon) * weather.width());
        height = std::trunc(180.0 / (bounds.startLat - bounds.endLat) * weather.height());
    }
    plan.wantedWidth = width;
    plan.wantedHeight = height;
    if (!fits(width, height)) {
        plan.error = OverlayPlan::Error::Size;
        return plan;
    }
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    plan.mapSize = QSize(w, h);
    const qint64 map = pictureBudget::imageBytes(w, h, kMapFormat);
    if (!pictureBudget::admits(std::max(heldBytes + map, map + pictureBudget::textureBytes(w, h)))) {
        plan.error = OverlayPlan::Error::Budget;
        return plan;
    }
    const auto column = [w](double lon) { return static_cast<int>(std::trunc(w / 360.0 * (180.0 - lon))); };
    const auto row = [h](double lat) { return static_cast<int>(std::trunc(h / 180.0 * (90.0 - lat))); };
    const int x = column(bounds.startLon);
    const int y = row(bounds.startLat);
    plan.placement = QRect(x, y, column(bounds.endLon) - x, row(bounds.endLat) - y);
    return plan;
}

QString overlayErrorText(const OverlayPlan& plan, bool english)
{
    switch (plan.error) {
    case OverlayPlan::Error::Bounds:
        return inLanguage(english,
                          "The weather picture's bounds cannot be used: the start latitude must be "
                          "greater than the end latitude and the start longitude greater than the end "
                          "longitude (longitudes count positive to the west).",
                          "Die Grenzen des Wetterbildes sind nicht verwendbar: die Startbreite muss "
                          "größer als die Endbreite sein und die Startlänge größer als die Endlänge "
                          "(Längen zählen nach Westen positiv).");
    case OverlayPlan::Error::Size: {
        const QString wanted = QStringLiteral("%1 x %2").arg(plan.wantedWidth, 0, 'f', 0).arg(plan.wantedHeight, 0, 'f', 0);
        return inLanguage(english,
                          "The composed map would be %1 pixels; width and height must lie between 1 "
                          "and %2 x %3.",
                          "Die zusammengesetzte Karte wäre %1 Pixel groß; Weite und Höhe müssen "
                          "zwischen 1 und %2 x %3 liegen.")
            .arg(wanted)
            .arg(kMaxOverlayWidth)
            .arg(kMaxOverlayHeight);
    }
    case OverlayPlan::Error::Budget:
        return inLanguage(english, "The composed map of %1 x %2 pixels is too large: %3.",
                          "Die zusammengesetzte Karte von %1 x %2 Pixeln ist zu groß: %3.")
            .arg(plan.mapSize.width())
            .arg(plan.mapSize.height())
            .arg(pictureBudget::limitText());
    case OverlayPlan::Error::None:
        break;
    }
    return {};
}

QImage composeOverlay(const QImage& background, const QImage& weather, const OverlayPlan& plan)
{
    if (!plan.ok())
        return {};
    QImage map(plan.mapSize, kMapFormat);
    if (map.isNull())
        return {};
    map.fill(Qt::black);
    QPainter painter(&map);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, background.depth() > 16);
    painter.drawImage(QRect(QPoint(0, 0), plan.mapSize), background);
    painter.drawImage(plan.placement, weather);
    return map;
}

} // namespace kiv
