// Where a beam meets the earth, against the plain intersection of its cone with the sphere.
#include "document/BeamFootprint.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kiv;

namespace {

// The cone's edge from the satellite at distance d from the centre, at half angle a to the line
// to the centre, meets the sphere where the distance along it is the smaller root; the footprint
// radius is the distance of that point from the line.
double intersectionRadius(double beamAngleDeg, double altitude)
{
    const double a = beamAngleDeg * 3.141592654 / 360.0; // as the program writes pi
    const double d = altitude + kEarthRadius;
    const double disc = kEarthRadiusSquared - d * d * std::sin(a) * std::sin(a);
    const double along = d * std::cos(a) - std::sqrt(disc);
    return along * std::sin(a);
}

} // namespace

TEST(BeamFootprint, MatchesTheConeIntersection)
{
    for (const auto& [angle, altitude] : {std::pair{17.0, 35.786}, {20.0, 0.4}, {60.0, 0.4}, {120.0, 0.8}, {5.0, 20.2}}) {
        const BeamFootprint f = beamFootprint(angle, altitude);
        EXPECT_NEAR(f.footprintRadius, intersectionRadius(angle, altitude), 1e-9) << angle << " at " << altitude;
        EXPECT_NEAR(f.footprintDist, std::sqrt(kEarthRadiusSquared - f.footprintRadius * f.footprintRadius) + 0.05, 1e-12);
    }
    EXPECT_NEAR(beamFootprint(17.0, 35.786).footprintRadius, 5.9634, 1e-4);
    EXPECT_NEAR(beamFootprint(20.0, 0.4).footprintRadius, 0.0706, 1e-4);
    EXPECT_NEAR(beamFootprint(60.0, 0.4).footprintRadius, 0.233, 1e-3);
    EXPECT_NEAR(beamFootprint(120.0, 0.8).footprintRadius, 1.872, 1e-3);
}

TEST(BeamFootprint, WideBeamsLightEverythingUpToTheHorizon)
{
    const BeamFootprint geo = beamFootprint(20.0, 35.786);
    EXPECT_NEAR(geo.beamHalfAngle, 0.17453292522222222, 1e-15);
    EXPECT_NEAR(geo.beamRadius, 7.434650815582479, 1e-9);
    EXPECT_NEAR(geo.footprintRadius, 6.304608483026869, 1e-9);
    EXPECT_NEAR(geo.footprintDist, 1.0147776302058613, 1e-9);
    for (const double angle : {179.99949645996094, 180.0, 250.0}) {
        const BeamFootprint f = beamFootprint(angle, 0.4);
        EXPECT_NEAR(f.footprintRadius, 2.1586134485952715, 1e-9) << angle;
        EXPECT_NEAR(f.footprintDist, 6.051605783416937, 1e-9) << angle;
        EXPECT_TRUE(std::isfinite(f.beamRadius));
    }
}

TEST(BeamFootprint, DegenerateInputsGiveNoFootprintAndNoNaN)
{
    for (const double angle : {0.0, -10.0, std::nan("")}) {
        const BeamFootprint f = beamFootprint(angle, 0.4);
        EXPECT_EQ(f.footprintRadius, 0.0) << angle;
        EXPECT_DOUBLE_EQ(f.footprintDist, 6.428);
    }
    for (const double altitude : {0.0, -1.0, std::nan("")}) {
        const BeamFootprint f = beamFootprint(20.0, altitude);
        EXPECT_EQ(f.footprintRadius, 0.0) << altitude;
        EXPECT_TRUE(std::isfinite(f.footprintDist));
    }
    EXPECT_EQ(clampBeamAngle(200.0), kMaxBeamAngle);
    EXPECT_EQ(clampBeamAngle(45.0), 45.0);
}
