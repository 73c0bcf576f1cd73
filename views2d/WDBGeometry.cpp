#include "views2d/WDBGeometry.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>

namespace kiv::wdbview {

namespace {

constexpr char kDegree = '\xB0';

int truncated(double v)
{
    if (!(v > -1e9))
        return -1000000000;
    if (!(v < 1e9))
        return 1000000000;
    return static_cast<int>(v);
}

// "45.00° N" as the titles write a place.
QString degrees(double value, char positive, char negative)
{
    const bool neg = value < 0.0;
    return QString::fromStdString(formatFixed(neg ? -value : value, 2)) + QChar(0xB0) + QLatin1Char(' ') +
           QLatin1Char(neg ? negative : positive);
}

} // namespace

double lonSpan(const WDBViewState& s) { return std::fabs(s.right - s.left); }
double latSpan(const WDBViewState& s) { return std::fabs(s.bottom - s.top); }

bool isValid(const WDBViewState& s)
{
    const double values[] = {s.left, s.right, s.top, s.bottom};
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return s.left <= 180.0 && s.right >= -180.0 && s.top <= 90.0 && s.bottom >= -90.0 && s.left - s.right >= kMinSpan - 1e-9 &&
           s.top - s.bottom >= kMinSpan - 1e-9 && s.width >= 1 && s.height >= 1 && s.width <= kMaxPictureSide &&
           s.height <= kMaxPictureSide;
}

int xOf(const WDBViewState& s, double eastLon)
{
    if (eastLon > 180.0)
        eastLon -= 360.0;
    return truncated((eastLon + s.left) / lonSpan(s) * s.width);
}

int yOf(const WDBViewState& s, double lat) { return truncated((s.top - lat) / latSpan(s) * s.height); }

QPointF placeAt(const WDBViewState& s, QPointF p)
{
    return {p.x() / s.width * (s.right - s.left) + s.left, p.y() / s.height * (s.bottom - s.top) + s.top};
}

QRect sourceRect(const WDBViewState& s, QSize map)
{
    const int left = truncated((180.0 - s.left) / 360.0 * map.width());
    const int right = truncated((180.0 - s.right) / 360.0 * map.width());
    const int top = truncated((90.0 - s.top) / 180.0 * map.height());
    const int bottom = truncated((90.0 - s.bottom) / 180.0 * map.height());
    // At least one pixel of the picture, however deep the zoom.
    return QRect(QPoint(left, top), QPoint(std::max(left, right - 1), std::max(top, bottom - 1)));
}

void centerOn(WDBViewState& s, double lat, double westLon)
{
    if (!std::isfinite(lat) || !std::isfinite(westLon))
        return;
    const double halfLon = (s.left - s.right) / 2.0;
    const double halfLat = (s.top - s.bottom) / 2.0;
    westLon = std::remainder(westLon, 360.0); // -180..180
    s.left = std::min(westLon + halfLon, 180.0);
    s.right = s.left - 2.0 * halfLon;
    if (s.right < -180.0) {
        s.right = -180.0;
        s.left = 2.0 * halfLon - 180.0;
    }
    s.top = std::min(lat + halfLat, 90.0);
    s.bottom = s.top - 2.0 * halfLat;
    if (s.bottom < -90.0) {
        s.bottom = -90.0;
        s.top = 2.0 * halfLat - 90.0;
    }
}

bool pan(WDBViewState& s, QPoint delta)
{
    const double dx = delta.x() * lonSpan(s) / s.width;
    const double dy = delta.y() * latSpan(s) / s.height;
    bool moved = false;
    if (dx != 0.0 && s.left - dx < 180.0 && s.right - dx > -180.0) {
        s.left -= dx;
        s.right -= dx;
        moved = true;
    }
    if (dy != 0.0 && s.top - dy < 90.0 && s.bottom - dy > -90.0) {
        s.top -= dy;
        s.bottom -= dy;
        moved = true;
    }
    return moved;
}

bool dragZoom(WDBViewState& s, QPoint delta, bool keepAspect)
{
    const double dx = delta.x() * lonSpan(s) / s.width;
    const double dy = delta.y() * latSpan(s) / s.height;
    if (keepAspect) {
        const double d = dy * (s.top - s.bottom) / (s.left - s.right);
        if (dy != 0.0 && s.left - dy < 180.0 && s.right + dy > -180.0 && s.top - d < 90.0 && s.bottom + d > -90.0 &&
            (s.left - s.right) - 2.0 * dy > kMinAspectSpan && (s.top - s.bottom) - 2.0 * d > kMinAspectSpan) {
            s.left -= dy;
            s.right += dy;
            s.top -= d;
            s.bottom += d;
            return true;
        }
        return false;
    }
    bool moved = false;
    if (dx != 0.0 && dx + s.left < 180.0 && s.right - dx > -180.0 && (s.left - s.right) + 2.0 * dx >= kMinSpan) {
        s.left += dx;
        s.right -= dx;
        moved = true;
    }
    if (dy != 0.0 && dy + s.top < 90.0 && s.bottom - dy > -90.0 && (s.top - s.bottom) + 2.0 * dy >= kMinSpan) {
        s.top += dy;
        s.bottom -= dy;
        moved = true;
    }
    return moved;
}

QSize pictureSize(int width, double aspect)
{
    if (!std::isfinite(aspect) || aspect <= 0.0)
        aspect = 0.5;
    double w = std::clamp(width, kMinPictureSide, kMaxPictureSide);
    double h = w * aspect;
    if (h > kMaxPictureSide) { // tall and thin: the height caps, the width follows the aspect
        h = kMaxPictureSide;
        w = h / aspect;
    }
    return {std::clamp(static_cast<int>(w), kMinPictureSide, kMaxPictureSide),
            std::clamp(static_cast<int>(h), kMinPictureSide, kMaxPictureSide)};
}

std::optional<WDBViewState> zoomBox(const WDBViewState& s, QPoint a, QPoint b, int clientWidth)
{
    const int x0 = std::min(a.x(), b.x()), x1 = std::max(a.x(), b.x());
    const int y0 = std::min(a.y(), b.y()), y1 = std::max(a.y(), b.y());
    if (x1 - x0 < kMinDragPixels || y1 - y0 < kMinDragPixels)
        return std::nullopt;
    WDBViewState z = s;
    const QPointF topLeft = placeAt(s, QPointF(x0, y0));
    const QPointF bottomRight = placeAt(s, QPointF(x1, y1));
    z.left = std::min(topLeft.x(), 180.0);
    z.right = std::max(bottomRight.x(), -180.0);
    z.top = std::min(topLeft.y(), 90.0);
    z.bottom = std::max(bottomRight.y(), -90.0);
    // However deep the zoom, a span of kMinSpan around the box's centre.
    if (z.left - z.right < kMinSpan) {
        const double mid = std::clamp((z.left + z.right) / 2.0, -180.0 + kMinSpan / 2.0, 180.0 - kMinSpan / 2.0);
        z.left = mid + kMinSpan / 2.0;
        z.right = mid - kMinSpan / 2.0;
    }
    if (z.top - z.bottom < kMinSpan) {
        const double mid = std::clamp((z.top + z.bottom) / 2.0, -90.0 + kMinSpan / 2.0, 90.0 - kMinSpan / 2.0);
        z.top = mid + kMinSpan / 2.0;
        z.bottom = mid - kMinSpan / 2.0;
    }
    const QSize size = pictureSize(clientWidth, (z.top - z.bottom) / (z.left - z.right));
    z.width = size.width();
    z.height = size.height();
    return z;
}

double gridStep(const WDBViewState& s, bool staticGrid, double distance)
{
    double step = 0.0;
    if (staticGrid) {
        step = distance;
    } else {
        const double span = lonSpan(s);
        step = std::trunc(span / 10.0);
        if (step == 0.0)
            step = std::trunc(span) / 10.0;
        if (step == 0.0) // under a degree
            step = span / 10.0;
    }
    if (!std::isfinite(step) || step < 1e-3)
        step = 1e-3;
    return step;
}

void gridLines(const WDBViewState& s, double step, std::vector<GridLine>& meridians, std::vector<GridLine>& parallels)
{
    meridians.clear();
    parallels.clear();
    const double lonSpanDeg = lonSpan(s), latSpanDeg = latSpan(s);
    // At most a few thousand lines, whatever the step: more could not be told apart anyway.
    if (!(step > 0.0) || lonSpanDeg / step > 4096.0 || latSpanDeg / step > 4096.0)
        return;
    auto label = [](double v, char positive, char negative) {
        const bool neg = v < 0.0;
        std::string text = formatFixed(neg ? -v : v, 2);
        text += kDegree;
        text += neg ? negative : positive;
        return text;
    };
    const long m0 = static_cast<long>(std::trunc((180.0 - s.left) / step)) + 1;
    const long mCount = static_cast<long>(std::trunc(lonSpanDeg / step));
    for (long k = m0; k <= m0 + mCount; ++k) {
        const double v = 180.0 - k * step;
        meridians.push_back({truncated((k * step + s.left - 180.0) / lonSpanDeg * s.width), label(v, 'W', 'E')});
    }
    const long p0 = static_cast<long>(std::trunc((90.0 - s.top) / step)) + 1;
    const long pCount = static_cast<long>(std::trunc(latSpanDeg / step));
    for (long k = p0; k <= p0 + pCount; ++k) {
        const double v = 90.0 - k * step;
        parallels.push_back({truncated((k * step + s.top - 90.0) / latSpanDeg * s.height), label(v, 'N', 'S')});
    }
}

int townThreshold(const WDBViewState& s) { return truncated((s.left - s.right) / 360.0 * 6000000.0) - 10000; }

QString pointerTitle(const WDBViewState& s, QPoint pixel)
{
    const QPointF place = placeAt(s, pixel);
    return QStringLiteral("lat = ") + degrees(place.y(), 'N', 'S') + QStringLiteral("/ lon = ") + degrees(place.x(), 'W', 'E') +
           QStringLiteral(" :: x = %1 y = %2").arg(pixel.x()).arg(pixel.y());
}

QString zoomTitle(const WDBViewState& s, QPoint pixel, QPoint anchor)
{
    const QPointF p = placeAt(s, pixel), a = placeAt(s, anchor);
    return QStringLiteral("lat1 = ") + degrees(p.y(), 'N', 'S') + QStringLiteral("/ lon1 = ") + degrees(p.x(), 'W', 'E') +
           QStringLiteral(" ::lat2 = ") + degrees(a.y(), 'N', 'S') + QStringLiteral("/ lon2 = ") + degrees(a.x(), 'W', 'E');
}

} // namespace kiv::wdbview
