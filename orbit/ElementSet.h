#pragma once
// The fields of one two-line element set, read from its fixed columns.

#include "orbit/Sgp4Model.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace kiv::orbit {

struct ElementSet {
    std::int64_t catalogNumber = 0;
    int epochYear = 0;            // four digits: 57..99 are 19xx, 00..56 are 20xx
    double epochDayOfYear = 0.0;  // 1.0 is 1 January 00:00 UTC
    double epochJd = 0.0;         // whole part of the epoch's Julian date (ends in .5)
    double epochJdFraction = 0.0; // the rest, in days
    double meanMotionDot = 0.0;   // rev/day^2, first derivative / 2 as printed
    double meanMotionDDot = 0.0;  // rev/day^3, second derivative / 6 as printed
    double bstar = 0.0;           // 1/earth radii
    double inclinationDeg = 0.0;
    double raanDeg = 0.0;
    double eccentricity = 0.0;
    double argPerigeeDeg = 0.0;
    double meanAnomalyDeg = 0.0;
    double meanMotionRevPerDay = 0.0; // Kozai mean motion as printed
    std::int64_t revolutionNumber = 0;
    std::int64_t elementSetNumber = 0;
    int ephemerisType = 0;
};

// Reads lines 1 and 2 of an element set. Only the first 69 columns count; checksums are not
// checked. Gives nothing when a field the models need is missing or not a number.
std::optional<ElementSet> parseElementSet(std::string_view line1, std::string_view line2);

// The elements in the units and form the propagation models take.
MeanElements meanElementsOf(const ElementSet& elements);

} // namespace kiv::orbit
