#include "views3d/SceneFrame.h"

#include <cmath>
#include <numbers>

namespace kiv {

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kSecondsPerDegree = kSecondsPerDay / 360.0;

double utSecondsOfDay(kiv::Time time)
{
    const std::int64_t s = time.secondsSince1970() % 86400;
    return static_cast<double>(s < 0 ? s + 86400 : s);
}

} // namespace

SceneFrame SceneFrame::at(kiv::Time time)
{
    SceneFrame frame;
    frame.earthTurnDeg = utSecondsOfDay(time) / kSecondsPerDegree - 180.0;
    // A geographic longitude lon lies at azimuth 90 + lon + E in the scene, an inertial right
    // ascension ra at ra + theta, and lon = ra - GMST.
    frame.orbitTurnDeg = 90.0 + frame.earthTurnDeg - kiv::orbit::gmstRadians(time.julianDate()) / kDegToRad;
    return frame;
}

Vec3 SceneFrame::inertialToScene(const tagVECTOR& km) const { return rotatedAboutY(inertialAxes(km), orbitTurnDeg); }

Vec3 inertialAxes(const tagVECTOR& km) { return Vec3{km.x, km.z, -km.y} * 0.001; }

Vec3 geographicToScene(double latDeg, double lonDeg, double radius, double earthTurnDeg)
{
    const double lat = latDeg * kDegToRad;
    const double azimuth = (90.0 + lonDeg + earthTurnDeg) * kDegToRad;
    return Vec3{std::cos(azimuth) * std::cos(lat), std::sin(lat), -std::sin(azimuth) * std::cos(lat)} * radius;
}

Vec3 lookAtEye(double latDeg, double westLonDeg, double distance, kiv::Time time)
{
    // The place's azimuth in the scene is 90 - westLon + E; sine and cosine of the turn give the
    // eye's side without any folding of the angle.
    const double turn = (utSecondsOfDay(time) / kSecondsPerDegree - westLonDeg) * kDegToRad;
    const double lat = latDeg * kDegToRad;
    return Vec3{std::sin(turn) * std::cos(lat), std::sin(lat), std::cos(turn) * std::cos(lat)} * distance;
}

} // namespace kiv
