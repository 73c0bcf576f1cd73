#include "platform/Time.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

using kiv::LocalCalendar;
using kiv::Time;

namespace {

constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";

Time utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return Time::fromUtc(kiv::orbit::UtcCalendar{year, month, day, hour, minute, second});
}

LocalCalendar wall(int year, int month, int day, int hour, int minute = 0, int second = 0)
{
    return LocalCalendar{year, month, day, hour, minute, second};
}

} // namespace

TEST(Time, UtcFieldsAndJulianDate)
{
    EXPECT_EQ(utc(1970, 1, 1).secondsSince1970(), 0);
    EXPECT_EQ(utc(2000, 1, 1, 12).secondsSince1970(), 946728000);
    EXPECT_DOUBLE_EQ(utc(2000, 1, 1, 12).julianDate(), 2451545.0);
    EXPECT_EQ(utc(2024, 13, 1), utc(2025, 1, 1)); // months carry over as in timegm
    EXPECT_EQ(utc(2024, 3, 0), utc(2024, 2, 29));
    for (const std::int64_t seconds : {-86401LL, 0LL, 951782399LL, 1709164800LL, 32503679999LL}) {
        const kiv::orbit::UtcCalendar c = Time(seconds).utcCalendar();
        EXPECT_EQ(Time::fromUtc(c).secondsSince1970(), seconds);
    }
    const kiv::orbit::UtcCalendar leapDay = utc(2024, 2, 29, 23, 59, 58).utcCalendar();
    EXPECT_EQ(leapDay, (kiv::orbit::UtcCalendar{2024, 2, 29, 23, 59, 58, 0, 4}));
}

TEST(Time, LocalFieldsFollowTheRulesOfTheInstant)
{
    const kiv::test::ScopedTimeZone zone(kCentralEurope);
    const Time winter = utc(2024, 1, 15, 12);
    const Time summer = utc(2024, 7, 15, 12);
    EXPECT_EQ(winter.localMinusUtcSeconds(), 3600);
    EXPECT_EQ(summer.localMinusUtcSeconds(), 7200);
    EXPECT_EQ(winter.local().hour, 13);
    EXPECT_FALSE(winter.local().daylightSaving);
    EXPECT_EQ(summer.local().hour, 14);
    EXPECT_TRUE(summer.local().daylightSaving);
    // A July date entered in January still means July's offset.
    EXPECT_EQ(Time::fromLocal(wall(2024, 7, 15, 14)), summer);
    EXPECT_EQ(Time::fromLocal(wall(2024, 1, 15, 13)), winter);
    // One day at noon across the spring change is 23 hours of absolute time.
    EXPECT_EQ(Time::fromLocal(wall(2024, 3, 31, 12)) - Time::fromLocal(wall(2024, 3, 30, 12)), 23 * 3600);
    // The autumn change: 2024-10-27 03:00 CEST becomes 02:00 CET.
    EXPECT_EQ(utc(2024, 10, 27, 0, 59, 59).local().hour, 2);
    EXPECT_EQ(utc(2024, 10, 27, 1).local().hour, 2);
    EXPECT_EQ(utc(2024, 10, 27, 1).localMinusUtcSeconds(), 3600);
}

TEST(Time, WallTimesInTheGapAndTheOverlap)
{
    const kiv::test::ScopedTimeZone zone(kCentralEurope);
    // 02:30 does not exist on 2024-03-31: it is read as 03:30 CEST (01:30 UTC).
    const Time inGap = Time::fromLocal(wall(2024, 3, 31, 2, 30));
    EXPECT_EQ(inGap, utc(2024, 3, 31, 1, 30));
    EXPECT_EQ(inGap.local(), (LocalCalendar{2024, 3, 31, 3, 30, 0, 0, true}));
    // Edges of the gap.
    EXPECT_EQ(Time::fromLocal(wall(2024, 3, 31, 1, 59, 59)), utc(2024, 3, 31, 0, 59, 59));
    EXPECT_EQ(Time::fromLocal(wall(2024, 3, 31, 3)), utc(2024, 3, 31, 1));
    // 02:30 happens twice on 2024-10-27: the earlier, still in summer time, is taken.
    EXPECT_EQ(Time::fromLocal(wall(2024, 10, 27, 2, 30)), utc(2024, 10, 27, 0, 30));
    EXPECT_EQ(Time::fromLocal(wall(2024, 10, 27, 3)), utc(2024, 10, 27, 2));
}

TEST(Time, LocalRoundTripsInSeveralZones)
{
    for (const char* rule : {"UTC0", "IST-5:30", kCentralEurope, "NZST-12NZDT,M9.5.0,M4.1.0/3",
                             "EST5EDT,M3.2.0,M11.1.0"}) {
        const kiv::test::ScopedTimeZone zone(rule);
        for (std::int64_t t = 0; t < 4'000'000'000LL; t += 7'777'777) {
            const Time instant(t);
            ASSERT_EQ(Time::fromLocal(instant.local()), instant) << rule << " at " << t;
            const kiv::orbit::UtcCalendar u = instant.utcCalendar();
            const LocalCalendar l = instant.local();
            const Time localAsUtc = Time::fromUtc(kiv::orbit::UtcCalendar{l.year, l.month, l.day, l.hour, l.minute, l.second});
            ASSERT_EQ(localAsUtc - Time::fromUtc(u), instant.localMinusUtcSeconds()) << rule << " at " << t;
        }
    }
    const kiv::test::ScopedTimeZone india("IST-5:30");
    EXPECT_EQ(utc(2024, 5, 5, 3, 37, 3).local(), (LocalCalendar{2024, 5, 5, 9, 7, 3, 0, false}));
    EXPECT_EQ(Time(0).localMinusUtcSeconds(), 19800);
}

TEST(Time, ArithmeticAndOrder)
{
    const Time t(1000);
    EXPECT_EQ((t + 86163).secondsSince1970(), 87163);
    EXPECT_EQ((t - 2000).secondsSince1970(), -1000);
    EXPECT_LT(t, t + 1);
    EXPECT_EQ(t.utcInstant().secondsSince1970, 1000);
}
