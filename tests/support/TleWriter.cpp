#include "tests/support/TleWriter.h"

#include <cmath>
#include <cstdio>

namespace kiv::test {

namespace {

int checksum(const std::string& line)
{
    int sum = 0;
    for (char c : line) {
        if (c >= '0' && c <= '9')
            sum += c - '0';
        else if (c == '-')
            sum += 1;
    }
    return sum % 10;
}

// " 12345-4" form: a sign, five digits of the mantissa and the exponent.
std::string exponentField(double value)
{
    if (value == 0.0)
        return " 00000-0";
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
    const long mantissa = std::lround(std::fabs(value) / std::pow(10.0, exponent) * 100000.0);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%c%05ld%c%d", value < 0 ? '-' : ' ', mantissa, exponent < 0 ? '-' : '+',
                  std::abs(exponent));
    return buffer;
}

} // namespace

Tle makeTle(const std::string& name, const Elements& e)
{
    char line1[80];
    char line2[80];
    std::snprintf(line1, sizeof line1, "1 %05dU 24001A   %02d%012.8f  .00000000  00000-0 %s 0  999", e.catalogNumber,
                  e.epochYear, e.epochDay, exponentField(e.bstar).c_str());
    const long eccentricity = std::lround(e.eccentricity * 1e7);
    std::snprintf(line2, sizeof line2, "2 %05d %8.4f %8.4f %07ld %8.4f %8.4f %11.8f    1", e.catalogNumber,
                  e.inclinationDeg, e.raanDeg, eccentricity, e.argPerigeeDeg, e.meanAnomalyDeg, e.meanMotion);
    Tle tle{name, line1, line2};
    tle.line1 += static_cast<char>('0' + checksum(tle.line1));
    tle.line2 += static_cast<char>('0' + checksum(tle.line2));
    return tle;
}

std::string tleText(const Tle& tle) { return tle.name + "\n" + tle.line1 + "\n" + tle.line2 + "\n"; }

std::string lowSatellites(int count, const std::string& namePrefix, int firstCatalogNumber)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        Elements e;
        e.catalogNumber = firstCatalogNumber + i;
        e.raanDeg = (i * 37) % 360;
        e.meanAnomalyDeg = (i * 97) % 360;
        text += tleText(makeTle(namePrefix + std::to_string(i), e));
    }
    return text;
}

} // namespace kiv::test
