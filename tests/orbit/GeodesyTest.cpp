#include "orbit/Geodesy.h"
#include "orbit/OrbitTime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace kiv::orbit;

namespace {
constexpr double kA = kWgs84EquatorialRadiusKm;
constexpr double kB = kA * (1.0 - kWgs84Flattening);
} // namespace

TEST(Geodesy, PointsOnTheAxes)
{
    const double gmst = gmstRadians(2451545.0);
    const Geodetic equator = geodeticOf({kA + 1000.0, 0.0, 0.0}, gmst);
    EXPECT_NEAR(equator.latitudeRad, 0.0, 1e-12);
    EXPECT_NEAR(equator.longitudeRad * kRadToDeg, modulus(-280.46061837, 360.0), 1e-7);
    EXPECT_NEAR(equator.altitudeKm, 1000.0, 1e-9);

    const Geodetic north = geodeticOf({0.0, 0.0, 7000.0}, gmst);
    EXPECT_NEAR(north.latitudeRad * kRadToDeg, 90.0, 1e-12);
    EXPECT_NEAR(north.altitudeKm, 7000.0 - kB, 1e-9);
    const Geodetic south = geodeticOf({0.0, 0.0, -7000.0}, gmst);
    EXPECT_NEAR(south.latitudeRad * kRadToDeg, -90.0, 1e-12);
    EXPECT_NEAR(south.altitudeKm, 7000.0 - kB, 1e-9);
}

TEST(Geodesy, GeodeticAndObserverPositionsInvertEachOther)
{
    for (double latDeg = -89.0; latDeg <= 89.0; latDeg += 8.9) {
        for (double lonDeg = 0.0; lonDeg < 360.0; lonDeg += 37.0) {
            for (double altKm : {0.0, 0.5, 800.0, 35786.0}) {
                const Geodetic site{latDeg * kDegToRad, lonDeg * kDegToRad, altKm};
                const double gmst = 1.234;
                const Geodetic back = geodeticOf(observerState(site, gmst).positionKm, gmst);
                ASSERT_NEAR(back.latitudeRad, site.latitudeRad, 1e-11);
                ASSERT_NEAR(back.longitudeRad, site.longitudeRad, 1e-11);
                ASSERT_NEAR(back.altitudeKm, altKm, 1e-7);
                ASSERT_GE(back.longitudeRad, 0.0);
                ASSERT_LT(back.longitudeRad, kTwoPi);
            }
        }
    }
}

namespace {

// The converged fixed-point iteration on the latitude, to 1e-13 rad: the reference.
Geodetic iterated(Vec3 r)
{
    constexpr double e2 = kWgs84Flattening * (2.0 - kWgs84Flattening);
    const double p = std::hypot(r.x, r.y);
    double lat = std::atan2(r.z, p);
    for (int i = 0; i < 50; ++i) {
        const double s = std::sin(lat);
        const double n = kA / std::sqrt(1.0 - e2 * s * s);
        const double next = std::atan2(r.z + n * e2 * s, p);
        const bool converged = std::fabs(next - lat) < 1e-13;
        lat = next;
        if (converged)
            break;
    }
    const double s = std::sin(lat);
    return {lat, 0.0, p * std::cos(lat) + r.z * s - kA * std::sqrt(1.0 - e2 * s * s)};
}

} // namespace

TEST(Geodesy, AgreesWithTheIterationFromBelowTheSurfaceToBeyondTheMoon)
{
    // Latitudes every 0.25 degrees with both poles, at altitudes from 10 km below the ellipsoid
    // to 500,000 km, in several meridians.
    double worstLat = 0.0;
    double worstAlt = 0.0;
    for (int quarter = -360; quarter <= 360; ++quarter) {
        const double latDeg = quarter * 0.25;
        for (double altKm : {-10.0, -1.0, 0.0, 0.001, 1.0, 100.0, 400.0, 800.0, 2000.0, 10000.0, 20200.0, 35786.0,
                             100000.0, 384400.0, 500000.0}) {
            for (double lonDeg : {0.0, 97.0, 233.0}) {
                const Geodetic site{latDeg * kDegToRad, lonDeg * kDegToRad, altKm};
                const Vec3 r = observerState(site, 0.0).positionKm;
                const Geodetic fast = geodeticOf(r, 0.0);
                const Geodetic slow = iterated(r);
                worstLat = std::max(worstLat, std::fabs(fast.latitudeRad - slow.latitudeRad));
                worstAlt = std::max(worstAlt, std::fabs(fast.altitudeKm - slow.altitudeKm));
                ASSERT_LT(std::fabs(fast.latitudeRad - slow.latitudeRad), 1e-9) << latDeg << " deg, " << altKm << " km";
                ASSERT_LT(std::fabs(fast.altitudeKm - slow.altitudeKm), 1e-6) << latDeg << " deg, " << altKm << " km";
                ASSERT_NEAR(fast.longitudeRad, modulus(lonDeg * kDegToRad, kTwoPi), 1e-12);
            }
        }
    }
    RecordProperty("worst_latitude_rad", std::to_string(worstLat));
    RecordProperty("worst_altitude_km", std::to_string(worstAlt));
}

TEST(Geodesy, TheCentreAndTheAxisGiveFiniteValues)
{
    const Geodetic centre = geodeticOf({0.0, 0.0, 0.0}, 0.0);
    EXPECT_EQ(centre.latitudeRad, 0.0);
    EXPECT_DOUBLE_EQ(centre.altitudeKm, -kA);
    for (double z : {1e-9, 1.0, 6356.0, 1e6}) {
        EXPECT_DOUBLE_EQ(geodeticOf({0.0, 0.0, z}, 0.0).latitudeRad, kPi / 2.0) << z;
        EXPECT_DOUBLE_EQ(geodeticOf({0.0, 0.0, -z}, 0.0).latitudeRad, -kPi / 2.0) << z;
        EXPECT_NEAR(geodeticOf({0.0, 0.0, z}, 0.0).altitudeKm, z - kB, 1e-9) << z;
    }
}

TEST(Geodesy, LookAnglesFromTheEquator)
{
    const double gmst = 0.7;
    const Geodetic site{0.0, 0.0, 0.0};
    const Vec3 observer = observerState(site, gmst).positionKm;

    const Vec3 zenith = 1.5 * observer;
    const Vec3 up = (1.0 / norm(observer)) * observer;
    const Vec3 inertialSpin = observerState(site, gmst).velocityKmPerSec;
    const LookAngles overhead = lookAngles(zenith, inertialSpin + 2.0 * up, site, gmst);
    EXPECT_NEAR(overhead.elevationRad * kRadToDeg, 90.0, 1e-6);
    EXPECT_NEAR(overhead.rangeKm, 0.5 * norm(observer), 1e-9);
    EXPECT_NEAR(overhead.rangeRateKmPerSec, 2.0, 1e-9);

    const LookAngles antipode = lookAngles(-1.0 * observer, {}, site, gmst);
    EXPECT_NEAR(antipode.elevationRad * kRadToDeg, -90.0, 1e-6);

    // Due north and due east of the site, far out along the local axes.
    const Vec3 north{0.0, 0.0, 1.0};
    const Vec3 east{-std::sin(gmst), std::cos(gmst), 0.0};
    EXPECT_NEAR(lookAngles(observer + 1000.0 * north, {}, site, gmst).azimuthRad * kRadToDeg, 0.0, 1e-9);
    EXPECT_NEAR(lookAngles(observer + 1000.0 * east, {}, site, gmst).azimuthRad * kRadToDeg, 90.0, 1e-9);
    EXPECT_NEAR(lookAngles(observer - 1000.0 * east, {}, site, gmst).azimuthRad * kRadToDeg, 270.0, 1e-9);
}

TEST(Geodesy, TopocentricEquatorialOfAZenithObject)
{
    const double gmst = 2.0;
    const double longitude = 30.0 * kDegToRad;
    const Geodetic site{0.0, longitude, 0.0};
    const Equatorial e = topocentricEquatorial(2.0 * observerState(site, gmst).positionKm, site, gmst);
    EXPECT_NEAR(e.rightAscensionRad, gmst + longitude, 1e-12);
    EXPECT_NEAR(e.declinationRad, 0.0, 1e-12);
}
