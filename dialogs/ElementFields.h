#pragma once
// The published fields of a two-line element set, cut from their columns (1-based, both ends
// included) and read as atoi/atof read them: blanks and missing columns give 0, short lines
// are fine. And where the satellite is at a moment.

#include <optional>
#include <string>
#include <string_view>

namespace kiv {

struct ElementFields {
    long SatelliteNumber = 0;
    long LaunchYear = 0; // four digits
    long LaunchNumber = 0;
    std::string LaunchPiece;
    int EpochYear = 0; // four digits
    long EpochDay = 0;
    std::string EpochDayFraction; // "0." and the digits after the point, as the line has them
    double BallisticCoefficient = 0.0;
    double RadiationPressure = 0.0; // B*
    std::string EphemerisType;
    long ElementNumber = 0;
    double Inclination = 0.0;
    double RightAscension = 0.0;
    double Eccentricity = 0.0;
    double ArgumentOfPerigee = 0.0;
    double MeanAnomaly = 0.0;
    double MeanMotion = 0.0;
    long RevolutionNumber = 0;
};

ElementFields decodeElementFields(std::string_view line1, std::string_view line2);

// Two-digit years of the element format: above 50 the 1900s, else the 2000s.
int fourDigitYear(int twoDigits);
// Degrees east in [0, 360) to degrees west in (-180, 180].
double westLongitude(double eastLongitude);

struct SatellitePosition {
    double latitude = 0.0;      // degrees north
    double westLongitude = 0.0; // degrees west
    float heightKm = 0.0f;
};

// Nothing when the orbit library rejects the set or cannot propagate it to the Julian date.
std::optional<SatellitePosition> satellitePosition(const std::string& name, const std::string& line1,
                                                   const std::string& line2, double julianDate);

} // namespace kiv
