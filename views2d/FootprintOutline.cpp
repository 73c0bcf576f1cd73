#include "views2d/FootprintOutline.h"

#include "views2d/MapExtent.h"
#include "views2d/MapProjection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kiv {

namespace {
constexpr double kDeg = std::numbers::pi / 180.0;
// Pixels this far off stand for any farther: a zoomed view's footprint may reach many pictures
// away, and the filler's arithmetic must not overflow.
constexpr int kFarOff = 1000000;
}

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
    const auto pixel = [&](double vLat, double vLon) {
        const QPointF p = extent.pixelOf(vLat, vLon, picture);
        return QPoint(clampedPixel(p.x(), -kFarOff, kFarOff), clampedPixel(p.y(), -kFarOff, kFarOff));
    };
    for (const QPointF& v : scratch)
        out.outline.push_back(pixel(v.y(), v.x()));
    // Round a pole the unwrapped longitudes end one turn from where they began.
    const int pole = coveredPole(lat, angle);
    const double endLon = scratch.front().x() + (pole == 0 ? 0.0 : scratch.back().x() > scratch.front().x() ? 360.0 : -360.0);
    out.outline.push_back(pixel(scratch.front().y(), endLon));
    out.polygon = out.outline;
    if (pole != 0) {
        const double edgeLat = pole > 0 ? 90.0 : -90.0;
        out.polygon.push_back(pixel(edgeLat, endLon));
        out.polygon.push_back(pixel(edgeLat, scratch.front().x()));
    }
    const auto [lo, hi] = std::minmax_element(out.polygon.begin(), out.polygon.end(),
                                              [](QPoint a, QPoint b) { return a.x() < b.x(); });
    out.minX = lo->x();
    out.maxX = hi->x();
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
