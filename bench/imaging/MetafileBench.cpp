// What drawing a metafile in the helper's child process costs over drawing it in the caller's own
// process, for the largest valid EMF and WMF of the fuzz corpus (small pictures, where the child's
// start dominates) and for the WMF whose frame is drawn at the full metafile budget of 64
// megapixels (where the picture's way back through the socket dominates).

#include "imaging/Metafile.h"
#include "imaging/MetafileChild.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {

using namespace kiv;

QByteArray corpusFile(const char* name)
{
    QFile file(QStringLiteral(KIV_PICTURE_CORPUS "/%1").arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <typename Render>
void run(benchmark::State& state, const char* name, Render render)
{
    const QByteArray bytes = corpusFile(name);
    for (auto _ : state) {
        const QImage picture = render(bytes);
        if (picture.isNull()) {
            state.SkipWithError("the metafile was not drawn");
            return;
        }
        benchmark::DoNotOptimize(picture.constBits());
    }
}

QImage inProcess(const QByteArray& bytes)
{
    return Metafile::render(bytes);
}

QImage inChild(const QByteArray& bytes)
{
    return MetafileChild(QStringLiteral(KIV_METAFILE_HELPER)).render(bytes);
}

void EmfInProcess(benchmark::State& state) { run(state, "rect.emf", inProcess); }
void EmfInChild(benchmark::State& state) { run(state, "rect.emf", inChild); }
void WmfInProcess(benchmark::State& state) { run(state, "rect.wmf", inProcess); }
void WmfInChild(benchmark::State& state) { run(state, "rect.wmf", inChild); }
void LargeFrameWmfInProcess(benchmark::State& state) { run(state, "wmf-large-frame.wmf", inProcess); }
void LargeFrameWmfInChild(benchmark::State& state) { run(state, "wmf-large-frame.wmf", inChild); }

} // namespace

BENCHMARK(EmfInProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(EmfInChild)->Unit(benchmark::kMillisecond);
BENCHMARK(WmfInProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(WmfInChild)->Unit(benchmark::kMillisecond);
BENCHMARK(LargeFrameWmfInProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(LargeFrameWmfInChild)->Unit(benchmark::kMillisecond);
