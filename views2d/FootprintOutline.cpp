#include "views2d/FootprintOutline.h"

#include "views2d/MapExtent.h"
#include "views2d/MapProjection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kiv {

namespace {
constexpr double kDeg = std::numbers::pi / 180.0;

// Cuts a path in pixels to the box one side at a time, so that a stretch beyond a side becomes
// one along it: the box reaches far enough past the picture that such a stretch draws nothing,
// and what is left stays within an int and the filler's arithmetic. A closed path's last point
// joins its first. Then the pixels, truncated.
void cutToBox(std::vector<QPointF>& path, const QRect& box, bool closed, std::vector<QPointF>& cut,
              std::vector<QPoint>& out)
{
    // A point is inside a side while sign * (coordinate - limit) <= 0.
    const struct {
        bool x;
        double limit, sign;
    } sides[] = {{true, double(box.left()), -1.0},
                 {true, double(box.right()), 1.0},
                 {false, double(box.top()), -1.0},
                 {false, double(box.bottom()), 1.0}};
    const auto inBox = [&](QPointF p) {
        return p.x() >= box.left() && p.x() <= box.right() && p.y() >= box.top() && p.y() <= box.bottom();
    };
    if (!std::all_of(path.begin(), path.end(), inBox)) {
        for (const auto& side : sides) {
            const auto beyond = [&](QPointF p) { return side.sign * ((side.x ? p.x() : p.y()) - side.limit); };
            cut.clear();
            if (!closed && !path.empty() && beyond(path.front()) <= 0.0)
                cut.push_back(path.front());
            for (std::size_t k = closed ? 0 : 1; k < path.size(); ++k) {
                const QPointF a = path[k == 0 ? path.size() - 1 : k - 1], b = path[k];
                const double da = beyond(a), db = beyond(b);
                if ((da <= 0.0) != (db <= 0.0))
                    cut.push_back(a + (b - a) * (da / (da - db)));
                if (db <= 0.0)
                    cut.push_back(b);
            }
            path.swap(cut);
        }
    }
    out.clear();
    for (const QPointF& p : path)
        out.emplace_back(clampedPixel(p.x(), box.left(), box.right()), clampedPixel(p.y(), box.top(), box.bottom()));
}

} // namespace

int footprintPointCount(int accuracy) { return std::clamp(accuracy, 3, 3600); }

double footprintAngle(double footprintRadius, double footprintDist)
{
    const double a = std::atan2(footprintRadius, footprintDist - 0.05);
    return std::isfinite(a) && a > 0.0 ? std::min(a, std::numbers::pi / 2) : 0.0;
}

int coveredPole(double lat, double angle)
{
    const double rho = angle / kDeg;
    if (90.0 - lat < rho)
        return 1;
    if (90.0 + lat < rho)
        return -1;
    return 0;
}

void footprintVertices(double lat, double lon, double angle, int n, std::vector<QPointF>& out)
{
    out.clear();
    const double phi = lat * kDeg;
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double sinRho = std::sin(angle), cosRho = std::cos(angle);
    double previous = 0.0;
    for (int k = 0; k < n; ++k) {
        const double bearing = 2.0 * std::numbers::pi * k / n;
        const double sinLat = std::clamp(sinPhi * cosRho + cosPhi * sinRho * std::cos(bearing), -1.0, 1.0);
        double dLon = std::atan2(std::sin(bearing) * sinRho * cosPhi, cosRho - sinPhi * sinLat) / kDeg;
        if (k > 0) // unwrap: a step never exceeds half a turn
            dLon += 360.0 * std::round((previous - dLon) / 360.0);
        previous = dLon;
        out.emplace_back(lon + dLon, std::asin(sinLat) / kDeg);
    }
}

void footprintShape(double lat, double lon, double angle, int n, const MapExtent& extent, QSize picture,
                    std::vector<QPointF>& scratch, FootprintShape& out)
{
    footprintVertices(lat, lon, angle, n, scratch);
    out.outline.clear();
    out.polygon.clear();
    if (scratch.empty())
        return;
    std::vector<QPointF>& path = out.outlinePixels;
    path.clear();
    for (const QPointF& v : scratch)
        path.push_back(extent.pixelOf(v.y(), v.x(), picture));
    // Round a pole the unwrapped longitudes end one turn from where they began.
    const int pole = coveredPole(lat, angle);
    const double endLon = scratch.front().x() + (pole == 0 ? 0.0 : scratch.back().x() > scratch.front().x() ? 360.0 : -360.0);
    path.push_back(extent.pixelOf(scratch.front().y(), endLon, picture));
    out.polygonPixels = path;
    if (pole != 0) {
        const double edgeLat = pole > 0 ? 90.0 : -90.0;
        out.polygonPixels.push_back(extent.pixelOf(edgeLat, endLon, picture));
        out.polygonPixels.push_back(extent.pixelOf(edgeLat, scratch.front().x(), picture));
    }
    // Two pictures past every edge: the whole-world map draws copies one picture away.
    const QRect box(-2 * picture.width(), -2 * picture.height(), 5 * picture.width() + 1, 5 * picture.height() + 1);
    cutToBox(path, box, false, out.cutPixels, out.outline);
    cutToBox(out.polygonPixels, box, true, out.cutPixels, out.polygon);
    out.minX = out.maxX = 0;
    if (!out.polygon.empty()) {
        const auto [lo, hi] = std::minmax_element(out.polygon.begin(), out.polygon.end(),
                                                  [](QPoint a, QPoint b) { return a.x() < b.x(); });
        out.minX = lo->x();
        out.maxX = hi->x();
    }
    const auto [west, east] = std::minmax_element(scratch.begin(), scratch.end(),
                                                  [](QPointF a, QPointF b) { return a.x() < b.x(); });
    out.westLon = std::min(west->x(), endLon);
    out.eastLon = std::max(east->x(), endLon);
}

void footprintShape(double lat, double lon, double angle, int n, int width, int height, std::vector<QPointF>& scratch,
                    FootprintShape& out)
{
    footprintShape(lat, lon, angle, n, MapExtent{}, {width, height}, scratch, out);
}

} // namespace kiv
