#include "views2d/SkyControls.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kiv {

namespace {

constexpr double kPi = std::numbers::pi;

double wrapDegrees(double a)
{
    if (a > 180.0)
        return a - 360.0;
    if (a < -180.0)
        return a + 360.0;
    return a;
}

} // namespace

SkyPlacement placeSky(QSize window, double zoom)
{
    SkyPlacement p;
    p.baseRadius = std::max(1, static_cast<int>(std::min(window.width(), window.height()) * 0.5) - 30);
    p.radius = std::max(1, static_cast<int>(p.baseRadius * zoom));
    p.centreX = static_cast<int>(window.width() * 0.5);
    p.centreY = static_cast<int>(window.height() * 0.5) + 15;
    return p;
}

void dragObserver(tagVECTOR& observer, QPoint delta)
{
    observer.x = std::clamp(observer.x + delta.y() / 100.0, -kPi / 2, kPi / 2);
    observer.y -= delta.x() / 100.0;
    if (observer.y > kPi)
        observer.y -= 2 * kPi;
    else if (observer.y < -kPi)
        observer.y += 2 * kPi;
}

void dragSphere(SkyProjection& view, QPoint delta, bool flat)
{
    view.turn = wrapDegrees(view.turn + delta.x());
    if (!flat)
        view.tilt = wrapDegrees(view.tilt + delta.y());
}

double zoomed(double zoom, QPoint delta) { return std::clamp(zoom + delta.y() / 500.0, kMinSkyZoom, kMaxSkyZoom); }

ObserverMarkerState observerMarkerState(const tagVECTOR& observer, double turn, double tilt)
{
    return {.x = observer.y / (2 * kPi) + 0.5,
            .y = -observer.x / kPi + 0.5,
            .azimuth = turn * kPi / 180.0,
            .flip = tilt};
}

} // namespace kiv
