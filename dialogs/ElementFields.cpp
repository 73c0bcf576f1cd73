#include "dialogs/ElementFields.h"

#include "orbit/CSGP4_SDP4.h"
#include "platform/Numbers.h"

#include <cmath>

namespace kiv {

namespace {

std::string_view columns(std::string_view line, std::size_t first, std::size_t last)
{
    if (first > line.size())
        return {};
    return line.substr(first - 1, last - first + 1);
}

long integerAt(std::string_view line, std::size_t first, std::size_t last)
{
    return parseInt(columns(line, first, last));
}

double realAt(std::string_view line, std::size_t first, std::size_t last)
{
    return parseDouble(columns(line, first, last));
}

// B*: sign in column 54, five mantissa digits after an assumed decimal point, exponent in 60-61.
double radiationPressure(std::string_view line1)
{
    const double mantissa = integerAt(line1, 55, 59) * 1e-5;
    const double sign = columns(line1, 54, 54) == "-" ? -1.0 : 1.0;
    return sign * mantissa * std::pow(10.0, static_cast<double>(integerAt(line1, 60, 61)));
}

// "0." followed by the digits after the point, so that the fraction shows no more and no fewer
// digits than the line holds; "0" when there are none.
std::string fractionText(std::string_view field)
{
    const std::size_t point = field.find('.');
    if (point == std::string_view::npos)
        return "0";
    const std::string_view after = field.substr(point + 1);
    const std::string_view digits = after.substr(0, after.find_first_not_of("0123456789"));
    return digits.empty() ? "0" : "0." + std::string(digits);
}

} // namespace

int fourDigitYear(int twoDigits) { return twoDigits > 50 ? 1900 + twoDigits : 2000 + twoDigits; }

double westLongitude(double eastLongitude) { return eastLongitude > 180.0 ? 360.0 - eastLongitude : -eastLongitude; }

ElementFields decodeElementFields(std::string_view line1, std::string_view line2)
{
    ElementFields f;
    f.SatelliteNumber = integerAt(line1, 3, 7);
    f.LaunchYear = fourDigitYear(static_cast<int>(integerAt(line1, 10, 11)));
    f.LaunchNumber = integerAt(line1, 12, 14);
    f.LaunchPiece = std::string(columns(line1, 15, 17));
    f.EpochYear = fourDigitYear(static_cast<int>(integerAt(line1, 19, 20)));
    f.EpochDay = static_cast<long>(realAt(line1, 21, 32));
    f.EpochDayFraction = fractionText(columns(line1, 21, 32));
    f.BallisticCoefficient = realAt(line1, 34, 43);
    f.RadiationPressure = radiationPressure(line1);
    f.EphemerisType = std::string(columns(line1, 63, 63));
    f.ElementNumber = integerAt(line1, 65, 68);
    f.Inclination = realAt(line2, 9, 16);
    f.RightAscension = realAt(line2, 18, 25);
    f.Eccentricity = realAt(line2, 27, 33) * 1e-7;
    f.ArgumentOfPerigee = realAt(line2, 35, 42);
    f.MeanAnomaly = realAt(line2, 44, 51);
    f.MeanMotion = realAt(line2, 53, 63);
    f.RevolutionNumber = integerAt(line2, 64, 68);
    return f;
}

std::optional<SatellitePosition> satellitePosition(const std::string& name, const std::string& line1,
                                                   const std::string& line2, double julianDate)
{
    CSGP4_SDP4 orbit;
    if (!orbit.SetSatellite(name.c_str(), line1.c_str(), line2.c_str(), true) || orbit.SGP(julianDate) == 0)
        return std::nullopt;
    orbit.CalculateLatLonAlt(julianDate);
    return SatellitePosition{.latitude = orbit.GetLat(),
                             .westLongitude = westLongitude(orbit.GetLon()),
                             .heightKm = static_cast<float>(orbit.GetAlt())};
}

} // namespace kiv
