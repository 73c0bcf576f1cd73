#include "dialogs/ExportGenerator.h"

#include "dialogs/ExportFormatter.h"
#include "platform/Latin1.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kiv {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// A generous row length for the first reservation; the text grows past it when needed.
constexpr std::int64_t kTypicalRowBytes = 96;
constexpr std::int64_t kMaxReservation = std::int64_t{256} << 20;

} // namespace

std::int64_t ExportGenerator::StepCount(const ExportParameters& p)
{
    if (p.stepSeconds <= 0 || p.end < p.start)
        return 0;
    return (p.end - p.start) / p.stepSeconds;
}

std::int64_t ExportGenerator::TotalRows(const ExportParameters& p)
{
    const auto satellites = static_cast<std::int64_t>(p.satellites.size());
    if (satellites == 0)
        return 0;
    const std::int64_t perSatellite = StepCount(p) + 1;
    if (perSatellite > std::numeric_limits<std::int64_t>::max() / satellites)
        return std::numeric_limits<std::int64_t>::max();
    return perSatellite * satellites;
}

std::optional<ExportRefusal> ExportGenerator::Check(const ExportParameters& p)
{
    if (p.stepSeconds <= 0)
        return ExportRefusal::StepNotPositive;
    if (p.end < p.start)
        return ExportRefusal::EndBeforeStart;
    if (TotalRows(p) > kMaxTotalRows)
        return ExportRefusal::TooManyRows;
    return std::nullopt;
}

ExportOutput ExportGenerator::Generate(ExportOrbit& orbit, const ExportParameters& p)
{
    ExportOutput output;
    if (Check(p))
        return output;
    const ExportFormatter formatter(p);
    const std::int64_t steps = StepCount(p);
    const double startJd = p.start.julianDate();
    output.text.reserve(static_cast<std::size_t>(std::min(TotalRows(p) * kTypicalRowBytes, kMaxReservation)));

    for (const tagSATELLITE& satellite : p.satellites) {
        // Names are Latin-1 as the element file has them.
        const std::string name =
            fromLatin1(std::string_view(satellite.name, strnlen(satellite.name, sizeof satellite.name))).toStdString();
        output.text += name;
        output.text += "\r\n";
        orbit.SetSatellite(satellite);
        for (std::int64_t k = 0; k <= steps; ++k) {
            const std::int64_t offset = k * p.stepSeconds;
            const Time rowTime = p.start + offset;
            const double jd = startJd + static_cast<double>(offset) / kSecondsPerDay;
            if (!orbit.SGP(jd)) {
                output.failures.push_back({name, rowTime});
                break;
            }
            const std::size_t rowStart = output.text.size();
            formatter.AppendPrefix(output.text, rowTime, jd);
            if (formatter.AppendRow(output.text, orbit))
                ++output.rows;
            else
                output.text.resize(rowStart);
        }
        output.text += "\r\n";
    }
    return output;
}

} // namespace kiv
