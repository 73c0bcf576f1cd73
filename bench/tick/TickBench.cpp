// The animation step's propagation: one satellite's calculation, a whole step over the table,
// and the periodic full reset. Views are absent; their redraws are measured in their own programs.
#include "document/TrackWorkers.h"
#include "platform/VectorUnitState.h"
#include "tests/support/ScratchDocument.h"
#include "tests/support/TleWriter.h"


#include <benchmark/benchmark.h>

namespace {

using namespace kiv;

// A document over a temporary element file, with the tracks of every view shown.
class Bench : public test::ScratchDocument {
public:
    Bench(const std::string& elements, int points, bool history)
        : ScratchDocument(elements, "NrOfPoints=" + QByteArray::number(points) + "\n")
    {
        doc().ShowObs = history ? 1 : 0;
        doc().ShowCourse2D = 1;
        for (int i = 0; i < doc().SatelliteCount; ++i)
            doc().SatInfo[i].shown = 1;
    }
};

// CalculateSatellite for one low satellite: args factor, points, history.
void CalculateSatellite(benchmark::State& state)
{
    Bench bench(test::lowSatellites(1), static_cast<int>(state.range(1)), state.range(2) != 0);
    CKivDoc& doc = bench.doc();
    doc.TimeFactor = static_cast<int>(state.range(0));
    const kiv::Time start = doc.SimTime;
    for (auto _ : state) {
        kiv::clearUpperVectorState(); // as the animation step does before it calculates
        doc.AdvanceTime();
        if (!doc.CalculateSatellite(0)) // decayed after years of months: back to the start
            doc.SetSimTime(start);
        bench.clock().advanceMs(20);
    }
}
BENCHMARK(CalculateSatellite)
    ->ArgsProduct({{1, 60, 3600, 2592000}, {35, 500}, {0, 1}})
    ->ArgNames({"factor", "points", "history"})
    ->Unit(benchmark::kMicrosecond);

// One animation step over a table: the time step and every shown satellite.
void Step(benchmark::State& state, const std::string& elements)
{
    Bench bench(elements, static_cast<int>(state.range(1)), false);
    CKivDoc& doc = bench.doc();
    doc.TimeFactor = static_cast<int>(state.range(0));
    for (auto _ : state) {
        doc.AnimationStep();
        bench.clock().advanceMs(20);
    }
    state.counters["satellites"] = doc.SatelliteCount;
}
BENCHMARK_CAPTURE(Step, geostationary21, test::geostationarySatellites())
    ->ArgsProduct({{1, 60, 86400}, {35}})
    ->ArgNames({"factor", "points"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Step, low255, test::lowSatellites(255))
    ->ArgsProduct({{60, 86400}, {35, 500}})
    ->ArgNames({"factor", "points"})
    ->Unit(benchmark::kMillisecond);

// The reset every 10,000 steps: every ring anew.
void FullReset(benchmark::State& state)
{
    Bench bench(test::lowSatellites(255), 500, false);
    for (auto _ : state)
        bench.doc().OnReset();
}
BENCHMARK(FullReset)->Unit(benchmark::kMillisecond);

// What handing a step to the workers costs by itself: 255 pieces of no work on 1 (the calling
// thread alone) or 8 threads. TrackWorkers::kParallelPoints is chosen from it.
void HandOff(benchmark::State& state)
{
    CSGP4_SDP4 orbit;
    TrackWorkers workers(orbit, static_cast<int>(state.range(0)), 0);
    for (auto _ : state)
        workers.run(255, 1, [](CSGP4_SDP4&, int item) { benchmark::DoNotOptimize(item); });
}
BENCHMARK(HandOff)->ArgName("threads")->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);

} // namespace
