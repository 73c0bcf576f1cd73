// The 2D world map's redraw, split by layer, at two window sizes: the default data (21
// geostationary satellites, hatched horizon footprints, labels, night texture or shadow), 255
// low satellites with 35-point tracks and footprints with and without labels, and the default
// data paused. Each run also times the building of the map's scene from the document and
// counts heap allocations per redraw after the first.
#include "tests/support/ScratchDocument.h"
#include "tests/support/TleWriter.h"
#include "platform/VectorUnitState.h"
#include "views2d/WorldMap.h"


#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <vector>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace kiv;
using Clock = std::chrono::steady_clock;

// The day and night maps as the program ships them, or stand-ins of the same size.
QImage earthMap(const char* file, QRgb fallback)
{
    QImage image(QStringLiteral("/usr/share/xplanet/images/") + QLatin1String(file));
    if (image.isNull()) {
        image = QImage(2048, 1024, QImage::Format_RGB32);
        image.fill(fallback);
    }
    return image;
}

// A document over the given element sets with the map's default settings, every satellite
// shown and computed.
class Scene : public test::ScratchDocument {
public:
    explicit Scene(const std::string& elements) : ScratchDocument(elements)
    {
        for (int i = 0; i < doc().SatelliteCount; ++i) {
            doc().SatInfo[i].shown = 1;
            doc().CalculateSatellite(i);
        }
        doc().CalculateBeamFootprints(true);
    }
};

using Layer = void (*)(WorldMap&, const WorldMapScene&);
using Shown = bool (*)(const WorldMapScene&);
struct Stage {
    const char* name;
    Layer draw;
    Shown shown;
};

bool always(const WorldMapScene&) { return true; }

const Stage kStages[] = {
    {"background",
     [](WorldMap& m, const WorldMapScene& d) {
         kiv::clearUpperVectorState();
         m.computeSunAndMoon(d);
         m.drawBackground();
     },
     always},
    {"day_night", [](WorldMap& m, const WorldMapScene& d) { d.nightTexture ? m.drawNightTexture() : m.drawShadow(); },
     [](const WorldMapScene& d) { return d.nightTexture || d.shadow; }},
    {"tracks", [](WorldMap& m, const WorldMapScene& d) { m.drawTracks(d); }, [](const WorldMapScene& d) { return d.tracks; }},
    {"footprints", [](WorldMap& m, const WorldMapScene& d) { m.drawFootprints(d); },
     [](const WorldMapScene& d) { return d.footprints; }},
    {"icons_labels", [](WorldMap& m, const WorldMapScene& d) { m.drawSatellites(d); }, always},
    {"sun_moon", [](WorldMap& m, const WorldMapScene& d) { m.drawSunAndMoon(d); }, always},
};

struct Scenario {
    bool lowSatellites = false; // 255 low ones, else the default element file
    bool labels = true;
    int timeFactor = 1;
    bool shadow = false;        // the grey shadow instead of the night texture
};

// One redraw per iteration, the layers timed one by one; the animation step runs between
// redraws (not timed) so that satellites move as they do in the program.
void Redraw(benchmark::State& state, Scenario scenario)
{
    Scene scene(scenario.lowSatellites ? test::lowSatellites(255) : test::geostationarySatellites());
    CKivDoc& doc = scene.doc();
    doc.TimeFactor = scenario.timeFactor;
    doc.DayNight2D = scenario.shadow ? 0 : 1;
    doc.DrawDayNightLine2D = scenario.shadow ? 1 : 0;
    WorldMap map;
    map.setMaps(earthMap("earth.jpg", qRgb(40, 80, 160)), earthMap("night.jpg", qRgb(10, 10, 20)));
    const int width = static_cast<int>(state.range(0));
    map.setSize({width, width / 2}, worldMapScene(doc));
    map.layoutLabels(satelliteScene(doc), {scenario.labels, scenario.labels});
    map.redraw(worldMapScene(doc));

    double seconds[std::size(kStages)] = {};
    double sceneSeconds = 0.0;
    long redrawAllocations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        doc.AnimationStep();
        scene.clock().advanceMs(20);
        state.ResumeTiming();
        const long mark = allocations.load();
        const auto built = Clock::now();
        const WorldMapScene painted = worldMapScene(doc);
        sceneSeconds += std::chrono::duration<double>(Clock::now() - built).count();
        for (std::size_t s = 0; s < std::size(kStages); ++s) {
            if (!kStages[s].shown(painted))
                continue;
            const auto t0 = Clock::now();
            kStages[s].draw(map, painted);
            seconds[s] += std::chrono::duration<double>(Clock::now() - t0).count();
        }
        redrawAllocations += allocations.load() - mark;
        benchmark::DoNotOptimize(map.image().constBits());
    }
    for (std::size_t s = 0; s < std::size(kStages); ++s) {
        state.counters[std::string(kStages[s].name) + "_ms"] =
            benchmark::Counter(seconds[s] * 1e3, benchmark::Counter::kAvgIterations);
    }
    state.counters["scene_ms"] = benchmark::Counter(sceneSeconds * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["allocs"] = benchmark::Counter(double(redrawAllocations), benchmark::Counter::kAvgIterations);
    state.counters["satellites"] = doc.SatelliteCount;
}

BENCHMARK_CAPTURE(Redraw, default_data, Scenario{})->Arg(1024)->Arg(1920)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Redraw, default_data_shadow, Scenario{.shadow = true})->Arg(1024)->Arg(1920)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Redraw, low255, Scenario{.lowSatellites = true, .timeFactor = 60})
    ->Arg(1024)
    ->Arg(1920)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Redraw, low255_no_labels, Scenario{.lowSatellites = true, .labels = false, .timeFactor = 60})
    ->Arg(1024)
    ->Arg(1920)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Redraw, paused_default_data, Scenario{.timeFactor = 0})->Arg(1024)->Arg(1920)->Unit(benchmark::kMillisecond);

// Whether a step whose clock moved moved the picture: the question asked one step after the
// picture was drawn, at factor 1 (little or nothing moved: everything is listed) and at factor
// 86400 (the first satellite decides).
void PictureMoved(benchmark::State& state, Scenario scenario)
{
    Scene scene(scenario.lowSatellites ? test::lowSatellites(255) : test::geostationarySatellites());
    CKivDoc& doc = scene.doc();
    doc.DrawDayNightLine2D = 1;
    WorldMap map;
    map.setMaps(earthMap("earth.jpg", qRgb(40, 80, 160)), earthMap("night.jpg", qRgb(10, 10, 20)));
    map.setSize({1024, 512}, worldMapScene(doc));
    map.layoutLabels(satelliteScene(doc), {scenario.labels, scenario.labels});
    doc.AnimationStep();
    map.redraw(worldMapScene(doc));
    doc.TimeFactor = scenario.timeFactor;
    scene.clock().advanceMs(1000);
    doc.AnimationStep();
    bool moved = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(moved = map.moved(worldMapScene(doc)));
    state.counters["moved"] = moved;
}
BENCHMARK_CAPTURE(PictureMoved, default_data, Scenario{})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PictureMoved, low255_no_labels, Scenario{.lowSatellites = true, .labels = false})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PictureMoved, low255_day_a_step, Scenario{.lowSatellites = true, .timeFactor = 86400})
    ->Unit(benchmark::kMicrosecond);

// One footprint's outline and polygon at 1024 x 512: args points, angular radius (degrees).
void FootprintShape(benchmark::State& state)
{
    std::vector<QPointF> scratch;
    kiv::FootprintShape shape;
    const double angle = static_cast<double>(state.range(1)) * 3.141592653589793 / 180.0;
    double lon = 0.0;
    kiv::clearUpperVectorState();
    for (auto _ : state) {
        lon = lon > 179.0 ? -179.0 : lon + 0.37;
        footprintShape(40.0, lon, angle, static_cast<int>(state.range(0)), 1024, 512, scratch, shape);
        benchmark::DoNotOptimize(shape.polygon.data());
    }
}
BENCHMARK(FootprintShape)
    ->ArgsProduct({{35, 100, 360}, {5, 81}})
    ->ArgNames({"points", "radius"})
    ->Unit(benchmark::kMicrosecond);

// The scaled maps are rebuilt only when the window's size changes: the cost of one resize.
void Resize(benchmark::State& state)
{
    Scene scene(test::geostationarySatellites());
    WorldMap map;
    map.setMaps(earthMap("earth.jpg", qRgb(40, 80, 160)), earthMap("night.jpg", qRgb(10, 10, 20)));
    int width = 1024;
    for (auto _ : state) {
        width = width == 1024 ? 1026 : 1024;
        map.setSize({width, width / 2}, worldMapScene(scene.doc()));
    }
}
BENCHMARK(Resize)->Unit(benchmark::kMillisecond);

} // namespace
