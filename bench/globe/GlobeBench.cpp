// Milliseconds per globe frame (RenderScene and glFinish) in an off-screen framebuffer under
// the machine's GL (Mesa llvmpipe in the test set-up): median and 95th percentile of 200 frames,
// as counters. The clock moves a minute per frame, as at time factor 60.
#include "document/CKivDoc.h"
#include "tests/support/OffscreenGl.h"
#include "tests/support/ScratchDocument.h"
#include "tests/support/TleWriter.h"
#include "views3d/GlobeRenderer.h"


#include <QFile>

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

constexpr int kFrames = 200;

// Geostationary satellites spread round the equator, every third one a low orbiter instead;
// no count: the 21 bundled default satellites.
QByteArray satellites(int count)
{
    if (count == 0) {
        QFile bundled(QStringLiteral(KIV_SOURCE_DIR "/data/intelsat.tle"));
        return bundled.open(QIODevice::ReadOnly) ? bundled.readAll() : QByteArray();
    }
    std::string text;
    for (int i = 0; i < count; ++i) {
        kiv::test::Elements e;
        e.catalogNumber = 20000 + i;
        const bool low = i % 3 == 2;
        e.meanMotion = low ? 15.2 : 1.0027;
        e.inclinationDeg = low ? 51.6 : 0.05;
        e.raanDeg = (i * 41) % 360;
        e.meanAnomalyDeg = (i * 360.0) / count;
        text += kiv::test::tleText(kiv::test::makeTle("SAT " + std::to_string(i), e));
    }
    return QByteArray::fromStdString(text);
}

struct Setup {
    int satellites = 0;
    int beamStyle = 3;
    int exact = 0;
};

class GlobeScene {
public:
    GlobeScene(const Setup& setup, int width, int height)
        : gl_(width, height), scratch_(satellites(setup.satellites).toStdString()), doc_(&scratch_.doc())
    {
        doc_->SatelliteModelFileName = QStringLiteral(KIV_SOURCE_DIR "/data/SATELLITE.DAT");
        doc_->BeamDrawStyle = setup.beamStyle;
        doc_->CalculateExact = setup.exact;
        for (int i = 0; i < doc_->SatelliteCount; ++i) {
            doc_->SatInfo[i].shown = 1;
            for (auto& c : doc_->SatInfo[i].glColor)
                c[0] = c[1] = c[2] = c[3] = 0.8f;
        }
        renderer_ = std::make_unique<kiv::GlobeRenderer>(*doc_, [](const QString&) { return QImage(); });
        renderer_->initialize(width, height);
    }
    ~GlobeScene() { renderer_->release(); }

    bool valid() const { return gl_.valid(); }

    double frameMs()
    {
        doc_->SimTime += 60;
        const auto start = std::chrono::steady_clock::now();
        renderer_->renderScene();
        glFinish();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }

    // A frame drawn, then the clock moved on by `seconds` with the satellites propagated.
    void drawThenStep(int seconds)
    {
        renderer_->renderScene();
        doc_->SimTime += seconds;
        for (int i = 0; i < doc_->SatelliteCount; ++i)
            doc_->CalculateSatellite(i);
    }
    bool pictureMoved() { return renderer_->pictureMoved(); }

private:
    kiv::test::OffscreenGl gl_;
    kiv::test::ScratchDocument scratch_;
    kiv::CKivDoc* doc_;
    std::unique_ptr<kiv::GlobeRenderer> renderer_;
};

void frames(benchmark::State& state, Setup setup)
{
    GlobeScene scene(setup, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!scene.valid()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    std::vector<double> ms;
    for (auto _ : state)
        ms.push_back(scene.frameMs());
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p95_ms"] = ms[ms.size() * 95 / 100];
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Args({800, 600})->Args({1600, 1200})->Iterations(kFrames)->Unit(benchmark::kMillisecond)->UseRealTime();
}

// Whether the clock's step moved the frame, asked after a step of the given seconds: at 1 second
// everything is listed, at a day the first satellite decides.
void pictureMoved(benchmark::State& state, Setup setup)
{
    GlobeScene scene(setup, 800, 600);
    if (!scene.valid()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    scene.drawThenStep(static_cast<int>(state.range(0)));
    bool moved = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(moved = scene.pictureMoved());
    state.counters["moved"] = moved;
}

} // namespace

BENCHMARK_CAPTURE(pictureMoved, defaults_21, Setup{0, 3, 0})->Arg(1)->ArgName("seconds")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(pictureMoved, beams_255, Setup{255, 3, 0})->Arg(1)->Arg(86400)->ArgName("seconds")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(frames, defaults_21, Setup{0, 3, 0})->Apply(sizes);
BENCHMARK_CAPTURE(frames, beams_255, Setup{255, 3, 0})->Apply(sizes);
BENCHMARK_CAPTURE(frames, exact_255, Setup{255, 3, 1})->Apply(sizes);
BENCHMARK_CAPTURE(frames, beams_off_255, Setup{255, 0, 0})->Apply(sizes);
