#pragma once
// The orbit library's satellite record: an element set as read, in a fixed 168-byte layout that
// callers copy whole and hand back. Callers read only the name and the mean motion.

#include "orbit/ElementSet.h"

#include <cstddef>
#include <optional>
#include <string_view>

struct tagSATELLITE {
    char name[24];           // NUL-terminated, at most 22 characters
    double catalogNumber;
    double epochYear;
    double epochDayOfYear;
    double epochJd;          // whole part of the epoch's Julian date
    double epochJdFraction;
    double meanMotionDot;    // rev/day^2 as printed
    double meanMotionDDot;   // rev/day^3 as printed
    double bstar;
    double inclinationDeg;
    double raanDeg;
    double eccentricity;
    double argPerigeeDeg;
    double meanAnomalyDeg;
    double revolutionNumber;
    double elementSetNumber;
    double meanMotion;       // revolutions per day, as printed in the element set
    double valid;            // 1 when the element lines could be read, else 0
    double ephemerisType;
};

static_assert(sizeof(tagSATELLITE) == 168);
static_assert(offsetof(tagSATELLITE, name) == 0);
static_assert(offsetof(tagSATELLITE, meanMotion) == 144);

namespace kiv::orbit {

// A record of a name (cut to 22 characters) and the elements read, or an invalid record.
tagSATELLITE makeSatelliteRecord(std::string_view name, const std::optional<ElementSet>& elements);
ElementSet elementsOf(const tagSATELLITE& record);

} // namespace kiv::orbit
