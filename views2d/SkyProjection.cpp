#include "views2d/SkyProjection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kiv {

namespace {

constexpr double kPi = std::numbers::pi;

// Whole steps in a range; the small allowance keeps 360 / 7.2 at 50, not 49.
int wholeSteps(double range, double step) { return static_cast<int>(range / step + 1e-9); }

} // namespace

SkyVector azElToSkyPoint(double azimuth, double elevation)
{
    const double c = std::cos(elevation);
    return {c * std::cos(azimuth), std::sin(elevation), c * std::sin(azimuth)};
}

SkyVector rotateAboutY(SkyVector p, double degrees)
{
    const double a = degrees * kSkyDegToRad;
    const double c = std::cos(a), s = std::sin(a);
    return {p.x * c - p.z * s, p.y, p.x * s + p.z * c};
}

SkyVector rotateAboutX(SkyVector p, double degrees)
{
    const double a = degrees * kSkyDegToRad;
    const double c = std::cos(a), s = std::sin(a);
    return {p.x, p.y * c + p.z * s, -p.y * s + p.z * c};
}

SkyVector SkyProjection::turned(SkyVector p) const
{
    Rotation& r = rotation;
    if (!r.valid || r.turn != turn || r.tilt != tilt) {
        const double a = turn * kSkyDegToRad, b = tilt * kSkyDegToRad;
        r = {.turn = turn,
             .tilt = tilt,
             .cosTurn = std::cos(a),
             .sinTurn = std::sin(a),
             .cosTilt = std::cos(b),
             .sinTilt = std::sin(b),
             .valid = true};
    }
    // About y by the turn, then about x by the tilt, as rotateAboutY and rotateAboutX do.
    const double x = p.x * r.cosTurn - p.z * r.sinTurn;
    const double z = p.x * r.sinTurn + p.z * r.cosTurn;
    return {x, p.y * r.cosTilt + z * r.sinTilt, -p.y * r.sinTilt + z * r.cosTilt};
}

ScreenPoint SkyProjection::project(SkyVector p) const
{
    const SkyVector t = turned(p);
    return {centreX - radius * t.x, centreY + radius * t.y, radius * t.z, hemisphere && p.y < 0.0};
}

void SkyMeshes::build(int pointCount, double azimuthStepDeg, double elevationStepDeg)
{
    points = std::clamp(pointCount, 3, 2000);
    azimuthStep = std::clamp(std::isfinite(azimuthStepDeg) ? azimuthStepDeg : 36.0, 1.0, 90.0);
    elevationStep = std::clamp(std::isfinite(elevationStepDeg) ? elevationStepDeg : 15.0, 1.0, 90.0);
    const int meridians = wholeSteps(360.0, azimuthStep);
    const int circles = wholeSteps(180.0, elevationStep);
    const double last = points - 1.0;

    azimuth.clear();
    azimuth.reserve(meridians * points);
    for (int k = 0; k < meridians; ++k) {
        const double azimuthRad = (90.0 - k * azimuthStep) * kPi / 180.0;
        for (int j = 0; j < points; ++j)
            azimuth.push_back(azElToSkyPoint(azimuthRad, -kPi / 2 + kPi * j / last));
    }
    elevation.clear();
    elevation.reserve(circles * points);
    for (int k = 0; k < circles; ++k) {
        const double elevationRad = (90.0 - k * elevationStep) * kPi / 180.0;
        for (int j = 0; j < points; ++j)
            elevation.push_back(azElToSkyPoint(-kPi / 2 + 2 * kPi * j / last, elevationRad)); // middle point east
    }
    horizon.clear();
    horizon.reserve(points);
    for (int j = 0; j < points; ++j)
        horizon.push_back(azElToSkyPoint(2 * kPi * j / last, 0.0));
}

double meridianLabel(int k, double step)
{
    const double a = k * step;
    return a <= 90.0 ? 90.0 - a : 450.0 - a;
}

double circleLabel(int k, double step) { return 90.0 - k * step; }

} // namespace kiv
