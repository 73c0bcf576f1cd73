#include "orbit/Geodesy.h"

namespace kiv::orbit {

namespace {
constexpr double kA = kWgs84EquatorialRadiusKm;
constexpr double kE2 = kWgs84Flattening * (2.0 - kWgs84Flattening);
} // namespace

Geodetic geodeticOf(Vec3 r, double gmstRad)
{
    Geodetic g;
    g.longitudeRad = modulus(std::atan2(r.y, r.x) - gmstRad, kTwoPi);
    const double p = std::hypot(r.x, r.y);
    double lat = std::atan2(r.z, p);
    double n = kA;
    for (int i = 0; i < 10; ++i) {
        const double s = std::sin(lat);
        n = kA / std::sqrt(1.0 - kE2 * s * s);
        const double next = std::atan2(r.z + n * kE2 * s, p);
        const bool converged = std::fabs(next - lat) < 1e-13;
        lat = next;
        if (converged)
            break;
    }
    const double s = std::sin(lat);
    n = kA / std::sqrt(1.0 - kE2 * s * s);
    g.latitudeRad = lat;
    // This form stays exact at the poles, where p / cos(lat) would divide by zero.
    g.altitudeKm = p * std::cos(lat) + r.z * s - n * (1.0 - kE2 * s * s);
    return g;
}

ObserverState observerState(const Geodetic& site, double gmstRad)
{
    const double theta = gmstRad + site.longitudeRad;
    const double sinLat = std::sin(site.latitudeRad);
    const double c = 1.0 / std::sqrt(1.0 - kE2 * sinLat * sinLat);
    const double s = (1.0 - kE2) * c;
    const double equatorial = (kA * c + site.altitudeKm) * std::cos(site.latitudeRad);
    ObserverState o;
    o.positionKm = {equatorial * std::cos(theta), equatorial * std::sin(theta), (kA * s + site.altitudeKm) * sinLat};
    o.velocityKmPerSec = {-kEarthRotationRadPerSec * o.positionKm.y, kEarthRotationRadPerSec * o.positionKm.x, 0.0};
    return o;
}

LookAngles lookAngles(Vec3 position, Vec3 velocity, const Geodetic& site, double gmstRad)
{
    const ObserverState o = observerState(site, gmstRad);
    const Vec3 range = position - o.positionKm;
    const Vec3 rangeRate = velocity - o.velocityKmPerSec;
    const double theta = gmstRad + site.longitudeRad;
    const double sinLat = std::sin(site.latitudeRad);
    const double cosLat = std::cos(site.latitudeRad);
    const double sinTheta = std::sin(theta);
    const double cosTheta = std::cos(theta);
    const double south = sinLat * cosTheta * range.x + sinLat * sinTheta * range.y - cosLat * range.z;
    const double east = -sinTheta * range.x + cosTheta * range.y;
    const double up = cosLat * cosTheta * range.x + cosLat * sinTheta * range.y + sinLat * range.z;

    LookAngles a;
    a.rangeKm = norm(range);
    a.azimuthRad = modulus(std::atan2(east, -south), kTwoPi);
    a.elevationRad = a.rangeKm > 0.0 ? std::asin(std::fmax(-1.0, std::fmin(1.0, up / a.rangeKm))) : kPi / 2.0;
    a.rangeRateKmPerSec = a.rangeKm > 0.0 ? dot(range, rangeRate) / a.rangeKm : 0.0;
    return a;
}

Equatorial topocentricEquatorial(Vec3 position, const Geodetic& site, double gmstRad)
{
    const Vec3 range = position - observerState(site, gmstRad).positionKm;
    Equatorial e;
    const double length = norm(range);
    e.rightAscensionRad = modulus(std::atan2(range.y, range.x), kTwoPi);
    e.declinationRad = length > 0.0 ? std::asin(std::fmax(-1.0, std::fmin(1.0, range.z / length))) : 0.0;
    return e;
}

} // namespace kiv::orbit
