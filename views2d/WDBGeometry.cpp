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

} // namespace

MapExtent extentOf(const WDBViewState& s)
{
    return {.left = s.left, .right = s.right, .top = s.top, .bottom = s.bottom};
}

void setExtent(WDBViewState& s, const MapExtent& e)
{
    s.left = e.left;
    s.right = e.right;
    s.top = e.top;
    s.bottom = e.bottom;
}

double lonSpan(const WDBViewState& s) { return std::fabs(s.right - s.left); }
double latSpan(const WDBViewState& s) { return std::fabs(s.bottom - s.top); }

bool isValid(const WDBViewState& s)
{
    const double values[] = {s.left, s.right, s.top, s.bottom};
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return s.left <= 180.0 && s.right >= -180.0 && s.top <= 90.0 && s.bottom >= -90.0 && s.left - s.right >= MapExtent::kMinSpan - 1e-9 &&
           s.top - s.bottom >= MapExtent::kMinSpan - 1e-9 && s.width >= 1 && s.height >= 1 &&
           s.width <= MapExtent::kMaxPictureSide && s.height <= MapExtent::kMaxPictureSide;
}

int xOf(const WDBViewState& s, double eastLon)
{
    if (eastLon > 180.0)
        eastLon -= 360.0;
    return truncated((eastLon + s.left) / lonSpan(s) * s.width);
}

int yOf(const WDBViewState& s, double lat) { return truncated((s.top - lat) / latSpan(s) * s.height); }

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
    if (dx != 0.0 && dx + s.left < 180.0 && s.right - dx > -180.0 && (s.left - s.right) + 2.0 * dx >= MapExtent::kMinSpan) {
        s.left += dx;
        s.right -= dx;
        moved = true;
    }
    if (dy != 0.0 && dy + s.top < 90.0 && s.bottom - dy > -90.0 && (s.top - s.bottom) + 2.0 * dy >= MapExtent::kMinSpan) {
        s.top += dy;
        s.bottom -= dy;
        moved = true;
    }
    return moved;
}

WDBViewState zoomBox(const WDBViewState& s, const QRect& box, int clientWidth)
{
    WDBViewState z = s;
    MapExtent e = extentOf(s).part(box, pictureOf(s));
    // Widened about a point near the world's edge, the extent is pushed back inside.
    const double span = MapExtent::kMinSpan;
    if (e.left > 180.0) {
        e.right -= e.left - 180.0;
        e.left = 180.0;
    }
    if (e.right < -180.0) {
        e.left = std::min(180.0, e.left + (-180.0 - e.right));
        e.right = -180.0;
    }
    if (e.top > 90.0) {
        e.bottom -= e.top - 90.0;
        e.top = 90.0;
    }
    if (e.bottom < -90.0) {
        e.top = std::min(90.0, e.top + (-90.0 - e.bottom));
        e.bottom = -90.0;
    }
    e.right = std::min(e.right, e.left - span);
    e.bottom = std::min(e.bottom, e.top - span);
    setExtent(z, e);
    const QSize size = pictureSize(e, clientWidth);
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
    // The last line of each run may fall past the picture's edge: it is left out, so that no
    // label pulled inside names a line the picture does not show.
    for (long k = m0; k <= m0 + mCount; ++k) {
        const int x = truncated((k * step + s.left - 180.0) / lonSpanDeg * s.width);
        if (x >= 0 && x < s.width)
            meridians.push_back({x, label(180.0 - k * step, 'W', 'E')});
    }
    const long p0 = static_cast<long>(std::trunc((90.0 - s.top) / step)) + 1;
    const long pCount = static_cast<long>(std::trunc(latSpanDeg / step));
    for (long k = p0; k <= p0 + pCount; ++k) {
        const int y = truncated((k * step + s.top - 90.0) / latSpanDeg * s.height);
        if (y >= 0 && y < s.height)
            parallels.push_back({y, label(90.0 - k * step, 'N', 'S')});
    }
}

std::optional<int> GridLabelRun::place(int line, int size)
{
    const int start = std::max(0, std::min(line - back_, length_ - size));
    if (end_ && start < *end_ + gap_)
        return std::nullopt;
    end_ = start + size;
    return start;
}

int townThreshold(const WDBViewState& s) { return truncated((s.left - s.right) / 360.0 * 6000000.0) - 10000; }

} // namespace kiv::wdbview
