#include "orbit/Geodesy.h"
#include "orbit/OrbitTime.h"

#include <gtest/gtest.h>

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
