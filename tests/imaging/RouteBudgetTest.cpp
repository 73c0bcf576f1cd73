// The memory a picture costs from its bytes to what the program keeps, measured on the heap: the
// maps' route (display bitmaps) and the reader's part of the globe's (stored bitmaps), for hostile
// pictures and the largest admitted ones. GL's part is measured with the globe's tests.

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
        square = write(*dir, "square.jpg", trueColourJpeg(8192, 8192));
        wide = write(*dir, "wide.jpg", trueColourJpeg(16384, 4096));
        // A PNG of 16384 x 8192 behind an icon directory whose one entry says 0 x 0 (256 x 256).
        QImage grey(16384, 8192, QImage::Format_Grayscale8);
        grey.fill(0);
        const QByteArray png = encoded(grey, "PNG");
        const Bytes header = Bytes().u16(0).u16(1).u16(1);
        const QByteArray ico = Bytes(header).u32(0).u16(1).u16(32).u32(png.size()).u32(22).raw(png).data();
        icon = write(*dir, "large.ico", ico);
    }
    static void TearDownTestSuite() { delete dir; }

    static QString corpus(const char* name) { return QStringLiteral(KIV_PICTURE_CORPUS "/") + QLatin1String(name); }

    static inline QTemporaryDir* dir = nullptr;
    static inline QString square, wide, icon;
};

} // namespace

TEST_F(RouteBudget, EveryPictureCostsAtMostTheBudgetOnTheMapsRouteAndInTheTexturesReader)
{
    struct Case {
        QString file;
        bool display, stored; // loads on the display route, on the stored route
        QSize size;
    };
    const QSize none;
    for (const Case& c : {Case{corpus("bmp-rle8-early-end-huge.bmp"), false, true, QSize(15622, 12784)},
                          Case{corpus("bmp-rle8-16384x16384.bmp"), false, false, none},
                          Case{corpus("jpeg-base-16384x16384.jpg"), false, false, none},
                          Case{icon, false, false, none},
                          Case{square, true, true, QSize(8192, 8192)},
                          Case{wide, true, true, QSize(16384, 4096)}}) {
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
            EXPECT_LE(peak, kBudget) << c.file.toStdString() << " display " << display;
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
