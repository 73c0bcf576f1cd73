// The observer sky's redraw in its two phases, look angles and drawing: the default data (21
// geostationary satellites, 35 points per grid line, 480 x 480) and 255 low satellites with
// tracks, hidden lines and every label line at 500 points per grid line, 1000 x 1000.
#include "tests/support/ScratchDocument.h"
#include "tests/support/TleWriter.h"
#include "views2d/SkyPicture.h"


#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace kiv;
using Clock = std::chrono::steady_clock;

struct Scenario {
    bool lowSatellites = false; // 255 low ones, else the default element file
    int points = 35;            // per grid line
    int size = 480;
    int timeFactor = 1;
};

void RedrawSky(benchmark::State& state, Scenario scenario)
{
    test::ScratchDocument scene(scenario.lowSatellites ? test::lowSatellites(255) : test::geostationarySatellites());
    CKivDoc& doc = scene.doc();
    doc.ShowObs = 1;
    doc.TimeFactor = scenario.timeFactor;
    doc.AccuracyX = scenario.points;
    doc.fUserLat = 48.1;
    doc.fUserLon = 11.6;
    if (scenario.lowSatellites) {
        doc.ShowCourseOBS = doc.bOBSDrawHiddenLines = 1;
        doc.bOBSShowName = doc.bOBSShowAziEleDist = doc.OBSShowAscDesc = 1;
        doc.fTwilight = -90.0;
    }
    for (int i = 0; i < doc.SatelliteCount; ++i) {
        doc.SatInfo[i].shown = 1;
        doc.CalculateSatellite(i);
    }
    SkyPicture sky;
    sky.loadSettings(doc);
    sky.setSize({scenario.size, scenario.size});
    sky.layoutLabels(satelliteScene(doc));
    sky.redraw(satelliteScene(doc));

    double lookSeconds = 0.0, drawSeconds = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        doc.AnimationStep();
        scene.clock().advanceMs(20);
        state.ResumeTiming();
        const auto t0 = Clock::now();
        const SatelliteScene satellites = satelliteScene(doc);
        sky.computeLookAngles(satellites);
        const auto t1 = Clock::now();
        sky.draw(satellites);
        const auto t2 = Clock::now();
        lookSeconds += std::chrono::duration<double>(t1 - t0).count();
        drawSeconds += std::chrono::duration<double>(t2 - t1).count();
        benchmark::DoNotOptimize(sky.image().constBits());
    }
    state.counters["look_ms"] = benchmark::Counter(lookSeconds * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["draw_ms"] = benchmark::Counter(drawSeconds * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["satellites"] = doc.SatelliteCount;
}

// Whether a step whose clock moved moved the picture, asked one step after it was drawn: at
// factor 1 every satellite's look angles are worked out, at 86400 the first one decides.
void PictureMoved(benchmark::State& state, Scenario scenario)
{
    test::ScratchDocument scene(scenario.lowSatellites ? test::lowSatellites(255) : test::geostationarySatellites());
    CKivDoc& doc = scene.doc();
    doc.ShowObs = 1;
    doc.fUserLat = 48.1;
    doc.fUserLon = 11.6;
    doc.fTwilight = -90.0;
    for (int i = 0; i < doc.SatelliteCount; ++i)
        doc.SatInfo[i].shown = 1;
    doc.AnimationStep();
    SkyPicture sky;
    sky.loadSettings(doc);
    sky.setSize({scenario.size, scenario.size});
    sky.layoutLabels(satelliteScene(doc));
    sky.redraw(satelliteScene(doc));
    doc.TimeFactor = scenario.timeFactor;
    scene.clock().advanceMs(1000);
    doc.AnimationStep();
    bool moved = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(moved = sky.moved(satelliteScene(doc)));
    state.counters["moved"] = moved;
}
BENCHMARK_CAPTURE(PictureMoved, default_data, Scenario{})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PictureMoved, low255, Scenario{.lowSatellites = true})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PictureMoved, low255_day_a_step, Scenario{.lowSatellites = true, .timeFactor = 86400})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_CAPTURE(RedrawSky, default_data, Scenario{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RedrawSky, low255_n500_hidden_labels,
                  Scenario{.lowSatellites = true, .points = 500, .size = 1000, .timeFactor = 60})
    ->Unit(benchmark::kMillisecond);

} // namespace
