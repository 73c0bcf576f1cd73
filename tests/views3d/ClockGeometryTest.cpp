// The 3D clock's angles and shapes as numbers.
#include "views3d/ClockGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kiv;

namespace {

double folded(double degrees) { return std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0); }

} // namespace

TEST(ClockGeometry, HandsPointAtTheTime)
{
    struct Case {
        ClockTime time;
        double hour, minute, second; // where each hand points, degrees clockwise from twelve
        double hourGear;             // the hour gear's whole turn
    };
    const Case cases[] = {
        {{3, 0, 0}, 90.0, 0.0, 0.0, 90.0},
        {{15, 0, 0}, 90.0, 0.0, 0.0, 450.0}, // the hour gear turns twice a day
        {{10, 10, 30}, 305.25, 63.0, 180.0, 305.25},
        {{0, 0, 59}, 59.0 / 120.0, 5.9, 354.0, 59.0 / 120.0},
        {{23, 59, 59}, 359.5 + 59.0 / 120.0, 359.9, 354.0, 719.5 + 59.0 / 120.0},
        {{6, 30, 0}, 195.0, 180.0, 0.0, 195.0},
    };
    for (const Case& c : cases) {
        const HandAngles a = handAngles(c.time);
        const std::string at = std::to_string(c.time.hour) + ":" + std::to_string(c.time.minute) + ":" +
                               std::to_string(c.time.second);
        EXPECT_NEAR(a.hour, c.hourGear, 1e-9) << at;
        EXPECT_NEAR(folded(a.hour), folded(c.hour), 1e-9) << at;
        EXPECT_NEAR(folded(a.minute), c.minute, 1e-9) << at;
        EXPECT_NEAR(folded(a.second), c.second, 1e-6) << at;
    }
}

TEST(ClockGeometry, ZoomBringsTheClockNearer)
{
    EXPECT_EQ(clockDistance(0), -200.0);
    EXPECT_EQ(clockDistance(4), -180.0);
    EXPECT_EQ(clockDistance(-2), -210.0);
}

TEST(ClockGeometry, GearsHaveTheirTipRadiiAndAClosedOutline)
{
    const ClockDimensions d = ClockDimensions::standard();
    EXPECT_NEAR(d.hourGear, 49.365, 1e-3);
    EXPECT_NEAR(d.minuteGear, 18.073, 1e-3);
    EXPECT_NEAR(d.minuteHourGear, 55.142, 1e-3);
    EXPECT_NEAR(d.hourMinuteGear, 19.838, 1e-3);

    for (const int teeth : {6, 8, 24}) {
        const GearOutline gear = gearOutline(teeth, 7.0, 1.25);
        ASSERT_EQ(gear.points.size(), static_cast<std::size_t>(4 * teeth));
        EXPECT_NEAR(gear.tipRadius - gear.rootRadius, 7.0, 1e-12);
        double previous = -1.0;
        for (std::size_t i = 0; i < gear.points.size(); ++i) {
            const Vec3& p = gear.points[i];
            // Root land, then tip land: two points at each radius, turning clockwise from +y.
            EXPECT_NEAR(length(p), i % 4 < 2 ? gear.rootRadius : gear.tipRadius, 1e-9) << teeth << " " << i;
            const double angle = folded(std::atan2(p.x, p.y) * 180.0 / M_PI);
            EXPECT_GT(angle, previous) << teeth << " " << i;
            previous = angle;
        }
        EXPECT_LT(previous, 360.0);
        EXPECT_EQ(gear.points[0].x, 0.0);
    }
    // The scale enlarges the gear and keeps its angles.
    const GearOutline small = gearOutline(8, 7.0, 1.0);
    const GearOutline large = gearOutline(8, 7.0, 2.0);
    EXPECT_NEAR(large.rootRadius, 2.0 * small.rootRadius, 1e-12);
    EXPECT_NEAR(std::atan2(large.points[5].x, large.points[5].y), std::atan2(small.points[5].x, small.points[5].y), 1e-12);
}

TEST(ClockGeometry, RingPointsRunClockwiseFromTwelve)
{
    const Vec3 twelve = ringPoint(0, 12, 10.0);
    const Vec3 three = ringPoint(3, 12, 10.0);
    EXPECT_NEAR(twelve.x, 0.0, 1e-12);
    EXPECT_NEAR(twelve.y, 10.0, 1e-12);
    EXPECT_NEAR(three.x, 10.0, 1e-12);
    EXPECT_NEAR(three.y, 0.0, 1e-12);
}
