#include "views2d/MapProjection.h"

#include <algorithm>
#include <cmath>

namespace kiv {

QPointF mapPointF(double lat, double lon, int width, int height)
{
    return {(lon + 180.0) / 360.0 * width, (90.0 - lat) / 180.0 * height};
}

int clampedPixel(double value, int low, int high)
{
    if (!(value >= low)) // also NaN
        return low;
    if (value > high)
        return high;
    return static_cast<int>(value);
}

namespace {
// Far enough outside the picture that a clamped point draws the same as the true one.
QPoint toPixel(QPointF p, int width, int height)
{
    return {clampedPixel(p.x(), -4 * width, 5 * width), clampedPixel(p.y(), -4 * height, 5 * height)};
}
} // namespace

QPoint mapPoint(double lat, double lon, int width, int height)
{
    return toPixel(mapPointF(lat, lon, width, height), width, height);
}

QPoint iconPoint(double lat, double lon, int width, int height)
{
    const QPoint p = toPixel({width / 360.0 * (lon + 180.0), (90.0 - lat) / 180.0 * height}, width, height);
    return {width > 0 ? p.x() % width : 0, p.y()};
}

PixelRect zoomBoxRect(const QRectF& extent, int width, int height)
{
    const auto x = [width](double westLon) { return clampedPixel((180.0 - westLon) * width / 360.0, -4 * width, 5 * width); };
    const auto y = [height](double lat) { return clampedPixel((90.0 - lat) * height / 180.0, -4 * height, 5 * height); };
    return {x(extent.x()), y(extent.y()), x(extent.x() + extent.width()), y(extent.y() + extent.height())};
}

} // namespace kiv
