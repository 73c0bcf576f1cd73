// The animation step's propagation: one satellite's calculation, a whole step over the table,
// and the periodic full reset. Views are absent; their redraws are measured in their own programs.
#include "document/CKivDoc.h"
#include "platform/DataPaths.h"
#include "platform/IniProfile.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TleWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace kiv;

// A document over a temporary element file, with the tracks of every view shown.
class Bench {
public:
    Bench(const std::string& elements, int points, bool history)
    {
        QFile file(dir_.path() + "/sats.tle");
        file.open(QIODevice::WriteOnly);
        file.write(elements.data(), static_cast<qint64>(elements.size()));
        file.close();
        paths_ = std::make_unique<platform::DataPaths>(dir_.path(), dir_.path(), dir_.path());
        profile_.parse(QByteArray("[Allgemein]\nSatellitenfilename=sats.tle\nNrOfPoints=") +
                       QByteArray::number(points) + "\n");
        ui_.clock.setNow(platform::Time::fromUtc({2024, 4, 10, 12, 0, 0}));
        doc_ = std::make_unique<CKivDoc>(DocumentContext{services_, profile_, *paths_, nullptr});
        doc_->ShowObs = history ? 1 : 0;
        doc_->ShowCourse2D = 1;
        for (int i = 0; i < doc_->SatelliteCount; ++i)
            doc_->SatInfo[i].shown = 1;
    }
    CKivDoc& doc() { return *doc_; }
    test::ManualClock& clock() { return ui_.clock; }

private:
    QTemporaryDir dir_;
    test::ScriptedUiServices ui_;
    platform::UiServices services_ = ui_.services();
    platform::IniProfile profile_;
    std::unique_ptr<platform::DataPaths> paths_;
    std::unique_ptr<CKivDoc> doc_;
};

std::string lowSatellites(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        test::Elements e;
        e.catalogNumber = 10000 + i;
        e.raanDeg = (i * 37) % 360;
        e.meanAnomalyDeg = (i * 97) % 360;
        text += test::tleText(test::makeTle("LOW " + std::to_string(i), e));
    }
    return text;
}

std::string geostationarySatellites()
{
    QFile file(KIV_GEO_SAMPLE);
    file.open(QIODevice::ReadOnly);
    return file.readAll().toStdString();
}

// CalculateSatellite for one low satellite: args factor, points, history.
void CalculateSatellite(benchmark::State& state)
{
    Bench bench(lowSatellites(1), static_cast<int>(state.range(1)), state.range(2) != 0);
    CKivDoc& doc = bench.doc();
    doc.TimeFactor = static_cast<int>(state.range(0));
    for (auto _ : state) {
        doc.AdvanceTime();
        benchmark::DoNotOptimize(doc.CalculateSatellite(0));
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
BENCHMARK_CAPTURE(Step, geostationary21, geostationarySatellites())
    ->ArgsProduct({{1, 60, 86400}, {35}})
    ->ArgNames({"factor", "points"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Step, low255, lowSatellites(255))
    ->ArgsProduct({{60, 86400}, {35, 500}})
    ->ArgNames({"factor", "points"})
    ->Unit(benchmark::kMillisecond);

// The reset every 10,000 steps: every ring anew.
void FullReset(benchmark::State& state)
{
    Bench bench(lowSatellites(255), 500, false);
    for (auto _ : state)
        bench.doc().OnReset();
}
BENCHMARK(FullReset)->Unit(benchmark::kMillisecond);

} // namespace
