#include "views2d/Terminator.h"

#include "views2d/MapProjection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kiv {

namespace {
constexpr double kDeg = std::numbers::pi / 180.0;
constexpr int kQuarter = 30;
} // namespace

TerminatorEntries terminatorEntries(double sunLat)
{
    TerminatorEntries t;
    double phi = std::isfinite(sunLat) ? sunLat : 0.0;
    if (phi > 0.0) {
        phi = -phi;
        t.sunNorth = true;
    }
    const double cosPhi = std::cos(phi * kDeg), sinPhi = std::sin(phi * kDeg);
    for (int i = 0; i < kQuarter; ++i) {
        const double a = static_cast<double>(i) / (kQuarter - 1) * std::numbers::pi / 2.0;
        // (sin a, cos a, 0) turned about the x axis by phi.
        const double px = std::sin(a), py = std::cos(a) * cosPhi, pz = std::cos(a) * sinPhi;
        const double d = px * px + pz * pz;
        const double ratio = std::abs(d) <= 1e-7 ? 1.0 : -pz / std::sqrt(d);
        const double q = py / std::sqrt(py * py + d);
        const double acosQ = std::acos(std::clamp(q, -1.0, 1.0)) / kDeg;
        const double lat = t.sunNorth ? 90.0 - acosQ : acosQ - 90.0;
        const double g = std::acos(std::clamp(ratio, -1.0, 1.0)) / kDeg;
        t.entries[i] = {g - 180.0, -lat};
        t.entries[59 - i] = {-g, lat};
        t.entries[60 + i] = {g, lat};
        t.entries[119 - i] = {180.0 - g, -lat};
    }
    return t;
}

TerminatorPolygon terminatorPolygon(double sunLat, double sunLon, int width, int height, bool daySide)
{
    const TerminatorEntries t = terminatorEntries(sunLat);
    double lambda = std::isfinite(sunLon) ? std::fmod(sunLon, 360.0) : 0.0;
    if (lambda > 180.0)
        lambda -= 360.0;
    const int halfW = width / 2;
    const int halfH = height / 2;
    std::array<QPoint, kTerminatorEntries> projected;
    TerminatorPolygon polygon;
    int previousX = 0;
    for (int j = 0; j < kTerminatorEntries; ++j) {
        const QPointF e = t.entries[j];
        int x = clampedPixel((e.x() + lambda) / 180.0 * halfW, -2 * width, 2 * width) + halfW;
        while (x > width)
            x -= width;
        while (x < 0)
            x += width;
        const int y = clampedPixel(e.y() / 90.0 * halfH, -height, height) + halfH;
        projected[j] = {x, y};
        if (x < previousX)
            polygon.start = j;
        previousX = x;
    }
    for (int k = 0; k < kTerminatorEntries; ++k)
        polygon.points[k] = projected[(polygon.start + k) % kTerminatorEntries];
    // Night closes over the dark pole: the north one unless the sun stands north.
    const int edge = (t.sunNorth != daySide) ? height : 0;
    polygon.points[120] = {width, polygon.points[119].y()};
    polygon.points[121] = {width, edge};
    polygon.points[122] = {0, edge};
    polygon.points[123] = {0, polygon.points[0].y()};
    return polygon;
}

} // namespace kiv
