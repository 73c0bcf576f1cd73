// The export editor taking a whole table (one tab change's second half): the time and the memory
// for tables of the size the generator's benchmarks make.
#include "dialogs/CEditor.h"
#include "dialogs/ExportGenerator.h"
#include "dialogs/LibraryExportOrbit.h"
#include "orbit/ElementSet.h"
#include "platform/UiServices.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TleWriter.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <sstream>

using namespace kiv;

namespace {

QString table(int satellites, int steps)
{
    ExportParameters p;
    std::istringstream text(test::lowSatellites(satellites));
    std::string name, line1, line2;
    while (std::getline(text, name) && std::getline(text, line1) && std::getline(text, line2))
        p.satellites.push_back(orbit::makeSatelliteRecord(name, orbit::parseElementSet(line1, line2)));
    p.start = Time::fromUtc({2024, 4, 10, 0, 0, 0});
    p.stepSeconds = 60;
    p.end = p.start + std::int64_t{steps} * p.stepSeconds;
    LibraryExportOrbit orbit;
    return QString::fromStdString(ExportGenerator::Generate(orbit, p).text);
}

// Arguments: satellites, steps.
void editorTakesTable(benchmark::State& state)
{
    const QString text = table(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    test::ScriptedUiServices scripted;
    UiServices ui = scripted.services();
    CEditor editor(ui, 1);
    for (auto _ : state) {
        editor.SetTable(text);
        benchmark::DoNotOptimize(editor.Modified());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The same table in pieces of some lines each, as a large table comes in from the event loop.
// Arguments: satellites, steps, lines per piece.
void editorTakesTableInPieces(benchmark::State& state)
{
    const QString text = table(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QStringList pieces;
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i + 1 < lines.size(); i += state.range(2))
        pieces << lines.mid(i, std::min<qsizetype>(state.range(2), lines.size() - 1 - i)).join(QStringLiteral("\r\n")) +
                      QStringLiteral("\r\n");
    test::ScriptedUiServices scripted;
    UiServices ui = scripted.services();
    CEditor editor(ui, 1);
    for (auto _ : state) {
        editor.BeginTable();
        for (const QString& piece : pieces)
            editor.AppendTable(piece);
        editor.EndTable();
        benchmark::DoNotOptimize(editor.Modified());
    }
    state.counters["pieces"] = static_cast<double>(pieces.size());
}

} // namespace

BENCHMARK(editorTakesTableInPieces)->ArgNames({"sats", "steps", "lines"})->Args({10, 100000, 1000})
    ->Args({10, 100000, 20000})->Unit(benchmark::kMillisecond);
BENCHMARK(editorTakesTable)->ArgNames({"sats", "steps"})->Args({20, 1440})->Args({255, 1000})->Args({10, 100000})
    ->Unit(benchmark::kMillisecond);
