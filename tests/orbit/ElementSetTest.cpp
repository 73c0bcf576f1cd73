#include "orbit/ElementSet.h"

#include <gtest/gtest.h>

#include <string>

using namespace kiv::orbit;

namespace {
const char* kVanguard1 = "1 00005U 58002B   00179.78495062  .00000023  00000-0  28098-4 0  4753";
const char* kVanguard2 = "2 00005  34.2682 348.7242 1859667 331.7664  19.3264 10.82419157413667";
} // namespace

TEST(ElementSet, ReadsEveryFixedColumnField)
{
    const auto e = parseElementSet(kVanguard1, kVanguard2);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->catalogNumber, 5);
    EXPECT_EQ(e->epochYear, 2000);
    EXPECT_DOUBLE_EQ(e->epochDayOfYear, 179.78495062);
    EXPECT_DOUBLE_EQ(e->epochJd, 2451722.5);
    EXPECT_NEAR(e->epochJdFraction, 0.78495062, 1e-12);
    EXPECT_DOUBLE_EQ(e->meanMotionDot, 0.00000023);
    EXPECT_DOUBLE_EQ(e->meanMotionDDot, 0.0);
    EXPECT_DOUBLE_EQ(e->bstar, 2.8098e-05);
    EXPECT_DOUBLE_EQ(e->inclinationDeg, 34.2682);
    EXPECT_DOUBLE_EQ(e->raanDeg, 348.7242);
    EXPECT_DOUBLE_EQ(e->eccentricity, 0.1859667);
    EXPECT_DOUBLE_EQ(e->argPerigeeDeg, 331.7664);
    EXPECT_DOUBLE_EQ(e->meanAnomalyDeg, 19.3264);
    EXPECT_DOUBLE_EQ(e->meanMotionRevPerDay, 10.82419157);
    EXPECT_EQ(e->revolutionNumber, 41366);
    EXPECT_EQ(e->elementSetNumber, 475);
    EXPECT_NEAR(meanElementsOf(*e).meanMotionRadPerMin, 0.04722944544077857, 1e-16);
}

TEST(ElementSet, ExponentFieldsCarrySignsAndImpliedPoints)
{
    const auto e = parseElementSet("1 16925U 86065D   06151.67415771  .02550794 -30915-6  18784-3 0  4486",
                                   "2 16925  62.0906 295.0239 5596327 245.1593  47.9690  4.88511875148616");
    ASSERT_TRUE(e);
    EXPECT_DOUBLE_EQ(e->meanMotionDDot, -0.30915e-6);
    EXPECT_DOUBLE_EQ(e->bstar, 0.18784e-3);
    EXPECT_EQ(e->epochYear, 2006);
    const auto negative = parseElementSet("1 21897U 92011A   06176.02341244 -.00001273  00000-0 -13525-3 0  3044",
                                          "2 21897  62.1749 198.0096 7421690 253.0462  20.1561  2.01269994104880");
    ASSERT_TRUE(negative);
    EXPECT_DOUBLE_EQ(negative->bstar, -0.13525e-3);
    EXPECT_DOUBLE_EQ(negative->meanMotionDot, -0.00001273);
}

TEST(ElementSet, TwoDigitYearsPivotAt57)
{
    std::string line1 = kVanguard1;
    for (auto [digits, year] : {std::pair{"57", 1957}, {"99", 1999}, {"00", 2000}, {"56", 2056}}) {
        line1.replace(18, 2, digits);
        const auto e = parseElementSet(line1, kVanguard2);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->epochYear, year);
    }
}

TEST(ElementSet, ColumnsBeyond69AndChecksumsAreIgnored)
{
    const std::string longLine2 = std::string(kVanguard2).substr(0, 68) + "9" + "     0.00      4320.0   garbage";
    EXPECT_TRUE(parseElementSet(kVanguard1, longLine2));
}

TEST(ElementSet, ShortOrGarbledLinesAreRefused)
{
    EXPECT_FALSE(parseElementSet("1", kVanguard2));
    EXPECT_FALSE(parseElementSet("", ""));
    EXPECT_FALSE(parseElementSet(kVanguard1, std::string(kVanguard2).substr(0, 60)));
    std::string badInclination = kVanguard2;
    badInclination.replace(8, 8, "  3x.268");
    EXPECT_FALSE(parseElementSet(kVanguard1, badInclination));
    std::string badEccentricity = kVanguard2;
    badEccentricity.replace(26, 7, "-859667");
    EXPECT_FALSE(parseElementSet(kVanguard1, badEccentricity));
    std::string badEpoch = kVanguard1;
    badEpoch.replace(20, 12, "179.7849506x");
    EXPECT_FALSE(parseElementSet(badEpoch, kVanguard2));
    std::string badBstar = kVanguard1;
    badBstar.replace(53, 8, " 2a098-4");
    EXPECT_FALSE(parseElementSet(badBstar, kVanguard2));
}

TEST(ElementSet, OptionalFieldsFallBackWhenBlankOrBad)
{
    // A record without an international designator or ephemeris type still reads.
    const auto e = parseElementSet("1 11801U          80230.29629788  .01431103  00000-0  14311-1      13",
                                   "2 11801  46.7916 230.4354 7318036  47.4722  10.4117  2.28537848    13");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->elementSetNumber, 1);
    EXPECT_DOUBLE_EQ(e->bstar, 0.014311);
    std::string badRevolution = kVanguard2;
    badRevolution.replace(63, 5, "4x366");
    const auto revolution = parseElementSet(kVanguard1, badRevolution);
    ASSERT_TRUE(revolution);
    EXPECT_EQ(revolution->revolutionNumber, 0);
}
