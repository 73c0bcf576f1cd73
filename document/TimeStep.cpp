#include "document/TimeStep.h"

#include <cmath>

namespace kiv {

std::int64_t stepSeconds(int timeFactor, int localMonth, double& realTimeRemainder, std::uint32_t elapsedMs)
{
    static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    switch (timeFactor) {
    case kRealTime: {
        realTimeRemainder += elapsedMs / 1000.0;
        const double whole = std::floor(realTimeRemainder);
        realTimeRemainder -= whole;
        return static_cast<std::int64_t>(whole);
    }
    case kOneMonth:
        return localMonth >= 1 && localMonth <= 12 ? kMonthDays[localMonth - 1] * std::int64_t{86400} : 0;
    default:
        // Whole days, whole minutes and whole seconds of the factor: the factor itself.
        return timeFactor;
    }
}

const char* monthAbbreviation(int month, bool clockPane)
{
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (month < 1 || month > 12)
        return "";
    return clockPane && month == 5 ? "Mai" : kMonths[month - 1];
}

} // namespace kiv
