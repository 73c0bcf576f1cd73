#include "views2d/MapTexts.h"

#include "platform/Numbers.h"

namespace kiv::mapTexts {

namespace {
// "12.50° S"
QString degrees(double value, char positive, char negative)
{
    const bool plus = value >= 0.0;
    const std::string number = formatFixed((plus ? value : -value) + 0.0, 2); // no "-0.00"
    return QString::fromStdString(number) + QChar(0xB0) + QLatin1Char(' ') + QLatin1Char(plus ? positive : negative);
}
QString latitude(double lat) { return degrees(lat, 'N', 'S'); }
QString longitude(double lonW) { return degrees(lonW, 'W', 'E'); }
} // namespace

QString positionTitle(const GeoPoint& at, QPoint pixel)
{
    return QStringLiteral("lat = ") + latitude(at.lat) + QStringLiteral("/ lon = ") + longitude(at.lonW) +
           QStringLiteral(" :: x = ") + QString::number(pixel.x()) + QStringLiteral(" y = ") + QString::number(pixel.y());
}

QString zoomTitle(const GeoPoint& first, const GeoPoint& second)
{
    return QStringLiteral("lat1 = ") + latitude(first.lat) + QStringLiteral("/ lon1 = ") + longitude(first.lonW) +
           QStringLiteral(" ::lat2 = ") + latitude(second.lat) + QStringLiteral("/ lon2 = ") + longitude(second.lonW);
}

} // namespace kiv::mapTexts
