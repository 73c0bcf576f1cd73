#pragma once
// The simulated clock's value: an absolute instant, 64-bit seconds since 1970-01-01 00:00 UTC.
// Julian dates and everything the orbit library sees come from its UTC fields; local fields are
// for display and input only and follow the system's zone rules in force at that very instant,
// so dates in the other daylight-saving season and half-hour zones come out right.

#include "orbit/OrbitTime.h"

#include <compare>
#include <cstdint>

namespace kiv {

// Broken-down local time as a clock on the wall shows it.
struct LocalCalendar {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
    int dayOfWeek = 4;            // 0 = Sunday; filled by Time::local, ignored by Time::fromLocal
    bool daylightSaving = false;  // filled by Time::local, ignored by Time::fromLocal

    friend bool operator==(const LocalCalendar&, const LocalCalendar&) = default;
};

class Time {
public:
    constexpr Time() = default;
    constexpr explicit Time(std::int64_t secondsSince1970) : seconds_(secondsSince1970) {}

    // The system's wall clock, whole seconds. Code that must be testable asks the Clock service.
    static Time currentTime();

    // UTC fields (milliseconds ignored; fields out of range carry over as in timegm).
    static Time fromUtc(const orbit::UtcCalendar& utc);
    // Local fields read by the zone rules of the instant they name. A time that the clock skips
    // (the spring gap) moves forward by the gap: 02:30 on the day CET springs forward is 03:30
    // CEST. A time the clock shows twice (the autumn overlap) is the earlier of the two instants.
    static Time fromLocal(const LocalCalendar& local);

    constexpr std::int64_t secondsSince1970() const { return seconds_; }
    orbit::UtcInstant utcInstant() const { return orbit::UtcInstant{seconds_}; }
    orbit::UtcCalendar utcCalendar() const;
    double julianDate() const { return orbit::julianDate(utcInstant()); }

    LocalCalendar local() const;
    // Local time minus UTC at this instant, in seconds: +3600 for CET, +7200 for CEST, +19800 for
    // India. (The document's UtcOffset, UTC minus local, is the negative of it.)
    std::int64_t localMinusUtcSeconds() const;

    constexpr Time operator+(std::int64_t seconds) const { return Time(seconds_ + seconds); }
    constexpr Time operator-(std::int64_t seconds) const { return Time(seconds_ - seconds); }
    constexpr std::int64_t operator-(Time other) const { return seconds_ - other.seconds_; }
    constexpr Time& operator+=(std::int64_t seconds) { seconds_ += seconds; return *this; }
    friend constexpr auto operator<=>(Time, Time) = default;

private:
    std::int64_t seconds_ = 0;
};

} // namespace kiv
