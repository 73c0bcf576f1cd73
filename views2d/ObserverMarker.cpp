#include "views2d/ObserverMarker.h"

#include "views2d/MapProjection.h"

#include <cmath>

namespace kiv {

namespace {
int trunc(double v) { return clampedPixel(v, -1'000'000, 1'000'000); }
} // namespace

ObserverMarkerShape observerMarker(const ObserverMarkerState& state, int width, int height)
{
    const int cx = trunc(width * state.x);
    const int cy = trunc(height * state.y);
    const double a = state.azimuth + (state.flip > 0.0 ? 3.141592654 : 0.0);
    const double s = std::sin(a);
    const double c = std::cos(a);
    const QPoint p(trunc(20 * c), trunc(20 * s));
    const QPoint q(trunc(25 * c), trunc(25 * s));
    ObserverMarkerShape m;
    m.line1 = {QPoint(cx + p.x(), cy + p.y()), QPoint(cx - p.x(), cy - p.y())};
    m.line2 = {QPoint(cx + p.y(), cy - p.x()), QPoint(cx - p.y(), cy + p.x())};
    m.letters = {QPoint(cx + q.x() - 2, cy + q.y() - 5), QPoint(cx - q.x() - 2, cy - q.y() - 5),
                 QPoint(cx + q.y() - 2, cy - q.x() - 5), QPoint(cx - q.y() - 2, cy + q.x() - 5)};
    m.arrow = {QPoint(cx - trunc(6 * c - 5 * s), cy - trunc(6 * s + 5 * c)), QPoint(cx - p.x(), cy - p.y()),
               QPoint(cx - trunc(5 * c + 5 * s), cy + trunc(5 * c - 5 * s))};
    return m;
}

} // namespace kiv
