#include "orbit/tagSATELLITE.h"

#include <algorithm>
#include <cstring>

namespace kiv::orbit {

namespace {
constexpr std::size_t kMaxNameLength = 22;
} // namespace

tagSATELLITE makeSatelliteRecord(std::string_view name, const std::optional<ElementSet>& elements)
{
    tagSATELLITE r;
    std::memset(&r, 0, sizeof r); // padding-free, but zeroed bytes keep records comparable
    name = name.substr(0, std::min(kMaxNameLength, name.find('\0')));
    std::copy(name.begin(), name.end(), r.name);
    if (!elements)
        return r;
    const ElementSet& e = *elements;
    r.catalogNumber = static_cast<double>(e.catalogNumber);
    r.epochYear = e.epochYear;
    r.epochDayOfYear = e.epochDayOfYear;
    r.epochJd = e.epochJd;
    r.epochJdFraction = e.epochJdFraction;
    r.meanMotionDot = e.meanMotionDot;
    r.meanMotionDDot = e.meanMotionDDot;
    r.bstar = e.bstar;
    r.inclinationDeg = e.inclinationDeg;
    r.raanDeg = e.raanDeg;
    r.eccentricity = e.eccentricity;
    r.argPerigeeDeg = e.argPerigeeDeg;
    r.meanAnomalyDeg = e.meanAnomalyDeg;
    r.revolutionNumber = static_cast<double>(e.revolutionNumber);
    r.elementSetNumber = static_cast<double>(e.elementSetNumber);
    r.meanMotion = e.meanMotionRevPerDay;
    r.valid = 1.0;
    r.ephemerisType = e.ephemerisType;
    return r;
}

ElementSet elementsOf(const tagSATELLITE& r)
{
    ElementSet e;
    e.catalogNumber = static_cast<std::int64_t>(r.catalogNumber);
    e.epochYear = static_cast<int>(r.epochYear);
    e.epochDayOfYear = r.epochDayOfYear;
    e.epochJd = r.epochJd;
    e.epochJdFraction = r.epochJdFraction;
    e.meanMotionDot = r.meanMotionDot;
    e.meanMotionDDot = r.meanMotionDDot;
    e.bstar = r.bstar;
    e.inclinationDeg = r.inclinationDeg;
    e.raanDeg = r.raanDeg;
    e.eccentricity = r.eccentricity;
    e.argPerigeeDeg = r.argPerigeeDeg;
    e.meanAnomalyDeg = r.meanAnomalyDeg;
    e.revolutionNumber = static_cast<std::int64_t>(r.revolutionNumber);
    e.elementSetNumber = static_cast<std::int64_t>(r.elementSetNumber);
    e.meanMotionRevPerDay = r.meanMotion;
    e.ephemerisType = static_cast<int>(r.ephemerisType);
    return e;
}

} // namespace kiv::orbit
