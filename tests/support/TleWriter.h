#pragma once
// Writes element sets for tests and benchmarks: fixed columns and correct checksums from chosen
// elements.

#include <string>

namespace kiv::test {

struct Elements {
    int catalogNumber = 1;
    int epochYear = 24;        // two digits
    double epochDay = 100.5;
    double inclinationDeg = 51.6;
    double raanDeg = 0.0;
    double eccentricity = 0.001;
    double argPerigeeDeg = 0.0;
    double meanAnomalyDeg = 0.0;
    double meanMotion = 15.5;  // revolutions per day
    double bstar = 0.0001;
};

struct Tle {
    std::string name;
    std::string line1;
    std::string line2;
};

Tle makeTle(const std::string& name, const Elements& e);

// Name, line 1 and line 2, each ended by "\n".
std::string tleText(const Tle& tle);

// The text of `count` low satellites ("LOW 0", ...) of 15.5 revolutions per day, spread in phase,
// numbered from `firstCatalogNumber`.
std::string lowSatellites(int count, const std::string& namePrefix = "LOW ", int firstCatalogNumber = 10000);

} // namespace kiv::test
