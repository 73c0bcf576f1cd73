#include "dialogs/ExportGenerator.h"

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
    if (Check(p))
        return {};
    ExportGenerator generator(orbit, p);
    generator.output_.text.reserve(std::min(TotalRows(p) * kTypicalRowBytes, kMaxReservation));
    while (generator.Continue(std::numeric_limits<std::int64_t>::max())) {
    }
    return std::move(generator.output_);
}

ExportGenerator::ExportGenerator(ExportOrbit& orbit, ExportParameters p)
    : orbit_(orbit)
    , p_(std::move(p))
    , formatter_(p_)
    , steps_(StepCount(p_))
    , startJd_(p_.start.julianDate())
    , satellite_(Check(p_) ? p_.satellites.size() : 0)
{
}

bool ExportGenerator::Continue(std::int64_t steps)
{
    while (satellite_ < p_.satellites.size() && steps > 0) {
        if (step_ < 0) {
            const tagSATELLITE& satellite = p_.satellites[satellite_];
            // Names are Latin-1 as the element file has them.
            name_ = fromLatin1(std::string_view(satellite.name, strnlen(satellite.name, sizeof satellite.name)))
                        .toStdString();
            output_.text += name_;
            output_.text += "\r\n";
            orbit_.SetSatellite(satellite);
            step_ = 0;
        }
        for (; step_ <= steps_ && steps > 0; ++step_, --steps) {
            const std::int64_t offset = step_ * p_.stepSeconds;
            const Time rowTime = p_.start + offset;
            const double jd = startJd_ + static_cast<double>(offset) / kSecondsPerDay;
            if (!orbit_.SGP(jd)) {
                output_.failures.push_back({name_, rowTime});
                step_ = steps_ + 1;
                break;
            }
            const std::size_t rowStart = output_.text.size();
            formatter_.AppendPrefix(output_.text, rowTime, jd);
            if (formatter_.AppendRow(output_.text, orbit_))
                ++output_.rows;
            else
                output_.text.resize(rowStart);
        }
        if (step_ > steps_) {
            output_.text += "\r\n";
            ++satellite_;
            step_ = -1;
        }
    }
    return satellite_ < p_.satellites.size();
}

} // namespace kiv
