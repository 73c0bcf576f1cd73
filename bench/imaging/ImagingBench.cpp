// Decode time of the 2048 x 1024 default map in every format the readers take, next to Qt's own
// readers on the same picture. Counters: the decoded bitmap's bytes and the peak of the reader's
// own scratch memory (operator new) during one decode.

#include "imaging/BmpReader.h"
#include "imaging/CPcxFile.h"
#include "imaging/CPictureFile.h"
#include "imaging/CTiffFile.h"
#include "tests/imaging/ImageBytes.h"

#include <QBuffer>
#include <QImageReader>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> heapNow{0};
std::atomic<long long> heapPeak{0};

} // namespace

// Counts the bytes held through operator new; a size word in front of each block.
void* operator new(std::size_t size)
{
    auto* p = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (!p)
        throw std::bad_alloc();
    *p = size;
    const long long now = heapNow += (long long)size;
    long long peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return reinterpret_cast<char*>(p) + sizeof(std::max_align_t);
}

void operator delete(void* block) noexcept
{
    if (!block)
        return;
    auto* p = reinterpret_cast<std::size_t*>(static_cast<char*>(block) - sizeof(std::max_align_t));
    heapNow -= (long long)*p;
    std::free(p);
}

void operator delete(void* block, std::size_t) noexcept
{
    operator delete(block);
}

namespace {

using namespace kiv;

QImage defaultMap()
{
    QImage map(QStringLiteral(KIV_DATA_DIR "/earth2d.bmp"));
    if (map.isNull()) {
        map = QImage(2048, 1024, QImage::Format_RGB32);
        for (int y = 0; y < map.height(); ++y) {
            for (int x = 0; x < map.width(); ++x)
                map.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF));
        }
    }
    return map.convertToFormat(QImage::Format_RGB888);
}

QByteArray qtEncoded(const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    defaultMap().save(&buffer, format);
    return bytes;
}

// netpbm writes the formats Qt cannot; empty when it is not installed.
QByteArray netpbmEncoded(const QString& program, const QStringList& args)
{
    return kiv::test::netpbm(program, args, defaultMap()).value_or(QByteArray());
}

template <typename Decode>
void run(benchmark::State& state, const QByteArray& bytes, Decode decode)
{
    if (bytes.isEmpty()) {
        state.SkipWithError("input not available");
        return;
    }
    qsizetype imageBytes = 0;
    long long scratch = 0;
    for (auto _ : state) {
        const long long before = heapNow.load();
        heapPeak = before;
        const QImage image = decode(bytes);
        scratch = heapPeak.load() - before;
        imageBytes = image.sizeInBytes();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["image_MB"] = double(imageBytes) / (1 << 20);
    state.counters["scratch_MB"] = double(scratch) / (1 << 20);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

QImage qtRead(const QByteArray& bytes, const char* format)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return reader.read();
}

void OurBmpDisplay(benchmark::State& state)
{
    static const QByteArray bytes = qtEncoded("BMP");
    run(state, bytes, [](const QByteArray& b) { return decodeBmp(b, QString(), Route::Display).bitmap.takeImage(); });
}

void OurBmpStored(benchmark::State& state)
{
    static const QByteArray bytes = qtEncoded("BMP");
    run(state, bytes, [](const QByteArray& b) { return decodeBmp(b, QString(), Route::Stored).bitmap.takeImage(); });
}

void QtBmp(benchmark::State& state)
{
    static const QByteArray bytes = qtEncoded("BMP");
    run(state, bytes, [](const QByteArray& b) { return qtRead(b, "bmp"); });
}

void QtPng(benchmark::State& state)
{
    static const QByteArray bytes = qtEncoded("PNG");
    run(state, bytes, [](const QByteArray& b) { return qtRead(b, "png"); });
}

void OurPcxRle(benchmark::State& state)
{
    static const QByteArray bytes = netpbmEncoded(QStringLiteral("ppmtopcx"), {QStringLiteral("-24bit")});
    run(state, bytes, [](const QByteArray& b) { return CPcxFile::decode(b, QString(), Route::Display).bitmap.takeImage(); });
}

void OurTiffRaw(benchmark::State& state)
{
    static const QByteArray bytes = netpbmEncoded(QStringLiteral("pnmtotiff"), {QStringLiteral("-none")});
    run(state, bytes, [](const QByteArray& b) { return CTiffFile::decode(b, QString(), Route::Display).bitmap.takeImage(); });
}

void OurTiffPackBits(benchmark::State& state)
{
    static const QByteArray bytes = netpbmEncoded(QStringLiteral("pnmtotiff"), {QStringLiteral("-packbits")});
    run(state, bytes, [](const QByteArray& b) { return CTiffFile::decode(b, QString(), Route::Display).bitmap.takeImage(); });
}

void PictureJpeg(benchmark::State& state)
{
    static const QByteArray bytes = qtEncoded("JPEG");
    run(state, bytes, [](const QByteArray& b) { return CPictureFile::decode(b, Route::Display).bitmap.takeImage(); });
}

void QtJpeg(benchmark::State& state)
{
    static const QByteArray bytes = qtEncoded("JPEG");
    run(state, bytes, [](const QByteArray& b) { return qtRead(b, "jpeg"); });
}

} // namespace

BENCHMARK(OurBmpDisplay)->Unit(benchmark::kMillisecond);
BENCHMARK(OurBmpStored)->Unit(benchmark::kMillisecond);
BENCHMARK(QtBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(QtPng)->Unit(benchmark::kMillisecond);
BENCHMARK(OurPcxRle)->Unit(benchmark::kMillisecond);
BENCHMARK(OurTiffRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(OurTiffPackBits)->Unit(benchmark::kMillisecond);
BENCHMARK(PictureJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(QtJpeg)->Unit(benchmark::kMillisecond);
