#include "views2d/SkyTexts.h"

#include "platform/Numbers.h"

#include <cmath>

namespace kiv::skyTexts {

namespace {

constexpr char kDegree = '\xB0';

// A whole number right-aligned in two places, as "%2.f" prints it.
std::string twoPlaces(std::string digits)
{
    if (digits.size() < 2)
        digits.insert(0, 2 - digits.size(), ' ');
    return digits;
}

// Whole units, minutes and seconds, truncated; the sign goes with the first field even when
// that is 0, so -0° 30' and +0° 30' differ.
struct Sexagesimal {
    std::string first, minutes, seconds;
};

Sexagesimal sexagesimal(double value)
{
    const double whole = std::trunc(value);
    const double minutes = std::trunc(60.0 * (value - whole));
    const double seconds = std::trunc(60.0 * (60.0 * (value - whole) - minutes));
    const std::string sign = value < 0.0 ? "-" : "";
    return {.first = twoPlaces(sign + formatFixed(std::fabs(whole), 0)),
            .minutes = twoPlaces(formatFixed(std::fabs(minutes), 0)),
            .seconds = twoPlaces(formatFixed(std::fabs(seconds), 0))};
}

std::string degreesLine(const char* head, double degrees)
{
    return head + formatFixed(degrees, 2) + kDegree;
}

} // namespace

std::string azimuthLine(double degrees) { return degreesLine("Azi : ", degrees); }

std::string elevationLine(double degrees) { return degreesLine("Elev: ", degrees); }

std::string distanceLine(double km)
{
    if (km < 10000.0)
        return "Dist : " + formatFixed(km, 2) + " km";
    return "Dist : " + formatFixed(km / 1000.0, 3) + " Tkm";
}

std::string rightAscensionLine(double degrees)
{
    const Sexagesimal s = sexagesimal(degrees / 15.0);
    return "Asc : " + s.first + "h " + s.minutes + "m " + s.seconds + "s";
}

std::string declinationLine(double degrees)
{
    const Sexagesimal s = sexagesimal(degrees);
    return "Desc: " + s.first + kDegree + ' ' + s.minutes + "' " + s.seconds + '"';
}

QString twilightName(double twilight)
{
    if (twilight == -6.0)
        return QStringLiteral("CIVIL");
    if (twilight == -12.0)
        return QStringLiteral("NAUTICAL");
    if (twilight == -18.0)
        return QStringLiteral("ASTRONOMICAL");
    return QStringLiteral("USER = ") + QString::fromStdString(formatFixed(twilight, 2));
}

QString observerTitle(double latDeg, double lonDeg, double altKm, double twilight)
{
    return QStringLiteral("Lat=%1 Lon=%2 Alt=%3 %4")
        .arg(QString::fromStdString(formatFixed(latDeg, 2)), QString::fromStdString(formatFixed(lonDeg, 2)),
             QString::fromStdString(formatFixed(altKm, 2)), twilightName(twilight));
}

} // namespace kiv::skyTexts
