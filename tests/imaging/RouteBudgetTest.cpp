// The memory a picture costs from its bytes to what the program keeps, measured on the heap: the
// maps' route (display bitmaps) and the reader's part of the globe's (stored bitmaps), for hostile
// pictures, the largest admitted ones, uncompressed ones and pictures padded far past their end.
// GL's part is measured with the globe's tests.

#include "ImageBytes.h"

#include "tests/support/HeapPeak.h"

#include "imaging/CGraphicFile.h"
#include "imaging/WeatherOverlay.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

constexpr qint64 kBudget = 512 * kMiB;

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

// The bytes, then zeros up to `size` bytes: on most file systems a hole that takes no disk.
QString padded(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes, qint64 size)
{
    const QString path = write(dir, name, bytes);
    EXPECT_TRUE(QFile(path).resize(size));
    return path;
}

// A true-colour JPEG of these sides.
QByteArray trueColourJpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(20, 90, 160));
    return encoded(image, "JPEG");
}

class RouteBudget : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        const QByteArray squareJpeg = trueColourJpeg(8192, 8192);
        square = write(*dir, "square.jpg", squareJpeg);
        wide = write(*dir, "wide.jpg", trueColourJpeg(16384, 4096));
        // A PNG of 16384 x 8192 behind an icon directory whose one entry says 0 x 0 (256 x 256).
        QImage grey(16384, 8192, QImage::Format_Grayscale8);
        grey.fill(0);
        const QByteArray png = encoded(grey, "PNG");
        const Bytes header = Bytes().u16(0).u16(1).u16(1);
        const QByteArray ico = Bytes(header).u32(0).u16(1).u16(32).u32(png.size()).u32(22).raw(png).data();
        icon = write(*dir, "large.ico", ico);
        // Pictures of 64 x 64 and 8192 x 8192 padded with zeros to 1,200 MiB.
        const QByteArray small = makeBmp({.width = 64, .height = 64, .pixels = QByteArray(64 * 64 * 3, '\x7F')});
        paddedBmp = padded(*dir, "padded.bmp", small, 1200 * kMiB);
        paddedJpeg = padded(*dir, "padded.jpg", squareJpeg, 1200 * kMiB);
        // Uncompressed 8192 x 8192 true colour, the pixels (all black) a hole of 192 MiB.
        constexpr std::uint32_t kPixels = 8192 * 8192 * 3, kTiffStrip = 4096;
        rawTiff = padded(*dir, "raw.tif",
                         simpleTiff(8192, 8192, 3, 8, {}, 1, {{273, 4, {kTiffStrip}}, {279, 4, {kPixels}}}),
                         kTiffStrip + kPixels);
        rawPcx = padded(*dir, "raw.pcx", makePcx({.planes = 3, .width = 8192, .height = 8192, .bytesPerLine = 8192}),
                        128 + kPixels);
        rawBmp = padded(*dir, "raw.bmp", makeBmp({.width = 8192, .height = 8192}), 54 + kPixels);
        // The same at 16 bits a sample, which the reader does not take.
        deepTiff = padded(*dir, "deep.tif",
                          simpleTiff(8192, 8192, 3, 16, {}, 1, {{273, 4, {kTiffStrip}}, {279, 4, {2 * kPixels}}}),
                          kTiffStrip + 2 * kPixels);
    }
    static void TearDownTestSuite() { delete dir; }

    static QString corpus(const char* name) { return QStringLiteral(KIV_PICTURE_CORPUS "/") + QLatin1String(name); }

    static inline QTemporaryDir* dir = nullptr;
    static inline QString square, wide, icon, paddedBmp, paddedJpeg, rawTiff, rawPcx, rawBmp, deepTiff;
};

} // namespace

TEST_F(RouteBudget, EveryPictureCostsAtMostTheBudgetOnTheMapsRouteAndInTheTexturesReader)
{
    struct Case {
        QString file;
        bool display, stored; // loads on the display route, on the stored route
        QSize size;
        qint64 most = kBudget; // what it may cost on either route
    };
    const QSize none;
    // An uncompressed picture costs its bitmap, at most 4 bytes a pixel, and a few pieces of its
    // file: not the file's 192 MiB beside it.
    const qint64 bitmapAndPieces = 8192 * 8192 * 4 + 4 * kMiB;
    for (const Case& c : {Case{corpus("bmp-rle8-early-end-huge.bmp"), false, true, QSize(15622, 12784)},
                          Case{corpus("bmp-rle8-16384x16384.bmp"), false, false, none},
                          Case{corpus("jpeg-base-16384x16384.jpg"), false, false, none},
                          Case{icon, false, false, none},
                          Case{deepTiff, false, false, none},
                          Case{square, true, true, QSize(8192, 8192)},
                          Case{wide, true, true, QSize(16384, 4096)},
                          Case{paddedBmp, true, true, QSize(64, 64), kMiB},
                          Case{paddedJpeg, true, true, QSize(8192, 8192)},
                          Case{rawTiff, true, true, QSize(8192, 8192), bitmapAndPieces},
                          Case{rawPcx, true, true, QSize(8192, 8192), bitmapAndPieces},
                          Case{rawBmp, true, true, QSize(8192, 8192), bitmapAndPieces}}) {
        for (const bool display : {true, false}) {
            Bitmap kept;
            const qint64 peak = heapPeakDuring([&] {
                CGraphicFile file;
                file.SetUseDib(display);
                file.Load(c.file);
                kept = file.DetachBitmap();
            });
            const bool loads = display ? c.display : c.stored;
            EXPECT_EQ(!kept.isNull(), loads) << c.file.toStdString() << " display " << display;
            if (loads) {
                EXPECT_EQ(kept.image().size(), c.size);
            }
            // The stored route leaves room for GL's copy; both are measured in the globe's tests.
            EXPECT_LE(peak, c.most) << c.file.toStdString() << " display " << display;
            if (!loads) {
                EXPECT_LE(peak, 16 * kMiB) << c.file.toStdString() << " is refused before it is decoded";
            }
        }
    }
}

TEST_F(RouteBudget, TheWeatherOverlayCountsTheComposedMap)
{
    for (const QString& file : {square, wide}) {
        QImage composed;
        const qint64 peak = heapPeakDuring([&] {
            CGraphicFile weather;
            ASSERT_TRUE(weather.Load(file));
            const QImage picture = weather.DetachBitmap().takeImage();
            QImage background(512, 256, QImage::Format_RGB32);
            background.fill(Qt::blue);
            for (const QSize requested : {QSize(1024, 512), QSize(0, 0)}) {
                const OverlayPlan plan = planOverlay({}, picture.size(), requested,
                                                     picture.sizeInBytes() + background.sizeInBytes());
                // At its own scale between 70 N and 70 S either map would be too large.
                EXPECT_EQ(plan.ok(), !requested.isNull()) << file.toStdString();
                if (plan.ok())
                    composed = composeOverlay(background, picture, plan);
            }
        });
        EXPECT_EQ(composed.size(), QSize(1024, 512));
        EXPECT_LE(peak, kBudget) << file.toStdString();
    }
}
