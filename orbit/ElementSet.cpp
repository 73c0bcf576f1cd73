#include "orbit/ElementSet.h"

#include "orbit/OrbitMath.h"
#include "orbit/OrbitTime.h"

#include <charconv>
#include <cmath>
#include <string>

namespace kiv::orbit {

namespace {

constexpr std::size_t kLineLength = 69;

// The columns [first, first + count) of a line (0-based), or nothing when the line is too short.
std::optional<std::string_view> columns(std::string_view line, std::size_t first, std::size_t count)
{
    line = line.substr(0, kLineLength);
    if (line.size() < first + count)
        return std::nullopt;
    return line.substr(first, count);
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// A whole field as a decimal number; blanks around it are allowed, anything else is an error.
std::optional<double> decimalField(std::string_view field)
{
    std::string_view s = trimmed(field);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.front() == '+' || s.front() == '-')
        return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int64_t> integerField(std::string_view field)
{
    const std::string_view s = trimmed(field);
    if (s.empty())
        return 0;
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

// A field with an implied leading decimal point and a power-of-ten exponent: " 28098-4" is
// 0.28098e-4. A blank field is zero.
std::optional<double> exponentField(std::string_view field)
{
    std::string_view s = trimmed(field);
    if (s.empty())
        return 0.0;
    int exponent = 0;
    if (s.size() >= 2 && (s[s.size() - 2] == '-' || s[s.size() - 2] == '+') &&
        s.back() >= '0' && s.back() <= '9') {
        exponent = s.back() - '0';
        if (s[s.size() - 2] == '-')
            exponent = -exponent;
        s.remove_suffix(2);
    }
    std::string mantissa;
    s = trimmed(s);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        mantissa += s.front();
        s.remove_prefix(1);
    }
    if (!s.empty() && s.front() == '.')
        s.remove_prefix(1);
    mantissa += '.';
    mantissa += s;
    const auto value = decimalField(mantissa);
    if (!value || s.empty())
        return std::nullopt;
    return *value * std::pow(10.0, exponent);
}

// Digits with an implied leading decimal point ("0030035" is 0.0030035); blanks count as zeros.
std::optional<double> impliedPointField(std::string_view field)
{
    std::string digits = "0.";
    for (char c : trimmed(field)) {
        if (c != ' ' && (c < '0' || c > '9'))
            return std::nullopt;
        digits += c == ' ' ? '0' : c;
    }
    return decimalField(digits);
}

template <typename Parse>
bool read(std::string_view line, std::size_t first, std::size_t count, Parse parse, auto& target)
{
    const auto field = columns(line, first, count);
    if (!field)
        return false;
    const auto value = parse(*field);
    if (!value)
        return false;
    target = *value;
    return true;
}

// The epoch's Julian date, split into whole days and fraction the way the published model's
// reference does it, so that deep-space initialisation sees the same epoch to the last bit.
void setEpoch(ElementSet& e)
{
    int monthLength[] = {31, isLeapYear(e.epochYear) ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int day = static_cast<int>(std::floor(e.epochDayOfYear));
    int month = 1;
    int daysBefore = 0;
    while (month < 12 && day > daysBefore + monthLength[month - 1]) {
        daysBefore += monthLength[month - 1];
        ++month;
    }
    double t = (e.epochDayOfYear - day) * 24.0;
    const double hour = std::floor(t);
    t = (t - hour) * 60.0;
    const double minute = std::floor(t);
    const double second = (t - minute) * 60.0;

    const double y = e.epochYear;
    e.epochJd = 367.0 * y - std::floor(7.0 * (y + std::floor((month + 9) / 12.0)) * 0.25) +
                std::floor(275.0 * month / 9.0) + (day - daysBefore) + 1721013.5;
    e.epochJdFraction = (second + minute * 60.0 + hour * 3600.0) / 86400.0;
    if (std::fabs(e.epochJdFraction) > 1.0) {
        const double whole = std::floor(e.epochJdFraction);
        e.epochJd += whole;
        e.epochJdFraction -= whole;
    }
}

} // namespace

std::optional<ElementSet> parseElementSet(std::string_view line1, std::string_view line2)
{
    ElementSet e;
    int twoDigitYear = 0;
    const bool ok =
        read(line1, 18, 2, integerField, twoDigitYear) && read(line1, 20, 12, decimalField, e.epochDayOfYear) &&
        read(line1, 53, 8, exponentField, e.bstar) && read(line2, 8, 8, decimalField, e.inclinationDeg) &&
        read(line2, 17, 8, decimalField, e.raanDeg) && read(line2, 26, 7, impliedPointField, e.eccentricity) &&
        read(line2, 34, 8, decimalField, e.argPerigeeDeg) && read(line2, 43, 8, decimalField, e.meanAnomalyDeg) &&
        read(line2, 52, 11, decimalField, e.meanMotionRevPerDay);
    if (!ok || twoDigitYear < 0 || twoDigitYear > 99 || e.epochDayOfYear < 0.0 || e.epochDayOfYear >= 368.0)
        return std::nullopt;
    // Fields the models do not need: a bad one leaves its default.
    read(line1, 2, 5, integerField, e.catalogNumber);
    read(line1, 33, 10, decimalField, e.meanMotionDot);
    read(line1, 44, 8, exponentField, e.meanMotionDDot);
    read(line1, 62, 1, integerField, e.ephemerisType);
    read(line1, 64, 4, integerField, e.elementSetNumber);
    read(line2, 63, 5, integerField, e.revolutionNumber);

    e.epochYear = twoDigitYear < 57 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
    setEpoch(e);
    return e;
}

MeanElements meanElementsOf(const ElementSet& e)
{
    constexpr double kRevPerDayPerRadPerMin = 1440.0 / kTwoPi;
    MeanElements m;
    m.epochJd = e.epochJd + e.epochJdFraction;
    m.bstar = e.bstar;
    m.eccentricity = e.eccentricity;
    m.argPerigeeRad = e.argPerigeeDeg * kDegToRad;
    m.inclinationRad = e.inclinationDeg * kDegToRad;
    m.meanAnomalyRad = e.meanAnomalyDeg * kDegToRad;
    m.meanMotionRadPerMin = e.meanMotionRevPerDay / kRevPerDayPerRadPerMin;
    m.raanRad = e.raanDeg * kDegToRad;
    return m;
}

} // namespace kiv::orbit
