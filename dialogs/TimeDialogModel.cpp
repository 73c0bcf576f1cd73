#include "dialogs/TimeDialogModel.h"

#include "platform/TypedNumbers.h"
#include "document/SettingsTable.h"
#include "document/SimTimeRange.h"
#include "platform/Clock.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kiv {

namespace {

orbit::UtcCalendar calendarOf(const TimeFields& f)
{
    return {.year = f.year, .month = f.month, .day = f.day, .hour = f.hour, .minute = f.minute, .second = f.second};
}

double julianDateOf(const TimeFields& f) { return orbit::julianDate(calendarOf(f)); }

// The fields of a Julian date, to the nearest second: the "%f" text holds about a tenth of a
// second, and reading it back must not lose one.
TimeFields fieldsOf(double jd)
{
    const auto seconds = static_cast<std::int64_t>(std::llround((jd - orbit::kJulianDateUnixEpoch) * 86400.0));
    return TimeFields::of(Time(seconds).utcCalendar());
}

struct Gate {
    int TimeFields::*field;
    int minimum;
    int maximum;
};

// The fields' gates while typing, in the order they are read.
constexpr std::array<Gate, 6> kTypingGates = {{
    {.field = &TimeFields::year, .minimum = 1000, .maximum = 3000},
    {.field = &TimeFields::month, .minimum = 1, .maximum = 12},
    {.field = &TimeFields::day, .minimum = 1, .maximum = 31},
    {.field = &TimeFields::hour, .minimum = 0, .maximum = 24},
    {.field = &TimeFields::minute, .minimum = 0, .maximum = 60},
    {.field = &TimeFields::second, .minimum = 0, .maximum = 60},
}};

// OK's ranges, in the order the dialog shows the edits (as indices into FieldTexts).
struct Range {
    int edit;
    int minimum;
    int maximum;
};
constexpr std::array<Range, 6> kAcceptRanges = {{
    {.edit = 3, .minimum = 0, .maximum = 24},
    {.edit = 4, .minimum = 0, .maximum = 60},
    {.edit = 5, .minimum = 0, .maximum = 60},
    {.edit = 0, .minimum = 1900, .maximum = 2100},
    {.edit = 1, .minimum = 1, .maximum = 12},
    {.edit = 2, .minimum = 1, .maximum = 31},
}};

} // namespace

TimeFields TimeFields::of(const LocalCalendar& l)
{
    return {.year = l.year, .month = l.month, .day = l.day, .hour = l.hour, .minute = l.minute, .second = l.second};
}

TimeFields TimeFields::of(const orbit::UtcCalendar& c)
{
    return {.year = c.year, .month = c.month, .day = c.day, .hour = c.hour, .minute = c.minute, .second = c.second};
}

TimeDialogModel::TimeDialogModel(const TimeFields& fields, int factor, Clock& clock)
    : clock_(clock), fields_(fields), julianDate_(julianDateOf(fields)), factor_(factor),
      lastTick_(clock.tickCount())
{
}

QString TimeDialogModel::julianDateText() const { return QString::fromStdString(formatFixed(julianDate_)); }

void TimeDialogModel::setJulianDate(double jd)
{
    if (!(jd >= kEarliestJulianDate && jd <= kLatestJulianDate))
        jd = kFallbackJulianDate;
    julianDate_ = jd;
    fields_ = fieldsOf(jd);
}

bool TimeDialogModel::takeFieldTexts(const FieldTexts& texts)
{
    for (std::size_t i = 0; i < kTypingGates.size(); ++i) {
        const std::optional<long long> value = wholeNumber(texts[i]);
        const Gate& gate = kTypingGates[i];
        if (!value || *value < gate.minimum || *value > gate.maximum)
            return false;
        fields_.*gate.field = static_cast<int>(*value);
    }
    julianDate_ = julianDateOf(fields_);
    return true;
}

void TimeDialogModel::takeJulianDateText(std::string_view text)
{
    bool number = false;
    const double jd = parseDouble(text, &number);
    setJulianDate(number ? jd : kFallbackJulianDate);
}

void TimeDialogModel::stepJulianDate(double days) { setJulianDate(julianDate_ + days); }

void TimeDialogModel::setFields(const TimeFields& fields)
{
    fields_ = fields;
    julianDate_ = julianDateOf(fields);
}

void TimeDialogModel::convertGreenwichToLocal()
{
    setFields(TimeFields::of(Time::fromUtc(calendarOf(fields_)).local()));
}

std::optional<int> TimeDialogModel::factorButton() const
{
    const auto found = std::find(kFactors.begin(), kFactors.end(), std::llabs(factor_));
    if (found == kFactors.end())
        return std::nullopt;
    return static_cast<int>(found - kFactors.begin());
}

void TimeDialogModel::chooseFactorButton(int button)
{
    const int speed = kFactors.at(button);
    factor_ = factor_ < 0 ? -speed : speed;
}

void TimeDialogModel::takeFactorText(std::string_view text) { factor_ = parseInt(text); }

void TimeDialogModel::setStopTime(bool on)
{
    // A clock that starts again runs on from now, not through the seconds it stood still.
    if (stopTime_ && !on)
        lastTick_ = clock_.tickCount();
    stopTime_ = on;
}

bool TimeDialogModel::tick()
{
    if (stopTime_)
        return false;
    const std::uint32_t now = clock_.tickCount();
    if (accelerate_ && factor_ != 1) {
        lastTick_ = now;
        setJulianDate(julianDate_ + factor_ / 86400.0);
        return true;
    }
    if (now - lastTick_ <= 1000)
        return false;
    lastTick_ += 1000;
    setJulianDate(julianDate_ + 1.0 / 86400.0);
    return true;
}

TimeFields TimeDialogModel::greenwich() const { return TimeFields::of(Time::fromLocal(fields_.asLocal()).utcCalendar()); }

bool TimeDialogModel::inSimulationRange() const { return isSimTimeInRange(Time::fromLocal(fields_.asLocal())); }

std::optional<FieldRefusal> TimeDialogModel::acceptTexts(const FieldTexts& texts, std::string_view factorText,
                                                         bool english)
{
    const IntegerCheck factor = checkInteger(factorText, -kMaxTimeFactor, kMaxTimeFactor, english);
    if (!factor.value)
        return FieldRefusal{kFactorEdit, factor.message};
    TimeFields typed;
    int* const targets[] = {&typed.year, &typed.month, &typed.day, &typed.hour, &typed.minute, &typed.second};
    for (const Range& range : kAcceptRanges) {
        const IntegerCheck check =
            checkInteger(texts[range.edit], range.minimum, range.maximum, english);
        if (!check.value)
            return FieldRefusal{range.edit, check.message};
        *targets[range.edit] = *check.value;
    }
    factor_ = *factor.value;
    setFields(typed);
    return std::nullopt;
}

TimeFields TimeDialogModel::normalizedFields() const { return fieldsOf(julianDateOf(fields_)); }

QString TimeDialogModel::timeText(const TimeFields& f)
{
    return QStringLiteral("%1 : %2 : %3").arg(f.hour).arg(f.minute).arg(f.second);
}

QString TimeDialogModel::dateText(const TimeFields& f, bool english)
{
    return english ? QStringLiteral("%1 / %2 / %3").arg(f.month).arg(f.day).arg(f.year)
                   : QStringLiteral("%1 / %2 / %3").arg(f.day).arg(f.month).arg(f.year);
}

} // namespace kiv
