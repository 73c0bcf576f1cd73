#include "orbit/OrbitMath.h"
#include "orbit/OrbitTime.h"

#include <gtest/gtest.h>

#include <random>

using namespace kiv::orbit;

TEST(OrbitTime, JulianDatesOfKnownInstants)
{
    EXPECT_DOUBLE_EQ(julianDate(UtcCalendar{2000, 1, 1, 12}), 2451545.0);
    EXPECT_DOUBLE_EQ(julianDate(UtcCalendar{1970, 1, 1}), 2440587.5);
    EXPECT_DOUBLE_EQ(julianDate(UtcCalendar{1999, 7, 22}), 2451381.5);
    EXPECT_DOUBLE_EQ(julianDate(UtcInstant{0}), 2440587.5);
    EXPECT_DOUBLE_EQ(julianDate(UtcInstant{946728000}), 2451545.0);
    EXPECT_DOUBLE_EQ(julianDate(UtcInstant{-86400}), 2440586.5);
}

TEST(OrbitTime, CalendarDateInvertsJulianDate)
{
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> seconds(-2'000'000'000'000LL / 100, 253'402'300'799LL);
    for (int i = 0; i < 20000; ++i) {
        const UtcInstant t{seconds(random)};
        const UtcCalendar c = calendarDate(julianDate(t));
        const std::int64_t back = daysFromCivil(c.year, c.month, c.day) * 86400 + c.hour * 3600 +
                                  c.minute * 60 + c.second + (c.millisecond >= 500 ? 1 : 0);
        ASSERT_EQ(back, t.secondsSince1970) << "at " << t.secondsSince1970;
        ASSERT_EQ(julianDate(c), julianDate(calendarDate(julianDate(c))));
    }
}

TEST(OrbitTime, CalendarDateCoversTheTimeDialogsRange)
{
    const UtcCalendar early = calendarDate(0.0); // -4712-01-01 12:00 in the Julian calendar
    EXPECT_EQ(early.hour, 12);
    EXPECT_DOUBLE_EQ(julianDate(early), 0.0);
    const UtcCalendar late = calendarDate(julianDate(UtcCalendar{9999, 12, 31, 23, 59, 59}));
    EXPECT_EQ(late, (UtcCalendar{9999, 12, 31, 23, 59, 59, 0, 5}));
    const UtcCalendar j2000 = calendarDate(2451545.0);
    EXPECT_EQ(j2000, (UtcCalendar{2000, 1, 1, 12, 0, 0, 0, 6}));
}

TEST(OrbitTime, DayOfYear)
{
    EXPECT_EQ(dayOfYear(2024, 3, 1), 61);
    EXPECT_EQ(dayOfYear(2023, 3, 1), 60);
    EXPECT_EQ(dayOfYear(1900, 3, 1), 60);
    EXPECT_EQ(dayOfYear(2000, 12, 31), 366);
    EXPECT_EQ(dayOfYear(2023, 1, 1), 1);
    EXPECT_EQ(dayOfYear(2023, 2, 29), 0);
    EXPECT_EQ(dayOfYear(2023, 13, 1), 0);
    EXPECT_EQ(dayOfYear(2023, 4, 0), 0);
}

TEST(OrbitTime, SiderealTimeByTheIau82Formula)
{
    EXPECT_NEAR(gmstRadians(2451545.0) * kRadToDeg, 280.46061837, 1e-7);
    EXPECT_NEAR(gmstRadians(2446895.5) * kRadToDeg, 197.693195, 1e-5);
    EXPECT_NEAR(gmstRadians(2440587.5) * kRadToDeg, 100.2296372, 1e-5);
    EXPECT_GE(gmstRadians(2000000.0), 0.0);
    EXPECT_LT(gmstRadians(2000000.0), kTwoPi);
}

TEST(OrbitMath, ModulusIsHalfOpen)
{
    EXPECT_DOUBLE_EQ(modulus(-90.0, 360.0), 270.0);
    EXPECT_DOUBLE_EQ(modulus(720.0, 360.0), 0.0);
    EXPECT_DOUBLE_EQ(modulus(-1e-20, 360.0), 0.0);
    EXPECT_DOUBLE_EQ(modulus(359.5, 360.0), 359.5);
}
