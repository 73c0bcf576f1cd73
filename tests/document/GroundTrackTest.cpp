// The ground-track ring: centred on the clock at first, moved on by whole steps either way.
#include "document/GroundTrack.h"
#include "orbit/CSGP4_SDP4.h"
#include "tests/support/TleWriter.h"

#include <gtest/gtest.h>

#include <random>

using namespace kiv;

namespace {

constexpr int kPoints = 35;

class GroundTrackTest : public ::testing::Test {
protected:
    GroundTrackTest()
    {
        const auto tle = test::makeTle("LOW", {});
        orbit_.SetSatellite(tle.name.c_str(), tle.line1.c_str(), tle.line2.c_str(), true);
        record_ = *orbit_.GetSatellite();
        epoch_ = record_.epochJd + record_.epochJdFraction;
        info_.step = trackStep(1.0, kPoints, record_.meanMotion);
        allocateTrack(info_, history_, kPoints);
    }

    void advance(double jd, bool shown = true)
    {
        orbit_.SetSatellite(&record_, true);
        advanceTrack(info_, history_, orbit_, jd, {kPoints, shown, true});
    }

    // The point the ring should hold at time t.
    void expectPointAt(int k, double t)
    {
        CSGP4_SDP4 direct;
        direct.SetSatellite(&record_, true);
        ASSERT_EQ(direct.SGP(t), 1);
        direct.CalculateLatLonAlt(t);
        EXPECT_NEAR(history_.timeTrack[k], t, 1e-9) << "entry " << k;
        EXPECT_NEAR(info_.trackLat[k], direct.GetLat(), 1e-9) << "entry " << k;
        EXPECT_NEAR(info_.trackLon[k], direct.GetLon(), 1e-9) << "entry " << k;
        EXPECT_NEAR(info_.trackAlt[k], direct.GetAlt() / 1000.0, 1e-12) << "entry " << k;
    }

    double invariant() const { return info_.lastTrack - info_.lastJd + info_.accum; }

    CSGP4_SDP4 orbit_;
    tagSATELLITE record_{};
    double epoch_ = 0.0;
    tagSATINFO info_;
    tagSATHISTORY history_;
};

} // namespace

TEST(TrackStep, SpansTheOrbitsAskedFor)
{
    EXPECT_DOUBLE_EQ(trackStep(1.0, 35, 15.5), 1.0 / 542.5);
    EXPECT_NEAR(trackStep(1.0, 35, 1.0027) * 1440.0, 41.03, 0.01);
    EXPECT_EQ(trackStep(1.0, 35, 0.0), 0.0);
    EXPECT_EQ(trackStep(0.0, 35, 15.5), 0.0);
    EXPECT_EQ(trackStep(1.0, 0, 15.5), 0.0);
}

TEST_F(GroundTrackTest, FirstCallFillsTheRingAroundTheClock)
{
    const double jd = epoch_ + 0.3;
    advance(jd);
    for (int k = 0; k < kPoints; ++k)
        expectPointAt(k, jd - 17.5 * info_.step + k * info_.step);
    EXPECT_DOUBLE_EQ(info_.lastTrack, history_.timeTrack[kPoints - 1]);
    EXPECT_EQ(info_.accum, 0.0);
    EXPECT_NEAR(invariant(), (kPoints / 2.0 - 1.0) * info_.step, 1e-9);
}

TEST_F(GroundTrackTest, SmallAdvancesOnlyAccumulateUntilAStepIsDue)
{
    const double jd = epoch_ + 0.3;
    advance(jd);
    const std::vector<double> before = info_.trackLat;
    const double minute = 1.0 / 1440.0;
    advance(jd + minute);
    advance(jd + 2 * minute);
    EXPECT_EQ(info_.trackLat, before);
    EXPECT_NEAR(info_.accum, 2 * minute, 1e-9); // dates resolve 40 microseconds
    advance(jd + 3 * minute); // 3 minutes > one step of 2.65 minutes
    EXPECT_EQ(info_.trackLat[0], before[1]);
    EXPECT_EQ(info_.trackLat[kPoints - 2], before[kPoints - 1]);
    expectPointAt(kPoints - 1, history_.timeTrack[kPoints - 2] + info_.step);
}

TEST_F(GroundTrackTest, WholeStepsShiftTheRingEitherWay)
{
    const double jd = epoch_ + 0.3;
    advance(jd);
    const std::vector<double> times = history_.timeTrack;
    advance(jd + 5.5 * info_.step);
    for (int k = 0; k < kPoints - 5; ++k)
        EXPECT_EQ(history_.timeTrack[k], times[k + 5]);
    for (int k = kPoints - 5; k < kPoints; ++k)
        expectPointAt(k, times[kPoints - 1] + (k - kPoints + 6) * info_.step);

    // Back by seven steps with half a step pending: the ring moves up by six and gains points
    // before its first.
    const std::vector<double> later = history_.timeTrack;
    advance(jd + 5.5 * info_.step - 7.0 * info_.step);
    for (int k = 6; k < kPoints; ++k)
        EXPECT_NEAR(history_.timeTrack[k], later[k - 6], 1e-9);
    for (int k = 0; k < 6; ++k)
        expectPointAt(k, later[0] - (6 - k) * info_.step);
    EXPECT_NEAR(info_.accum, -0.5 * info_.step, 1e-9);
}

TEST_F(GroundTrackTest, JumpsOfARingOrMoreRecomputeAroundTheNewTime)
{
    advance(epoch_ + 0.3);
    for (const double jd : {epoch_ + 2.0, epoch_ - 1.0}) {
        advance(jd);
        expectPointAt(0, jd - 17.5 * info_.step);
        expectPointAt(kPoints - 1, jd + 16.5 * info_.step);
        EXPECT_EQ(info_.accum, 0.0);
    }
}

TEST_F(GroundTrackTest, TheRingKeepsItsPlaceAroundTheClock)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<double> advanceDays(0.0, 5.0 * info_.step);
    double jd = epoch_ + 0.1;
    advance(jd);
    const double expected = (kPoints / 2.0 - 1.0) * info_.step;
    // Each shift rounds the newest point's date (dates resolve 40 microseconds), so the bound
    // allows for some hundred roundings.
    for (int i = 0; i < 300; ++i) {
        jd += advanceDays(random) * (i % 7 == 6 ? -1.0 : 1.0);
        advance(jd);
        ASSERT_NEAR(invariant(), expected, 1e-8) << "after advance " << i;
    }
    for (int k = 1; k < kPoints; ++k)
        EXPECT_NEAR(history_.timeTrack[k] - history_.timeTrack[k - 1], info_.step, 1e-9);
}

TEST_F(GroundTrackTest, HiddenTracksOnlyAccumulate)
{
    advance(epoch_ + 0.3);
    const std::vector<double> before = info_.trackLon;
    advance(epoch_ + 0.4, false);
    advance(epoch_ + 0.5, false);
    EXPECT_EQ(info_.trackLon, before);
    EXPECT_NEAR(info_.accum, 0.2, 1e-9);
}
