// The peak memory (VmHWM) of the program's picture routes, one picture on one route per run, from
// the picture's bytes to what the program keeps: the 2D map, the night map and the World Data Bank
// map at a window's size, the globe's texture in GL, the weather overlay composed on the standard
// background, and the preview. bench/route_peaks.sh runs it per picture and route and subtracts the
// run with the standard pictures.
//
//   route_peak <map|night|wdb|texture|overlay|preview> [picture]   the peak in MiB, whether the
//                                                                   route kept the picture, and
//                                                                   the MiB the process read
//   route_peak write <jpeg|bmp|tiff|pcx> <width> <height> <file>    writes a true-colour picture,
//                                                                   the last three uncompressed
#include "imaging/PictureLoader.h"
#include "imaging/WeatherOverlay.h"
#include "tests/support/OffscreenGl.h"
#include "tests/support/ScratchDocument.h"
#include "views2d/ScaledMaps.h"
#include "views3d/GlobeRenderer.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

using namespace kiv;

namespace {

const QSize kWindow(1024, 512);

class Workspace : public test::ScratchDocument {
public:
    Workspace() : test::ScratchDocument(test::geostationarySatellites()) {}
    QImage load(const QString& name, PictureUse use) { return loader_.load(name, use); }

private:
    PictureLoader loader_{paths_, services_};
};

// A number of a /proc/self file's line that starts with `key`.
long procValue(const char* file, const char* key)
{
    QFile status(QString::fromLatin1(file));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').value(0).toLong();
    return -1;
}

long peakMiB()
{
    return procValue("/proc/self/status", "VmHWM:") / 1024;
}

// What the process read through the system's reads, files and pipes alike.
long readMiB()
{
    return procValue("/proc/self/io", "rchar:") >> 20;
}

QRgb patternAt(int x, int y)
{
    return qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
}

void put16(QByteArray& bytes, unsigned v)
{
    bytes.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF));
}

void put32(QByteArray& bytes, std::uint32_t v)
{
    put16(bytes, v & 0xFFFF);
    put16(bytes, v >> 16);
}

// The pattern as an uncompressed true-colour file, written a row at a time: a bottom-up 24-bit BMP,
// a one-strip RGB TIFF, or a PCX of three raw planes.
bool writeUncompressed(const QString& format, int width, int height, const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool bmp = format == QLatin1String("bmp");
    const bool pcx = format == QLatin1String("pcx");
    const qint64 pixels = qint64(width) * height * 3;
    const qint64 bmpStride = (qint64(width) * 3 + 3) / 4 * 4;
    QByteArray header;
    if (bmp) {
        header.append("BM");
        put32(header, std::uint32_t(54 + bmpStride * height));
        put32(header, 0);
        put32(header, 54);
        for (const std::uint32_t v : {40u, std::uint32_t(width), std::uint32_t(height)})
            put32(header, v);
        put16(header, 1);
        put16(header, 24);
        for (int i = 0; i < 6; ++i)
            put32(header, 0);
    } else if (format == QLatin1String("tiff")) {
        // Header, nine directory entries, the three BitsPerSample values, then the strip at 128.
        header.append("II");
        put16(header, 42);
        put32(header, 8);
        put16(header, 9);
        const struct {
            unsigned tag, type;
            std::uint32_t count, value;
        } entries[] = {{256, 4, 1, std::uint32_t(width)}, {257, 4, 1, std::uint32_t(height)}, {258, 3, 3, 122},
                       {259, 3, 1, 1}, {262, 3, 1, 2}, {273, 4, 1, 128}, {277, 3, 1, 3},
                       {278, 4, 1, std::uint32_t(height)}, {279, 4, 1, std::uint32_t(pixels)}};
        for (const auto& e : entries) {
            put16(header, e.tag);
            put16(header, e.type);
            put32(header, e.count);
            put32(header, e.value);
        }
        put32(header, 0);
        for (int i = 0; i < 3; ++i)
            put16(header, 8);
    } else if (pcx) {
        header.append(char(10)).append(char(5)).append(char(0)).append(char(8));
        for (const unsigned v : {0u, 0u, unsigned(width - 1), unsigned(height - 1), 72u, 72u})
            put16(header, v);
        header.append(48, '\0');
        header.append(char(0)).append(char(3));
        put16(header, unsigned(width));
        put16(header, 1);
        header.append(128 - header.size(), '\0');
    } else {
        return false;
    }
    file.write(header);
    QByteArray row(bmp ? bmpStride : qint64(width) * 3, '\0');
    for (int r = 0; r < height; ++r) {
        const int y = bmp ? height - 1 - r : r;
        for (int x = 0; x < width; ++x) {
            const QRgb c = patternAt(x, y);
            const int channels[3] = {qRed(c), qGreen(c), qBlue(c)};
            for (int k = 0; k < 3; ++k) {
                // BMP rows are blue, green, red; TIFF rows red, green, blue; PCX lines one plane each.
                const qint64 at = pcx ? qint64(k) * width + x : bmp ? 3 * x + 2 - k : 3 * x + k;
                row[at] = char(channels[k]);
            }
        }
        if (file.write(row) != row.size())
            return false;
    }
    return file.flush();
}

// A picture drawn into a window-sized picture, as the World Data Bank map and the preview draw theirs.
QImage drawn(const QImage& picture)
{
    QImage window(kWindow, QImage::Format_RGB32);
    QPainter painter(&window);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, picture.depth() > 16);
    painter.drawImage(QRect(QPoint(), kWindow), picture);
    return window;
}

// What the route keeps of the picture; a missing name stands for the standard picture.
bool runRoute(const QString& route, const QString& file, Workspace& space)
{
    const QString name = file.isEmpty() ? QStringLiteral("standard.bmp") : file;
    if (route == QLatin1String("map") || route == QLatin1String("night")) {
        const QImage picture = space.load(name, PictureUse::Map);
        const QImage standard = space.load(QString(), PictureUse::Map);
        ScaledMaps maps;
        return route == QLatin1String("map") ? maps.update(picture, standard, kWindow)
                                             : maps.update(standard, picture, kWindow);
    }
    if (route == QLatin1String("wdb") || route == QLatin1String("preview"))
        return !drawn(space.load(name, PictureUse::Map)).isNull();
    if (route == QLatin1String("overlay")) {
        const QImage weather = space.load(name, file.isEmpty() ? PictureUse::Map : PictureUse::Overlay);
        const QImage background = space.load(QString(), PictureUse::Map);
        const qint64 held = weather.sizeInBytes() + background.sizeInBytes();
        const OverlayPlan plan = planOverlay({}, weather.size(), kWindow, held);
        return !weather.isNull() && plan.ok() && !drawn(composeOverlay(background, weather, plan)).isNull();
    }
    if (route == QLatin1String("texture")) {
        test::OffscreenGl gl(64, 64);
        space.doc().TextureErdeFileName = name;
        GlobeRenderer globe(space.doc(), [&](const QString& n) { return space.load(n, PictureUse::Texture); });
        globe.initialize(64, 64);
        glFinish();
        globe.release();
        return gl.valid();
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 6 && args[1] == QLatin1String("write")) {
        const int width = args[3].toInt();
        const int height = args[4].toInt();
        if (args[2] != QLatin1String("jpeg"))
            return writeUncompressed(args[2], width, height, args[5]) ? 0 : 1;
        QImage picture(width, height, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                row[x] = patternAt(x, y);
        }
        return picture.save(args[5], "JPEG", 90) ? 0 : 1;
    }
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: route_peak <map|night|wdb|texture|overlay|preview> [picture]\n"
                             "       route_peak write <jpeg|bmp|tiff|pcx> <width> <height> <file>\n");
        return 2;
    }
    Workspace space;
    const bool kept = runRoute(args[1], args.value(2), space);
    std::printf("%ld %s %ld\n", peakMiB(), kept ? "kept" : "refused", readMiB());
    return 0;
}
