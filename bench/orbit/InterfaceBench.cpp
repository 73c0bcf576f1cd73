// The orbit library as the animation step uses it: switching the current satellite before each
// propagation, and alternating between the satellite now and the points of its track.
#include "orbit/CSGP4_SDP4.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Kind {
    const char* line1;
    const char* line2;
};

// Near earth, 24-hour resonant, 12-hour resonant and non-resonant deep space (the published
// verification set).
const Kind kKinds[] = {
    {"1 06251U 62025E   06176.82412014  .00008885  00000-0  12808-3 0  3985",
     "2 06251  58.0579  54.0425 0030035 139.1568 221.1854 15.56387291  6774"},
    {"1 28626U 05008A   06176.46683397 -.00000205  00000-0  10000-3 0  2190",
     "2 28626   0.0019 286.9433 0000335  13.7918  55.6504  1.00270176  4891"},
    {"1 08195U 75081A   06176.33215444  .00000099  00000-0  11873-3 0   813",
     "2 08195  64.1586 279.0717 6877146 264.7651  20.2257  2.00491383225656"},
    {"1 28129U 03058A   06175.57071136 -.00000104  00000-0  10000-3 0   459",
     "2 28129  54.7298 324.8098 0048506 266.2640  93.1663  2.00562768 18443"},
};

// A record of the kind with its mean anomaly moved, so that every satellite is a record of its own.
tagSATELLITE recordOf(const Kind& kind, int variant)
{
    std::string line2 = kind.line2;
    char anomaly[9];
    std::snprintf(anomaly, sizeof anomaly, "%8.4f", (variant * 1.37));
    line2.replace(43, 8, anomaly);
    CSGP4_SDP4 orbit("bench", kind.line1, line2.c_str());
    return *orbit.GetSatellite();
}

double epochOf(const tagSATELLITE& s) { return s.epochJd + s.epochJdFraction; }

// One satellite, one day in 1-minute steps through the interface.
void SingleSatellite(benchmark::State& state)
{
    const tagSATELLITE record = recordOf(kKinds[state.range(0)], 0);
    CSGP4_SDP4 orbit;
    orbit.SetSatellite(&record, true);
    const double start = epochOf(record);
    for (auto _ : state) {
        for (int minute = 0; minute <= 1440; ++minute)
            benchmark::DoNotOptimize(orbit.SGP(start + minute / 1440.0));
    }
    state.counters["per_call"] =
        benchmark::Counter(1441, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(SingleSatellite)->DenseRange(0, 3)->ArgName("kind");

// 255 satellites of one kind, each made current before its propagation, a minute apart per round.
void Interleaved255(benchmark::State& state)
{
    std::vector<tagSATELLITE> records;
    for (int i = 0; i < 255; ++i)
        records.push_back(recordOf(kKinds[state.range(0)], i));
    CSGP4_SDP4 orbit;
    const double start = epochOf(records[0]);
    int round = 0;
    for (auto _ : state) {
        const double jd = start + (round++ % 1441) / 1440.0;
        for (const tagSATELLITE& r : records) {
            orbit.SetSatellite(&r, true);
            benchmark::DoNotOptimize(orbit.SGP(jd));
        }
    }
    state.counters["per_call"] =
        benchmark::Counter(255, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(Interleaved255)->DenseRange(0, 3)->ArgName("kind");

// A resonant satellite with element sets of the given age in days: the position now, then a
// track point half a day ahead, as a step that adds a track point does.
void NowAndTrack(benchmark::State& state)
{
    const tagSATELLITE record = recordOf(kKinds[1], 0);
    CSGP4_SDP4 orbit;
    orbit.SetSatellite(&record, true);
    double jd = epochOf(record) + static_cast<double>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(orbit.SGP(jd));
        benchmark::DoNotOptimize(orbit.SGP(jd + 0.5));
        jd += 60.0 / 86400.0;
    }
}
BENCHMARK(NowAndTrack)->Arg(1)->Arg(5 * 365)->ArgName("age_days");

// One track point as the ground track computes it: a low satellite's propagation and its
// geodetic position, one day in 1-minute steps, on one thread.
void TrackPoint(benchmark::State& state)
{
    const tagSATELLITE record = recordOf(kKinds[0], 0);
    CSGP4_SDP4 orbit;
    orbit.SetSatellite(&record, true);
    const double start = epochOf(record);
    for (auto _ : state) {
        for (int minute = 0; minute <= 1440; ++minute) {
            const double jd = start + minute / 1440.0;
            benchmark::DoNotOptimize(orbit.SGP(jd));
            orbit.CalculateLatLonAlt(jd);
            benchmark::DoNotOptimize(orbit.GetLat());
        }
    }
    state.counters["per_point"] =
        benchmark::Counter(1441, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(TrackPoint);

} // namespace
