#pragma once
// Time values of the orbit library and the conversions between them.
// Calendar values are proleptic Gregorian UTC; Julian dates are days (UTC).

#include <cstdint>

namespace kiv::orbit {

// An absolute instant: seconds since 1970-01-01 00:00:00 UTC.
struct UtcInstant {
    std::int64_t secondsSince1970 = 0;
};

// A broken-down UTC calendar value. Years may be negative (astronomical numbering: 0 is 1 BC).
struct UtcCalendar {
    int year = 1970;
    int month = 1;       // 1..12
    int day = 1;         // 1..31
    int hour = 0;        // 0..23
    int minute = 0;      // 0..59
    int second = 0;      // 0..59
    int millisecond = 0; // 0..999
    int dayOfWeek = 4;   // 0 = Sunday; filled by calendarDate, ignored by julianDate

    friend bool operator==(const UtcCalendar&, const UtcCalendar&) = default;
};

inline constexpr double kJulianDateUnixEpoch = 2440587.5; // 1970-01-01 00:00 UTC
inline constexpr double kJulianDateJ2000 = 2451545.0;     // 2000-01-01 12:00 UTC

// Days from 1970-01-01 to the given civil date (negative before it).
std::int64_t daysFromCivil(std::int64_t year, int month, int day);

double julianDate(UtcInstant t);
double julianDate(const UtcCalendar& c);
UtcCalendar calendarDate(double jd);

// Day of the year (1 January is 1); 0 for a month or day that does not exist.
int dayOfYear(int year, int month, int day);
bool isLeapYear(std::int64_t year);

// Greenwich mean sidereal time by the IAU-82 formula, in radians [0, 2 pi).
double gmstRadians(double jdUt1);

} // namespace kiv::orbit
