#include "orbit/SunMoon.h"

#include <gtest/gtest.h>

using namespace kiv::orbit;

namespace {
double rightAscensionDeg(Vec3 v) { return modulus(std::atan2(v.y, v.x), kTwoPi) * kRadToDeg; }
double declinationDeg(Vec3 v) { return std::asin(v.z / norm(v)) * kRadToDeg; }
} // namespace

// Worked examples of the astronomical almanacs: the sun on 1992-10-13 0h TD and the moon on
// 1992-04-12 0h TD, both apparent places. Tolerances fit a low-precision series.
TEST(SunMoon, SunAgainstAlmanacExample)
{
    const Vec3 sun = sunPosition(2448908.5);
    EXPECT_NEAR(rightAscensionDeg(sun), 198.38083, 0.01);
    EXPECT_NEAR(declinationDeg(sun), -7.78507, 0.01);
    EXPECT_NEAR(norm(sun), 0.99766 * 149597870.7, 1000.0);
}

TEST(SunMoon, MoonAgainstAlmanacExample)
{
    const Vec3 moon = moonPosition(2448724.5);
    EXPECT_NEAR(rightAscensionDeg(moon), 134.688470, 0.1);
    EXPECT_NEAR(declinationDeg(moon), 13.768368, 0.1);
    EXPECT_NEAR(norm(moon), 368409.7, 100.0);
}

TEST(SunMoon, EarthShadow)
{
    const Vec3 sun = sunPosition(2451545.0);
    const Vec3 towardsSun = (1.0 / norm(sun)) * sun;
    EXPECT_EQ(eclipseOf(-7000.0 * towardsSun, sun).shadow, Shadow::Umbra);
    EXPECT_GT(eclipseOf(-7000.0 * towardsSun, sun).depthRad, 0.0);
    EXPECT_EQ(eclipseOf(7000.0 * towardsSun, sun).shadow, Shadow::Sunlit);
    EXPECT_LT(eclipseOf(7000.0 * towardsSun, sun).depthRad, 0.0);

    // A geostationary satellite a quarter turn from the sun line sees the whole sun.
    const Vec3 side{-towardsSun.y, towardsSun.x, 0.0};
    EXPECT_EQ(eclipseOf((42164.0 / norm(side)) * side, sun).shadow, Shadow::Sunlit);

    // Just outside the umbra's edge at 7000 km lies the penumbra.
    const double grazing = 6378.137 + 10.0;
    const Vec3 edge = -7000.0 * towardsSun + (grazing / norm(side)) * side;
    EXPECT_EQ(eclipseOf(edge, sun).shadow, Shadow::Penumbra);
}

TEST(SunMoon, MoonPhase)
{
    const Vec3 sun{1.5e8, 0.0, 0.0};
    EXPECT_NEAR(illuminatedFraction(sun, {-384000.0, 0.0, 0.0}, {}), 1.0, 1e-6); // full
    EXPECT_NEAR(illuminatedFraction(sun, {384000.0, 0.0, 0.0}, {}), 0.0, 1e-6);  // new
    EXPECT_NEAR(illuminatedFraction(sun, {0.0, 384000.0, 0.0}, {}), 0.5, 0.01);   // quarter
}
