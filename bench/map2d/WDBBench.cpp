// World Data Bank maps: decoding throughput (points per second) of a synthetic set of 5 million
// points in random-walk coastlines; the whole world drawn at 1920 x 960 from the converted
// default data and from the synthetic set; a 10° x 10° zoom; one pan step; nine views
// refreshing their satellites for one tick. KIV_WDB_PNG=<file> saves the converted world.
#include "tests/support/ScratchDocument.h"
#include "tests/support/TleWriter.h"
#include "views2d/WDBMap.h"
#include "views2d/WDBSegmentFile.h"
#include "views2d/WDBSegmentWriter.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

namespace {

using namespace kiv::wdb;

// Deterministic random walks all over the world, a quarter of the steps long strokes.
std::vector<std::uint8_t> syntheticFile(std::size_t points, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> start(-600000, 600000), shortStep(-60, 60), longStep(-4000, 4000), pick(0, 3);
    WDBSegmentWriter writer;
    std::vector<ArcPoint> line;
    for (std::size_t done = 0; done < points; done += line.size()) {
        line.clear();
        ArcPoint p{start(random), start(random) / 2};
        for (int i = 0; i < 2000; ++i) {
            line.push_back(p);
            const bool longOne = pick(random) == 0;
            p.x = std::clamp(p.x + (longOne ? longStep(random) : shortStep(random)), -647999, 647999);
            p.y = std::clamp(p.y + (longOne ? longStep(random) : shortStep(random)), -323999, 323999);
        }
        writer.add(1, line);
    }
    return writer.bytes();
}

class CountingSink : public Sink {
public:
    void setLayer(int) override {}
    void moveTo(Scale::Pixel) override { ++moves; }
    void lineTo(Scale::Pixel) override { ++lines; }
    long moves = 0, lines = 0;
};

void BM_DecodeSynthetic5M(benchmark::State& state)
{
    static const std::vector<std::uint8_t> file = syntheticFile(5'000'000, 17);
    std::array<bool, kLayerFlags> layers{};
    layers.fill(true);
    const Scale world(1920, 960, 180, -180, 90, -90);
    long points = 0;
    for (auto _ : state) {
        MemorySource source(file);
        CountingSink sink;
        bool seen = false;
        drawSegmentFile(source, Cil, layers, world, sink, seen);
        points += sink.moves + sink.lines;
        benchmark::DoNotOptimize(sink.lines);
    }
    state.counters["points/s"] = benchmark::Counter(static_cast<double>(points), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeSynthetic5M)->Unit(benchmark::kMillisecond);

std::string convertedFile(int continent, int kind)
{
    return std::string(KIV_WDB_DATA) + "/" + std::string(kContinentNames[continent]) + "." +
           std::string(kKindNames[kind]);
}

kiv::WDBViewState extent(double left, double right, double top, double bottom, int width, int height)
{
    kiv::WDBViewState s;
    s.left = left;
    s.right = right;
    s.top = top;
    s.bottom = bottom;
    s.width = width;
    s.height = height;
    return s;
}

// Every layer on, both passes, as "&Draw" does.
void drawAll(benchmark::State& state, const kiv::WDBViewState& view, const std::function<std::string(int, int)>& pathOf,
             const char* savePng = nullptr)
{
    kiv::WDBMap map;
    if (!map.setState(view)) {
        state.SkipWithError("bad extent");
        return;
    }
    std::array<bool, kLayerFlags> layers{};
    layers.fill(true);
    for (auto _ : state) {
        map.drawBackground(QImage(), false);
        const PassResult r = map.drawVectors(layers, false, pathOf);
        if (r.status != FileStatus::Ok) {
            state.SkipWithError("a segment file is missing or damaged");
            return;
        }
    }
    if (savePng)
        map.image().save(QString::fromLocal8Bit(savePng));
}

void BM_WorldConverted(benchmark::State& state)
{
    if (!FileSource(convertedFile(1, Cil)).isOpen()) {
        state.SkipWithError("no converted default data (gmt missing at build time)");
        return;
    }
    drawAll(state, extent(180, -180, 90, -90, 1920, 960), convertedFile, std::getenv("KIV_WDB_PNG"));
}
BENCHMARK(BM_WorldConverted)->Unit(benchmark::kMillisecond);

void BM_WorldSynthetic5M(benchmark::State& state)
{
    static QTemporaryDir dir;
    static const std::string file = [] {
        const std::string path = dir.path().toStdString() + "/africa.cil";
        const std::vector<std::uint8_t> bytes = syntheticFile(5'000'000, 17);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (f) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
        return path;
    }();
    drawAll(state, extent(180, -180, 90, -90, 1920, 960), [](int c, int k) { return c == 0 && k == Cil ? file : std::string(); });
}
BENCHMARK(BM_WorldSynthetic5M)->Unit(benchmark::kMillisecond);

void BM_Zoom10x10(benchmark::State& state)
{
    if (!FileSource(convertedFile(1, Cil)).isOpen()) {
        state.SkipWithError("no converted default data");
        return;
    }
    drawAll(state, extent(-5, -15, 50, 40, 1920, 1920), convertedFile); // the Alps and around
}
BENCHMARK(BM_Zoom10x10)->Unit(benchmark::kMillisecond);

// A document with the default geostationary set, every satellite shown with tracks,
// footprints and labels.
class Scene : public kiv::test::ScratchDocument {
public:
    Scene() : ScratchDocument(kiv::test::lowSatellites(40))
    {
        kiv::CKivDoc& d = doc();
        d.ShowCourseWDB = d.FootprintWDB = 1;
        d.FootprintStyleWDB = 3;
        for (int i = 0; i < d.SatelliteCount; ++i) {
            d.SatInfo[i].shown = 1;
            d.CalculateSatellite(i);
        }
        d.CalculateBeamFootprints(true);
    }
};

QImage backgroundPicture()
{
    QImage map(2048, 1024, QImage::Format_RGB32);
    for (int y = 0; y < map.height(); ++y)
        for (int x = 0; x < map.width(); ++x)
            map.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
    return map;
}

// One step of a pan at 1920 x 960 over a 30° x 15° extent: the stretched background, grid and
// towns as the zoom style keeps them while dragging, then the satellites.
void BM_PanStep(benchmark::State& state)
{
    Scene scene;
    kiv::CKivDoc& doc = scene.doc();
    const QImage picture = backgroundPicture();
    kiv::WDBMap map;
    kiv::WDBViewState view = extent(15, -15, 50, 35, 1920, 960);
    map.setState(view);
    int step = 0;
    for (auto _ : state) {
        view.left -= 0.05 * ((step & 64) ? -1 : 1);
        view.right = view.left - 30;
        ++step;
        map.setState(view);
        map.drawBackground(picture, true, false);
        const kiv::WDBScene painted = kiv::wdbScene(doc);
        map.drawGrid(painted, true);
        map.drawTowns(painted, true);
        map.keepAsBase();
        map.drawSatellites(painted, {true, true});
        benchmark::DoNotOptimize(map.image().constBits());
    }
}
BENCHMARK(BM_PanStep)->Unit(benchmark::kMillisecond);

// Nine views of 960 x 480 refreshing their satellites for one tick.
void BM_NineViewsTick(benchmark::State& state)
{
    Scene scene;
    kiv::CKivDoc& doc = scene.doc();
    std::vector<kiv::WDBMap> maps(9);
    for (std::size_t i = 0; i < maps.size(); ++i) {
        const double left = 180.0 - 40.0 * static_cast<double>(i);
        maps[i].setState(extent(left, left - 40, 60, 40 - 20.0 * static_cast<double>(i % 3) - 40, 960, 480));
        maps[i].drawBackground(QImage(), false);
        maps[i].keepAsBase();
    }
    for (auto _ : state) {
        state.PauseTiming();
        doc.AnimationStep();
        scene.clock().advanceMs(20);
        state.ResumeTiming();
        const kiv::WDBScene painted = kiv::wdbScene(doc);
        for (kiv::WDBMap& m : maps)
            m.drawSatellites(painted, {true, true});
    }
}
BENCHMARK(BM_NineViewsTick)->Unit(benchmark::kMillisecond);

// Whether the clock's step moved the satellites of one view, asked one second after they were
// drawn: everything is listed when nothing moved.
void BM_PictureMoved(benchmark::State& state)
{
    Scene scene;
    kiv::CKivDoc& doc = scene.doc();
    kiv::WDBMap map;
    map.setState(extent(180.0, -180.0, 90.0, -90.0, 960, 480));
    map.drawBackground(QImage(), false);
    map.keepAsBase();
    doc.AnimationStep();
    map.drawSatellites(kiv::wdbScene(doc), {true, true});
    scene.clock().advanceMs(1000);
    doc.AnimationStep();
    bool moved = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(moved = map.moved(kiv::wdbScene(doc), {true, true}));
    state.counters["moved"] = moved;
}
BENCHMARK(BM_PictureMoved)->Unit(benchmark::kMicrosecond);

} // namespace
