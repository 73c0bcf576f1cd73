// The orbit ring's bookkeeping against a propagator that tells the time it was asked for.
#include "views3d/OrbitRing.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kiv;

namespace {

constexpr double kJd = 2460411.0;

// x is the Julian date the point was computed for.
const OrbitRing::Propagator kClock = [](double jd) { return Vec3{jd, 0.0, 0.0}; };

OrbitRing ring(double meanMotion = 1.0027, int points = 35)
{
    OrbitRing r;
    r.reset(meanMotion, points);
    return r;
}

} // namespace

TEST(OrbitRing, FirstUpdateComputesARingCentredOnNow)
{
    OrbitRing r = ring();
    EXPECT_NEAR(r.step(), 0.0293326, 1e-7);
    r.update(kJd, kClock);
    const auto& p = r.points();
    ASSERT_EQ(p.size(), 35u);
    EXPECT_NEAR(p.front().x, kJd - 35 * r.step() / 2, 1e-9);
    EXPECT_NEAR(p.back().x, r.lastPointTime(), 1e-9);
    EXPECT_NEAR(p[1].x - p[0].x, r.step(), 1e-9);
}

TEST(OrbitRing, WholeStepsShiftTheRingAndAppend)
{
    OrbitRing r = ring();
    r.update(kJd, kClock);
    const auto before = r.points();
    // Under one step only the carry grows.
    r.update(kJd + 0.5 * r.step(), kClock);
    EXPECT_NEAR(r.carry(), 0.5 * r.step(), 1e-9);
    EXPECT_EQ(r.points()[0].x, before[0].x);
    // With the carry, 2.5 more steps make 3 whole ones: 32 old points move down, 3 are new.
    r.update(kJd + 3.0 * r.step(), kClock);
    EXPECT_NEAR(r.carry(), 0.0, 1e-9);
    for (int k = 0; k < 32; ++k)
        EXPECT_EQ(r.points()[k].x, before[k + 3].x);
    for (int k = 32; k < 35; ++k)
        EXPECT_NEAR(r.points()[k].x, before.back().x + (k - 31) * r.step(), 1e-9);
}

TEST(OrbitRing, LongJumpsAndBackwardTimeRecompute)
{
    OrbitRing r = ring(15.5, 360);
    r.update(kJd, kClock);
    // N steps or more: centred anew (also for ratios far beyond any integer range).
    r.update(kJd + 10.0, kClock);
    EXPECT_NEAR(r.points().front().x, kJd + 10.0 - 360 * r.step() / 2, 1e-9);
    r.update(kJd + 1e9, kClock);
    EXPECT_NEAR(r.points().front().x, kJd + 1e9 - 360 * r.step() / 2, 1e-3);
    // Running backwards never appends future points.
    r.update(kJd, kClock);
    EXPECT_NEAR(r.points().front().x, kJd - 360 * r.step() / 2, 1e-9);
    EXPECT_NEAR(r.points().back().x, r.lastPointTime(), 1e-9);
}

TEST(OrbitRing, TooFewPointsOrNoMotionStaySafe)
{
    OrbitRing r = ring(1.0, 1);
    EXPECT_EQ(r.points().size(), 3u);
    EXPECT_NEAR(r.step(), 0.5, 1e-12);
    OrbitRing still = ring(0.0, 35);
    still.update(kJd, kClock);
    EXPECT_EQ(still.points()[10].x, 0.0);
}

// The globe asks dueAt before it draws a frame in exact mode: it must say yes exactly when an
// update would change the points.
TEST(OrbitRing, DueExactlyWhenAnUpdateWouldChangeThePoints)
{
    OrbitRing r = ring();
    const double s = r.step();
    const auto times = [&r] {
        std::vector<double> x;
        for (const Vec3& p : r.points())
            x.push_back(p.x);
        return x;
    };
    // First, within a step, a step's carry reached, past it, within again, backwards, far ahead.
    for (const double jd : {kJd, kJd + 0.5 * s, kJd + s, kJd + 1.2 * s, kJd + 1.3 * s, kJd - s, kJd + 40 * s}) {
        const bool due = r.dueAt(jd);
        const std::vector<double> before = times();
        r.update(jd, kClock);
        EXPECT_EQ(due, times() != before) << (jd - kJd) / s << " steps";
    }
    EXPECT_FALSE(ring(0.0, 35).dueAt(kJd));
}
