// Cost of one SGP4/SDP4 propagation: a day of a track in 1-minute steps, as the views draw it.
#include "orbit/ElementSet.h"
#include "orbit/Sgp4Model.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace kiv::orbit;

namespace {

struct Record {
    const char* line1;
    const char* line2;
};

// From the published verification set (SGP4-VER.TLE).
constexpr Record kNearEarth06251{
    "1 06251U 62025E   06176.82412014  .00008885  00000-0  12808-3 0  3985",
    "2 06251  58.0579  54.0425 0030035 139.1568 221.1854 15.56387291  6774"};
constexpr Record kHalfDay08195{
    "1 08195U 75081A   06176.33215444  .00000099  00000-0  11873-3 0   813",
    "2 08195  64.1586 279.0717 6877146 264.7651  20.2257  2.00491383225656"};
constexpr Record kDeepSpace11801{
    "1 11801U          80230.29629788  .01431103  00000-0  14311-1      13",
    "2 11801  46.7916 230.4354 7318036  47.4722  10.4117  2.28537848    13"};
constexpr Record kGps28129{
    "1 28129U 03058A   06175.57071136 -.00000104  00000-0  10000-3 0   459",
    "2 28129  54.7298 324.8098 0048506 266.2640  93.1663  2.00562768 18443"};
constexpr Record kOneDay28626{
    "1 28626U 05008A   06176.46683397 -.00000205  00000-0  10000-3 0  2190",
    "2 28626   0.0019 286.9433 0000335  13.7918  55.6504  1.00270176  4891"};

constexpr int kMinutesPerDay = 1440;

Sgp4Model modelOf(const Record& record)
{
    const std::optional<ElementSet> elements = parseElementSet(record.line1, record.line2);
    if (!elements)
        std::abort();
    return Sgp4Model(meanElementsOf(*elements));
}

// One day in 1-minute steps (1441 calls) from startDays after the epoch, each day from the
// same state: a resonant orbit's integrator has reached the start before the clock runs.
void propagateOneDay(benchmark::State& state, const Record& record, double startDays)
{
    const double start = startDays * kMinutesPerDay;
    Sgp4Model warmed = modelOf(record);
    StateVector s;
    if (warmed.propagate(start, s) != kSgp4Ok)
        state.SkipWithError("the element set does not propagate");
    for (auto _ : state) {
        Sgp4Model model = warmed;
        for (int minute = 0; minute <= kMinutesPerDay; ++minute) {
            benchmark::DoNotOptimize(model.propagate(start + minute, s));
            benchmark::DoNotOptimize(s);
        }
    }
    state.counters["per_call"] = benchmark::Counter(
        kMinutesPerDay + 1, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK_CAPTURE(propagateOneDay, near_earth_06251, kNearEarth06251, 0.0);
BENCHMARK_CAPTURE(propagateOneDay, resonant_24h_28626, kOneDay28626, 0.0);
BENCHMARK_CAPTURE(propagateOneDay, resonant_12h_08195, kHalfDay08195, 0.0);
BENCHMARK_CAPTURE(propagateOneDay, deep_space_11801, kDeepSpace11801, 0.0);

BENCHMARK_CAPTURE(propagateOneDay, resonant_24h_28626_1_day_after_epoch, kOneDay28626, 1.0);
BENCHMARK_CAPTURE(propagateOneDay, resonant_24h_28626_5_years_after_epoch, kOneDay28626, 5 * 365.25);
BENCHMARK_CAPTURE(propagateOneDay, resonant_12h_08195_1_day_after_epoch, kHalfDay08195, 1.0);
BENCHMARK_CAPTURE(propagateOneDay, resonant_12h_08195_5_years_after_epoch, kHalfDay08195, 5 * 365.25);
BENCHMARK_CAPTURE(propagateOneDay, deep_space_11801_1_day_after_epoch, kDeepSpace11801, 1.0);
// 11801 decays after 78 days; the non-resonant GPS orbit 28129 stands in for five years.
BENCHMARK_CAPTURE(propagateOneDay, deep_space_28129_1_day_after_epoch, kGps28129, 1.0);
BENCHMARK_CAPTURE(propagateOneDay, deep_space_28129_5_years_after_epoch, kGps28129, 5 * 365.25);
