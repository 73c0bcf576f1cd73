#include "orbit/Geodesy.h"

namespace kiv::orbit {

namespace {
constexpr double kA = kWgs84EquatorialRadiusKm;
constexpr double kE2 = kWgs84Flattening * (2.0 - kWgs84Flattening);
constexpr double kB = kA * (1.0 - kWgs84Flattening); // polar radius
constexpr double kEp2 = kE2 / (1.0 - kE2);            // second eccentricity, squared
} // namespace

// Bowring's formula, applied twice: the first step starts from the parametric latitude of the
// point's own direction, the second from that of the first result. It needs no trigonometry
// but one arc tangent, and from 10 km below the ellipsoid to 500,000 km above it agrees with the
// fully converged iteration to 1e-15 rad; the first step alone errs by up to 8e-9 rad near
// 10,000 km. The latitude's sine and cosine come out of the formula, so the altitude needs no
// sine either; its form stays exact at the poles, where p / cos(lat) would divide by zero.
Geodetic geodeticOf(Vec3 r, double gmstRad)
{
    Geodetic g;
    g.longitudeRad = modulus(std::atan2(r.y, r.x) - gmstRad, kTwoPi);
    const double p = std::sqrt(r.x * r.x + r.y * r.y);
    const double z = r.z;
    double sinLat = 0.0; // the centre itself: on the equator
    double cosLat = 1.0;
    double sinU = z * kA; // the parametric latitude, unnormalised: tan u = (a z) / (b p) first
    double cosU = p * kB;
    for (int step = 0; step < 2; ++step) {
        const double u = std::sqrt(sinU * sinU + cosU * cosU);
        if (u == 0.0)
            break;
        const double s = sinU / u;
        const double c = cosU / u;
        const double y = z + kEp2 * kB * s * s * s;
        const double x = p - kE2 * kA * c * c * c;
        const double l = std::sqrt(x * x + y * y);
        if (l == 0.0)
            break;
        sinLat = y / l;
        cosLat = x / l;
        sinU = kB * y; // tan u = (b / a) tan lat
        cosU = kA * x;
    }
    g.latitudeRad = std::atan2(sinLat, cosLat);
    g.altitudeKm = p * cosLat + z * sinLat - kA * std::sqrt(1.0 - kE2 * sinLat * sinLat);
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
