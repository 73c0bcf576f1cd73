#include "views2d/MapExtent.h"

#include <algorithm>
#include <cmath>

namespace kiv {

namespace {
double fraction(double v, int size) { return size > 0 ? v / size : 0.0; }

// Widens [a, b] about its middle to at least `span`, running the way `direction` runs.
void widen(double& a, double& b, double span, double direction)
{
    if (std::abs(b - a) >= span)
        return;
    const double mid = (a + b) / 2.0;
    const double half = (direction >= 0.0 ? span : -span) / 2.0;
    a = mid - half;
    b = mid + half;
}

int truncated(double v)
{
    if (!(v > -1e9)) // also NaN
        return -1000000000;
    return v > 1e9 ? 1000000000 : static_cast<int>(v);
}
} // namespace

GeoPoint MapExtent::pointAt(QPointF pixel, QSize picture) const
{
    return {top + fraction(pixel.y(), picture.height()) * (bottom - top),
            left + fraction(pixel.x(), picture.width()) * (right - left)};
}

QPointF MapExtent::pixelOf(double lat, double eastLon, QSize picture) const
{
    return {(eastLon + left) / (left - right) * picture.width(), (top - lat) / (top - bottom) * picture.height()};
}

MapExtent MapExtent::part(const QRect& box, QSize picture) const
{
    // Only the picture is under the box: a pointer that left it by a margin gives its edge.
    const auto inside = [](int v, int size) { return std::clamp(v, 0, std::max(size, 0)); };
    const int x0 = inside(std::min(box.left(), box.left() + box.width()), picture.width());
    const int x1 = inside(std::max(box.left(), box.left() + box.width()), picture.width());
    const int y0 = inside(std::min(box.top(), box.top() + box.height()), picture.height());
    const int y1 = inside(std::max(box.top(), box.top() + box.height()), picture.height());
    const GeoPoint a = pointAt(QPointF(x0, y0), picture);
    const GeoPoint b = pointAt(QPointF(x1, y1), picture);
    MapExtent e{.left = a.lonW, .right = b.lonW, .top = a.lat, .bottom = b.lat};
    widen(e.left, e.right, kMinSpan, right - left);
    widen(e.top, e.bottom, kMinSpan, bottom - top);
    return e;
}

QRect sourceRect(const MapExtent& e, QSize picture)
{
    const double w = picture.width();
    const double h = picture.height();
    const int left = truncated((180.0 - e.left) / 360.0 * w);
    const int top = truncated((90.0 - e.top) / 180.0 * h);
    const int right = truncated((180.0 - e.right) / 360.0 * w);
    const int bottom = truncated((90.0 - e.bottom) / 180.0 * h);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QSize pictureSize(const MapExtent& e, int width)
{
    const double across = std::max(std::abs(e.right - e.left), MapExtent::kMinSpan);
    const double down = std::max(std::abs(e.bottom - e.top), MapExtent::kMinSpan);
    const double aspect = down / across;
    double w = std::clamp(width, MapExtent::kMinPictureWidth, MapExtent::kMaxPictureSide);
    double h = std::trunc(w * aspect);
    if (h > MapExtent::kMaxPictureSide) {
        h = MapExtent::kMaxPictureSide;
        w = std::trunc(h / aspect);
    }
    return {std::max(1, static_cast<int>(w)), std::max(1, static_cast<int>(h))};
}

} // namespace kiv
