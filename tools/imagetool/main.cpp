// Makes the pictures Kiv ships without keeping them in the repository:
//   kiv_imagetool resources DIR   the standard texture (bitmap/419.bmp) and the splash (image/416)
//   kiv_imagetool maps DIR CLOUDS the default maps earth2d.bmp, earth3d.bmp and night.bmp, and the
//                                 globe texture clouds.bmp: the day map under the cloud map CLOUDS
// The earth pictures come from the public-domain NASA maps of Debian's xplanet-images, the clouds
// from openuniverse-common (GPL-2+); without the first an ocean with a graticule stands in,
// without the second clouds.bmp is the day map alone, so a build never depends on either.

#include "EarthPictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

namespace {

// Writes a 24-bit BMP whole, or leaves no file at all.
bool writeBmp(const QImage& image, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.convertToFormat(QImage::Format_RGB888).save(&file, "BMP")
        || !file.commit()) {
        std::fprintf(stderr, "kiv_imagetool: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

int makeResources(const QString& dir)
{
    const QImage texture = kiv::imagetool::dayMap(QSize(512, 256));
    const bool ok = writeBmp(texture, dir + QStringLiteral("/bitmap/419.bmp"))
        && writeBmp(kiv::imagetool::splash(texture), dir + QStringLiteral("/image/416"));
    return ok ? 0 : 1;
}

int makeMaps(const QString& dir, const QString& cloudMap)
{
    const QSize size(2048, 1024);
    const QImage day = kiv::imagetool::dayMap(size);
    const bool ok = writeBmp(day, dir + QStringLiteral("/earth2d.bmp"))
        && writeBmp(day, dir + QStringLiteral("/earth3d.bmp"))
        && writeBmp(kiv::imagetool::cloudyEarth(day, cloudMap), dir + QStringLiteral("/clouds.bmp"))
        && writeBmp(kiv::imagetool::nightMap(size), dir + QStringLiteral("/night.bmp"));
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("resources"))
        return makeResources(args[2]);
    if (args.size() == 4 && args[1] == QLatin1String("maps"))
        return makeMaps(args[2], args[3]);
    std::fprintf(stderr, "usage: kiv_imagetool resources DIR | maps DIR CLOUDS\n");
    return 2;
}
