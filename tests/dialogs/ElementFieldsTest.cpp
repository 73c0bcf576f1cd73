// The element-set fields of the satellite data dialog.
#include "dialogs/ElementFields.h"

#include <gtest/gtest.h>

using namespace kiv;

namespace {
const std::string kLine1 = "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927";
const std::string kLine2 = "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";
} // namespace

TEST(ElementFields, DecodesEveryColumnOfAPublishedSet)
{
    const ElementFields f = decodeElementFields(kLine1, kLine2);
    EXPECT_EQ(f.SatelliteNumber, 25544);
    EXPECT_EQ(f.LaunchYear, 1998);
    EXPECT_EQ(f.LaunchNumber, 67);
    EXPECT_EQ(f.LaunchPiece, "A  ");
    EXPECT_EQ(f.EpochYear, 2008);
    EXPECT_EQ(f.EpochDay, 264);
    EXPECT_EQ(f.EpochDayFraction, "0.51782528");
    EXPECT_DOUBLE_EQ(f.BallisticCoefficient, -0.00002182);
    EXPECT_NEAR(f.RadiationPressure, -0.000011606, 1e-18);
    EXPECT_EQ(f.EphemerisType, "0");
    EXPECT_EQ(f.ElementNumber, 292);
    EXPECT_DOUBLE_EQ(f.Inclination, 51.6416);
    EXPECT_DOUBLE_EQ(f.RightAscension, 247.4627);
    EXPECT_NEAR(f.Eccentricity, 0.0006703, 1e-15);
    EXPECT_DOUBLE_EQ(f.ArgumentOfPerigee, 130.5360);
    EXPECT_DOUBLE_EQ(f.MeanAnomaly, 325.0288);
    EXPECT_DOUBLE_EQ(f.MeanMotion, 15.72125391);
    EXPECT_EQ(f.RevolutionNumber, 56353);
}

TEST(ElementFields, ShortLinesYearsAndLongitudes)
{
    const ElementFields cut = decodeElementFields(kLine1.substr(0, 20), "");
    EXPECT_EQ(cut.SatelliteNumber, 25544);
    EXPECT_EQ(cut.EpochYear, 2008);
    EXPECT_EQ(cut.EpochDay, 0);
    EXPECT_EQ(cut.EpochDayFraction, "0");
    EXPECT_EQ(cut.RadiationPressure, 0.0);
    EXPECT_EQ(cut.EphemerisType, "");
    EXPECT_EQ(cut.MeanMotion, 0.0);

    for (const auto& [field, fraction] :
         {std::pair{"264.1166040 ", "0.1166040"}, {" 12.5", "0.5"}, {"  7.", "0"}, {"   ", "0"}})
        EXPECT_EQ(decodeElementFields(kLine1.substr(0, 20) + field, "").EpochDayFraction, fraction) << field;
    for (const auto& [two, four] : {std::pair{7, 2007}, {98, 1998}, {50, 2050}, {51, 1951}, {0, 2000}})
        EXPECT_EQ(fourDigitYear(two), four);
    for (const auto& [east, west] : {std::pair{200.0, 160.0}, {20.0, -20.0}, {180.0, -180.0}, {0.0, 0.0}})
        EXPECT_EQ(westLongitude(east), west);

    const auto at = satellitePosition("ISS", kLine1, kLine2, 2454732.0);
    ASSERT_TRUE(at);
    EXPECT_LE(std::abs(at->latitude), 51.7);
    EXPECT_GT(at->heightKm, 300.0f);
    EXPECT_LT(at->heightKm, 450.0f);
    EXPECT_FALSE(satellitePosition("X", "garbage", "", 2454732.0));
}
