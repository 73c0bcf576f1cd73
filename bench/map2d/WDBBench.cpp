// World Data Bank segment files: decoding throughput (points per second) of a synthetic set of
// 5 million points in random-walk coastlines, through a sink that only counts.
#include "views2d/WDBSegmentFile.h"
#include "views2d/WDBSegmentWriter.h"

#include <benchmark/benchmark.h>

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

} // namespace
