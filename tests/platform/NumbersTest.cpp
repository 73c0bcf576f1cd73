#include "tests/support/Prerequisite.h"
#include "platform/Numbers.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

using namespace kiv;

TEST(Numbers, FormatFixedMatchesPrintfInTheCLocale)
{
    EXPECT_EQ(formatFixed(20.0), "20.000000");
    EXPECT_EQ(formatFixed(static_cast<float>(48.1234567)), "48.123455");
    EXPECT_EQ(formatFixed(-0.5), "-0.500000");
    EXPECT_EQ(formatFixed(2451545.0, 2), "2451545.00");
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(formatFixed(-std::numeric_limits<double>::max()).size(), 309u + 1 + 7);
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> value(-1e7, 1e7);
    char expected[64];
    for (int i = 0; i < 5000; ++i) {
        const double v = value(random) / (i % 7 + 1);
        std::snprintf(expected, sizeof expected, "%f", v);
        ASSERT_EQ(formatFixed(v), expected);
    }
    EXPECT_EQ(formatInt(-6), "-6");
    EXPECT_EQ(formatInt(4194304), "4194304");
}

TEST(Numbers, FormatSingleShowsWhatAFloatHoldsWithoutNoise)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {static_cast<float>(11.6), "11.6"},   {static_cast<float>(-11.6), "-11.6"}, {static_cast<float>(48.1234), "48.1234"},
        {static_cast<float>(0.523), "0.523"}, {20.0, "20"},                        {1e6, "1000000"},
        {static_cast<float>(0.1234567), "0.123457"}, // at most six decimals
        {-1e-9, "0"},                         {0.0, "0"},                           {-180.0, "-180"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatSingle(c.value), c.text) << c.value;
    // Where six decimals can tell floats apart, the text gives back the float it came from.
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(16.0f, 180.0f);
    for (int i = 0; i < 2000; ++i) {
        const float v = (i % 2 ? -1.0f : 1.0f) * value(random);
        const std::string text = formatSingle(v);
        ASSERT_EQ(static_cast<float>(parseDouble(text)), v) << text;
        const std::size_t point = text.find('.');
        ASSERT_TRUE(point == std::string::npos || text.size() - point - 1 <= 6) << text;
    }
}

TEST(Numbers, ParseDoubleReadsLikeAtof)
{
    bool any = true;
    EXPECT_EQ(parseDouble("abc", &any), 0.0);
    EXPECT_FALSE(any);
    EXPECT_EQ(parseDouble("", &any), 0.0);
    EXPECT_FALSE(any);
    EXPECT_EQ(parseDouble("7.5xyz", &any), 7.5);
    EXPECT_TRUE(any);
    EXPECT_EQ(parseDouble("  \t-6.083333,  50"), -6.083333);
    EXPECT_EQ(parseDouble("+.5"), 0.5);
    EXPECT_EQ(parseDouble("5."), 5.0);
    EXPECT_EQ(parseDouble("1e3x"), 1000.0);
    EXPECT_EQ(parseDouble("1e"), 1.0);
    EXPECT_EQ(parseDouble("2.5E-1"), 0.25);
    EXPECT_EQ(parseDouble("--5", &any), 0.0);
    EXPECT_FALSE(any);
    EXPECT_EQ(parseDouble("- 5"), 0.0);
    EXPECT_EQ(parseDouble("1,5"), 1.0); // a comma is never a decimal point
    EXPECT_EQ(parseDouble("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseDouble("-123456789e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseDouble("1e-999"), 0.0);
    EXPECT_EQ(parseDouble("0.000001e-400"), 0.0);
    EXPECT_TRUE(std::isinf(parseDouble("inf")));
    EXPECT_TRUE(std::isnan(parseDouble("nan")));
    EXPECT_EQ(static_cast<float>(parseDouble("48.123455")), 48.12345504760742f);
}

TEST(Numbers, ParseIntReadsLikeAtoiAndSaturates)
{
    bool any = false;
    EXPECT_EQ(parseInt("35abc", &any), 35);
    EXPECT_TRUE(any);
    EXPECT_EQ(parseInt("abc", &any), 0);
    EXPECT_FALSE(any);
    EXPECT_EQ(parseInt("-6"), -6);
    EXPECT_EQ(parseInt("  +42 7"), 42);
    EXPECT_EQ(parseInt("7.9"), 7);
    EXPECT_EQ(parseInt("0x1A"), 0);
    EXPECT_EQ(parseInt("2147483647"), 2147483647);
    EXPECT_EQ(parseInt("2147483648"), 2147483647);
    EXPECT_EQ(parseInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseInt("-99999999999999999999999"), -2147483647 - 1);
}

// Qt sets the user's locale at start-up; the files must not notice.
TEST(Numbers, GermanNumericLocaleChangesNothing)
{
    const kiv::test::ScopedNumericLocale german("de_DE.UTF-8");
    if (!german.available())
        KIV_MISSING_PREREQUISITE() << "locale de_DE.UTF-8 is not installed (tools/setup-deps.sh generates it)";
    char printed[32];
    std::snprintf(printed, sizeof printed, "%f", 0.5);
    ASSERT_STREQ(printed, "0,500000") << "the German locale is not in force";
    EXPECT_EQ(formatFixed(0.5), "0.500000");
    EXPECT_EQ(parseDouble("20.000000"), 20.0);
    EXPECT_EQ(parseDouble("20,5"), 20.0);
    EXPECT_EQ(parseInt("1.234"), 1);
}
