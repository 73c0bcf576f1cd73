#include "platform/Time.h"

#include <ctime>
#include <limits>
#include <optional>

namespace kiv {

namespace {

// The local/UTC offset can never exceed a day; probing a day either side of a wall-clock value
// therefore sees the offsets before and after any transition that could affect it.
constexpr std::int64_t kProbeSeconds = 86400;

std::optional<std::tm> localFields(std::int64_t seconds)
{
    const auto t = static_cast<std::time_t>(seconds);
    std::tm fields{};
    if (localtime_r(&t, &fields) == nullptr || fields.tm_year > std::numeric_limits<int>::max() - 1900)
        return std::nullopt;
    return fields;
}

std::int64_t offsetAt(std::int64_t seconds)
{
    const auto fields = localFields(seconds);
    return fields ? fields->tm_gmtoff : 0;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The fields read as if they were UTC: months outside 1..12 carry into the year, the other fields
// are linear in the day count.
std::int64_t naiveSeconds(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t hour,
                          std::int64_t minute, std::int64_t second)
{
    const std::int64_t monthIndex = month - 1;
    year += floorDiv(monthIndex, 12);
    const int month1 = static_cast<int>(monthIndex - floorDiv(monthIndex, 12) * 12) + 1;
    const std::int64_t days = kiv::orbit::daysFromCivil(year, month1, 1) + day - 1;
    return ((days * 24 + hour) * 60 + minute) * 60 + second;
}

} // namespace

Time Time::currentTime()
{
    return Time(static_cast<std::int64_t>(std::time(nullptr)));
}

Time Time::fromUtc(const kiv::orbit::UtcCalendar& utc)
{
    return Time(naiveSeconds(utc.year, utc.month, utc.day, utc.hour, utc.minute, utc.second));
}

Time Time::fromLocal(const LocalCalendar& local)
{
    const std::int64_t wall =
        naiveSeconds(local.year, local.month, local.day, local.hour, local.minute, local.second);
    const std::int64_t before = offsetAt(wall - kProbeSeconds);
    const std::int64_t after = offsetAt(wall + kProbeSeconds);
    std::optional<std::int64_t> earliest;
    for (const std::int64_t offset : {before, offsetAt(wall), after}) {
        const std::int64_t candidate = wall - offset;
        if (offsetAt(candidate) == offset && (!earliest || candidate < *earliest))
            earliest = candidate;
    }
    // No instant shows these fields: they lie in a gap. Reading them with the offset in force
    // before the gap lands as far past its end as they lie past its start.
    return Time(earliest ? *earliest : wall - before);
}

kiv::orbit::UtcCalendar Time::utcCalendar() const
{
    const std::int64_t days = floorDiv(seconds_, 86400);
    kiv::orbit::UtcCalendar c = kiv::orbit::calendarDate(kiv::orbit::kJulianDateUnixEpoch + static_cast<double>(days));
    const std::int64_t secondOfDay = seconds_ - days * 86400;
    c.hour = static_cast<int>(secondOfDay / 3600);
    c.minute = static_cast<int>(secondOfDay / 60 % 60);
    c.second = static_cast<int>(secondOfDay % 60);
    c.millisecond = 0;
    return c;
}

LocalCalendar Time::local() const
{
    const auto fields = localFields(seconds_);
    if (!fields) {
        // Beyond what the C library can express (years past 2^31): show UTC.
        const kiv::orbit::UtcCalendar utc = utcCalendar();
        return {.year = utc.year,
                .month = utc.month,
                .day = utc.day,
                .hour = utc.hour,
                .minute = utc.minute,
                .second = utc.second,
                .dayOfWeek = utc.dayOfWeek,
                .daylightSaving = false};
    }
    return {.year = fields->tm_year + 1900,
            .month = fields->tm_mon + 1,
            .day = fields->tm_mday,
            .hour = fields->tm_hour,
            .minute = fields->tm_min,
            .second = fields->tm_sec,
            .dayOfWeek = fields->tm_wday,
            .daylightSaving = fields->tm_isdst > 0};
}

std::int64_t Time::localMinusUtcSeconds() const
{
    return offsetAt(seconds_);
}

} // namespace kiv
