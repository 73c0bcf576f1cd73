#include "orbit/OrbitTime.h"

#include "orbit/OrbitMath.h"

#include <cmath>

namespace kiv::orbit {

bool isLeapYear(std::int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Civil-date arithmetic on eras of 400 years, valid for every representable year.
std::int64_t daysFromCivil(std::int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYearFromMarch = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYearFromMarch;
    return era * 146097 + dayOfEra - 719468;
}

namespace {

void civilFromDays(std::int64_t days, UtcCalendar& c)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYearFromMarch = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYearFromMarch + 2) / 153;
    c.day = static_cast<int>(dayOfYearFromMarch - (153 * monthFromMarch + 2) / 5 + 1);
    c.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    c.year = static_cast<int>(yearOfEra + era * 400 + (c.month <= 2 ? 1 : 0));
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

double julianDate(UtcInstant t)
{
    const std::int64_t days = floorDiv(t.secondsSince1970, 86400);
    const std::int64_t seconds = t.secondsSince1970 - days * 86400;
    return kJulianDateUnixEpoch + static_cast<double>(days) + static_cast<double>(seconds) / 86400.0;
}

double julianDate(const UtcCalendar& c)
{
    const double dayFraction =
        ((c.hour * 60.0 + c.minute) * 60.0 + c.second + c.millisecond / 1000.0) / 86400.0;
    return kJulianDateUnixEpoch + static_cast<double>(daysFromCivil(c.year, c.month, c.day)) + dayFraction;
}

UtcCalendar calendarDate(double jd)
{
    UtcCalendar c;
    if (!std::isfinite(jd))
        return c;
    const double msSinceEpoch = std::round((jd - kJulianDateUnixEpoch) * 86400000.0);
    // Clamp to the calendar's range (about years -4712 .. 9999 and a wide margin beyond).
    const double limit = 86400000.0 * 366.0 * 20000.0;
    const auto totalMs = static_cast<std::int64_t>(std::fmax(-limit, std::fmin(limit, msSinceEpoch)));
    const std::int64_t msPerDay = 86400000;
    const std::int64_t days = floorDiv(totalMs, msPerDay);
    std::int64_t ms = totalMs - days * msPerDay;
    civilFromDays(days, c);
    c.hour = static_cast<int>(ms / 3600000);
    ms %= 3600000;
    c.minute = static_cast<int>(ms / 60000);
    ms %= 60000;
    c.second = static_cast<int>(ms / 1000);
    c.millisecond = static_cast<int>(ms % 1000);
    c.dayOfWeek = static_cast<int>(((days % 7) + 7 + 4) % 7); // 1970-01-01 was a Thursday
    return c;
}

int dayOfYear(int year, int month, int day)
{
    static constexpr int kCumulative[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    static constexpr int kLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    const bool leap = isLeapYear(year);
    const int length = kLength[month - 1] + (month == 2 && leap ? 1 : 0);
    if (day < 1 || day > length)
        return 0;
    return kCumulative[month - 1] + day + (month > 2 && leap ? 1 : 0);
}

double gmstRadians(double jdUt1)
{
    const double tut1 = (jdUt1 - kJulianDateJ2000) / 36525.0;
    const double seconds = -6.2e-6 * tut1 * tut1 * tut1 + 0.093104 * tut1 * tut1 +
                           (876600.0 * 3600.0 + 8640184.812866) * tut1 + 67310.54841;
    double theta = std::fmod(seconds * kDegToRad / 240.0, kTwoPi);
    if (theta < 0.0)
        theta += kTwoPi;
    return theta;
}

} // namespace kiv::orbit
