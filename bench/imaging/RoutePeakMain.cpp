// The peak memory (VmHWM) of the program's picture routes, one picture on one route per run, from
// the picture's bytes to what the program keeps: the 2D map, the night map and the World Data Bank
// map at a window's size, the globe's texture in GL, the weather overlay composed on the standard
// background, and the preview. bench/route_peaks.sh runs it per picture and route and subtracts the
// run with the standard pictures.
//
//   route_peak <map|night|wdb|texture|overlay|preview> [picture]   the peak in MiB, and whether
//                                                                   the route kept the picture
//   route_peak jpeg <width> <height> <file>                         writes a true-colour JPEG
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

#include <cstdio>

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

long peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong() / 1024;
    return -1;
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
    if (args.size() == 5 && args[1] == QLatin1String("jpeg")) {
        QImage picture(args[2].toInt(), args[3].toInt(), QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                row[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
        }
        return picture.save(args[4], "JPEG", 90) ? 0 : 1;
    }
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: route_peak <map|night|wdb|texture|overlay|preview> [picture]\n");
        return 2;
    }
    Workspace space;
    const bool kept = runRoute(args[1], args.value(2), space);
    std::printf("%ld %s\n", peakMiB(), kept ? "kept" : "refused");
    return 0;
}
