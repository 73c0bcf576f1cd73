#pragma once
// What the time dialog does, without its widgets: the six calendar fields and the Julian date
// kept in step, the time factor and its buttons, the dialog's own running clock, the Greenwich
// time of the fields, and the checks OK makes.
//
// The fields are the local wall-clock time the simulated clock shows. Their Julian date is
// their value read as a calendar, with no zone conversion either way, so that every keystroke
// and every tick converts back to the very fields it came from. The Greenwich time and "Convert
// to Greenwich Mean Time" use the zone rules in force at the instant the fields name, half-hour
// zones and daylight saving included.

#include "platform/Time.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kiv {

class Clock;

struct TimeFields {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    static TimeFields of(const LocalCalendar& local);
    static TimeFields of(const orbit::UtcCalendar& utc);
    LocalCalendar asLocal() const
    {
        return {.year = year, .month = month, .day = day, .hour = hour, .minute = minute, .second = second};
    }
    friend bool operator==(const TimeFields&, const TimeFields&) = default;
};

// The fields in the order the dialog reads them: year, month, day, hour, minute, second.
using FieldTexts = std::array<std::string, 6>;

// A typed value that OK refuses: which edit (0 to 5 as FieldTexts, 6 the factor) and why.
struct FieldRefusal {
    int edit = 0;
    QString message;
};

class TimeDialogModel {
public:
    // The factors of the six buttons: real time, minutes, hours, days, sidereal days, months.
    static constexpr std::array<int, 6> kFactors = {1, 60, 3600, 86400, 86163, 2592000};
    static constexpr double kEarliestJulianDate = 1451381.5;
    static constexpr double kLatestJulianDate = 3451381.5;
    // What a Julian date outside those bounds, or no number, becomes (1999-07-22 00:00).
    static constexpr double kFallbackJulianDate = 2451381.5;
    // The steps of the two arrows: about ten seconds, and a day.
    static constexpr double kTimeStepDays = 0.00011574;
    static constexpr double kDateStepDays = 1.0;
    static constexpr int kFactorEdit = 6;

    TimeDialogModel(const TimeFields& fields, int factor, Clock& clock);

    const TimeFields& fields() const { return fields_; }
    double julianDate() const { return julianDate_; }
    // "%f" of the Julian date.
    QString julianDateText() const;

    // Typed fields. Each is taken, and the next one read, only while it is a whole number inside
    // its gate (year 1000-3000, month 1-12, day 1-31, hour 0-24, minute and second 0-60); an
    // empty edit stops there too. True when all six passed and the Julian date followed them.
    bool takeFieldTexts(const FieldTexts& texts);
    // A typed Julian date; the fields follow it.
    void takeJulianDateText(std::string_view text);
    // The arrows: the Julian date moves by the days given and the fields follow.
    void stepJulianDate(double days);
    // "Get Local time", "Get Greenwich Mean Time", and Yes to the out-of-range question.
    void setFields(const TimeFields& fields);
    // Takes the fields as Greenwich time and puts the local time of that instant in their place.
    void convertGreenwichToLocal();

    int factor() const { return factor_; }
    // The button whose factor is the factor's magnitude, if any.
    std::optional<int> factorButton() const;
    // A button's factor, negative while the factor is: the clock keeps its direction.
    void chooseFactorButton(int button);
    // A typed factor: its whole-number value, 0 when it is none; negative runs the clock backwards.
    void takeFactorText(std::string_view text);

    bool stopTime() const { return stopTime_; }
    void setStopTime(bool on);
    bool accelerate() const { return accelerate_; }
    void setAccelerate(bool on) { accelerate_ = on; }
    // One tick of the dialog's 50 ms timer: unless stopped, the time moves by the factor when
    // accelerated, else by each whole second of the wall clock. True when it moved.
    bool tick();

    // The Greenwich time of the fields.
    TimeFields greenwich() const;
    // Whether the fields name an instant the simulated clock can take.
    bool inSimulationRange() const;

    // OK's checks on the typed texts, in the dialog's order: the factor a whole number within the
    // document's bounds either way, hour 0-24, minute 0-60, second 0-60, year 1900-2100, month 1-12, day 1-31. When all
    // pass, the model takes the values and nothing is returned.
    std::optional<FieldRefusal> acceptTexts(const FieldTexts& texts, std::string_view factorText, bool english);
    // The fields with 24:00, :60 and days past a month's end carried into the next unit.
    TimeFields normalizedFields() const;

    // "%d : %d : %d", and the date as d / m / y in German or m / d / y in English.
    static QString timeText(const TimeFields& fields);
    static QString dateText(const TimeFields& fields, bool english);

private:
    void setJulianDate(double jd);

    Clock& clock_;
    TimeFields fields_;
    double julianDate_ = 0.0;
    int factor_ = 1;
    bool stopTime_ = true;
    bool accelerate_ = false;
    std::uint32_t lastTick_ = 0;
};

} // namespace kiv
