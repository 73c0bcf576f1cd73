// Export tables with the real orbit library: rows per second and the text's size for large
// tables, and the time one regeneration of a typical table takes (a tab change in the dialog).
#include "dialogs/ExportGenerator.h"
#include "dialogs/LibraryExportOrbit.h"
#include "orbit/ElementSet.h"
#include "tests/support/TleWriter.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <sstream>

using namespace kiv;

namespace {

std::vector<tagSATELLITE> lowSatellites(int count)
{
    std::vector<tagSATELLITE> out;
    std::istringstream text(test::lowSatellites(count));
    std::string name, line1, line2;
    while (std::getline(text, name) && std::getline(text, line1) && std::getline(text, line2))
        out.push_back(orbit::makeSatelliteRecord(name, orbit::parseElementSet(line1, line2)));
    return out;
}

long peakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Arguments: satellites, steps, step seconds, kind.
void generate(benchmark::State& state)
{
    ExportParameters p;
    p.satellites = lowSatellites(static_cast<int>(state.range(0)));
    p.start = Time::fromUtc({2024, 4, 10, 0, 0, 0});
    p.stepSeconds = state.range(2);
    p.end = p.start + state.range(1) * p.stepSeconds;
    p.kind = static_cast<ExportKind>(state.range(3));
    p.observerLatitude = 0.0; // on the satellites' equatorial tracks: the look-angle kinds have rows
    LibraryExportOrbit orbit;
    std::int64_t rows = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const ExportOutput out = ExportGenerator::Generate(orbit, p);
        rows += ExportGenerator::TotalRows(p);
        bytes = out.text.size();
        benchmark::DoNotOptimize(out.text.data());
    }
    state.counters["rows_per_s"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
    state.counters["text_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["peak_rss_MB"] = static_cast<double>(peakResidentKiB()) / 1024.0;
}

constexpr int kLLA = static_cast<int>(ExportKind::LLA);
constexpr int kVOB = static_cast<int>(ExportKind::VOB);

} // namespace

BENCHMARK(generate)
    ->ArgNames({"sats", "steps", "step_s", "kind"})
    ->Args({255, 1000, 60, kLLA})
    ->Args({255, 1000, 60, kVOB})
    ->Args({10, 100000, 60, kLLA})
    ->Args({10, 100000, 60, kVOB})
    ->Unit(benchmark::kMillisecond);

// The regeneration on a tab change: 20 satellites over one day at one minute (target: < 300 ms).
BENCHMARK(generate)->Name("regenerate_20x1day")->Args({20, 1440, 60, kLLA})->Unit(benchmark::kMillisecond);
