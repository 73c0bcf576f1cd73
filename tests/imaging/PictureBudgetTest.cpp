// One memory budget for every reader: the largest earth maps fit, a picture beyond the budget is
// refused from its header, with the limit in the reader's message, and each reader on each route
// admits a picture up to the budget and not one row more.

#include "ImageBytes.h"

#include "imaging/BmpReader.h"
#include "imaging/CGraphicFile.h"
#include "imaging/CPcxFile.h"
#include "imaging/CPictureFile.h"
#include "imaging/CTiffFile.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kPackBits = 32773;
const QString kName = QStringLiteral("earth");

// An RLE8 picture whose data ends at once: every pixel colour 0.
QByteArray emptyRle8(int width, int height)
{
    return makeBmp({.width = width, .height = height, .bitCount = 8, .compression = kRle8, .colours = {qRgb(0, 0, 90)},
                    .pixels = hex("00 01")});
}

// A true-colour PCX whose runs fill the picture with grey 5.
QByteArray filledPcx(int width, int height)
{
    const qint64 bytes = qint64(width) * height * 3;
    return makePcx({.planes = 3, .width = width, .height = height, .bytesPerLine = width, .encoded = true,
                    .data = hex("FF 05").repeated((bytes + 62) / 63)});
}

// A JPEG, in colour or grey, whose frame header names other sides than its data.
QByteArray jpegNaming(int width, int height, bool grey = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage small(8, 8, grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    small.fill(Qt::blue);
    small.save(&buffer, "JPEG");
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    bytes[frame + 5] = char(height >> 8);
    bytes[frame + 6] = char(height);
    bytes[frame + 7] = char(width >> 8);
    bytes[frame + 8] = char(width);
    return bytes;
}

// A true-colour PCX of 16384 pixels a row without its pixels.
QByteArray rgbPcx(int rows)
{
    return makePcx({.planes = 3, .width = 16384, .height = rows, .bytesPerLine = 16384});
}

} // namespace

TEST(PictureBudget, TheLargestEarthMapsFitInEveryReader)
{
    for (const QSize size : {QSize(8192, 8192), QSize(16384, 4096)}) {
        const LoadResult bmp = decodeBmp(emptyRle8(size.width(), size.height()), kName, Route::Display);
        ASSERT_TRUE(bmp.ok()) << size.width();
        EXPECT_EQ(bmp.bitmap.image().size(), size);
        EXPECT_EQ(px(bmp, size.width() - 1, 0), qRgb(0, 0, 90));
    }
    // True colour from planes: the planes are gone before the picture is made.
    const LoadResult pcx = CPcxFile::decode(filledPcx(8192, 8192), kName, Route::Display);
    ASSERT_TRUE(pcx.ok());
    EXPECT_EQ(px(pcx, 8191, 8191), qRgb(5, 5, 5));
    const LoadResult tiff = CTiffFile::decode(
        simpleTiff(8192, 8192, 1, 8, hex("81 00").repeated(8192 * 64), kPackBits), kName, Route::Display);
    ASSERT_TRUE(tiff.ok());
    EXPECT_EQ(tiff.bitmap.width(), 8192);
}

TEST(PictureBudget, EveryReaderRefusesAPictureBeyondItWithTheLimitInItsMessage)
{
    // A few bytes each: nothing of the picture's size may be allocated before the refusal.
    const ReaderMessages overBudget{overBudgetMessage()};
    EXPECT_EQ(decodeBmp(emptyRle8(16384, 6554), kName, Route::Display).messages, overBudget);
    EXPECT_EQ(decodeBmp(emptyRle8(15622, 12784), kName, Route::Display).messages, overBudget);
    EXPECT_EQ(CPcxFile::decode(makePcx({.width = 16384, .height = 16384, .bytesPerLine = 16384, .data = hex("00"),
                                        .palette = std::vector<QRgb>(256)}),
                               kName, Route::Display)
                  .messages,
              overBudget);
    EXPECT_EQ(CTiffFile::decode(simpleTiff(16384, 16384, 3, 8, hex("00 00")), kName, Route::Display).messages,
              overBudget);
    EXPECT_TRUE(overBudget[0].text.endsWith(QStringLiteral("a picture may take at most 512 MiB")));

    const LoadResult jpeg = CPictureFile::decode(jpegNaming(16384, 8193), Route::Display);
    EXPECT_FALSE(jpeg.ok());
    ASSERT_EQ(jpeg.messages.size(), 1u);
    EXPECT_EQ(jpeg.messages[0].caption, QStringLiteral("Error."));
    EXPECT_EQ(jpeg.messages[0].text,
              QStringLiteral("Can not allocate enough memory: a picture may take at most 512 MiB\t"));
    // A JPEG that only names other sides within the budget fails silently, as any broken one.
    EXPECT_TRUE(CPictureFile::decode(jpegNaming(64, 64), Route::Display).messages.empty());
}

TEST(PictureBudget, EachReaderOnEachRouteAdmitsUpToTheBudgetAndNotOneRowMore)
{
    // The most rows of 16384 pixels within 512 MiB: on the display route a bitmap of 4 bytes a
    // pixel; on the stored route the file's depth (24 bits, 8 bits) beside GL's copy of 4 bytes a
    // texel, whose sides are the largest powers of two not above a side + 1; Qt's picture beside the
    // route's copy. Inside the budget a reader goes on to pixels that are not there, or Qt makes
    // them up; a colour JPEG would make up more than the tests may allocate at once.
    const struct {
        const char* what;
        const char* name; // the reader, by the file name
        QByteArray (*picture)(int rows);
        Route route;
        int rows; // inside; one row more is outside
        bool outsideOnly = false;
    } cases[] = {
        {"4 x 16384 x 8192 = 512 MiB", "rgb.bmp", [](int h) { return makeBmp({.width = 16384, .height = h}); },
         Route::Display, 8192},
        {"3 x 16384 x 5461 + 4 x 16384 x 4096 = 512 MiB - 16 KiB", "rgb.bmp",
         [](int h) { return makeBmp({.width = 16384, .height = h}); }, Route::Stored, 5461},
        {"4 x 16384 x 8192", "rgb.pcx", [](int h) { return rgbPcx(h); }, Route::Display, 8192},
        {"3 x 16384 x 5461 + 4 x 16384 x 4096", "rgb.pcx", [](int h) { return rgbPcx(h); }, Route::Stored, 5461},
        {"4 x 16384 x 8192", "rgb.tif", [](int h) { return simpleTiff(16384, h, 3, 8, {}); }, Route::Display, 8192},
        {"3 x 16384 x 5461 + 4 x 16384 x 4096", "rgb.tif", [](int h) { return simpleTiff(16384, h, 3, 8, {}); },
         Route::Stored, 5461},
        {"16384 x 8190 + 4 x 16384 x 4096; 16384 x 8191 + 4 x 16384 x 8192", "grey.tif",
         [](int h) { return simpleTiff(16384, h, 1, 8, {}); }, Route::Stored, 8190},
        {"grey and its indexed copy, 16384 x 8190 + 4 x 16384 x 4096", "grey.jpg",
         [](int h) { return jpegNaming(16384, h, true); }, Route::Stored, 8190},
        {"(4 + 3) x 16384 x 4682 = 512 MiB + 96 KiB", "photo.jpg", [](int h) { return jpegNaming(16384, h); },
         Route::Stored, 4681, true},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        for (const int rows : {c.rows, c.rows + 1}) {
            if (c.outsideOnly && rows == c.rows)
                continue;
            QFile out(dir.filePath(QLatin1String(c.name)));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(c.picture(rows));
            out.close();
            CGraphicFile file;
            file.SetUseDib(c.route == Route::Display);
            file.Load(out.fileName());
            const ReaderMessages& said = file.messages();
            const bool refused = std::any_of(said.begin(), said.end(), [](const ReaderMessage& m) {
                return m.text.contains(QStringLiteral("at most 512 MiB"));
            });
            EXPECT_EQ(refused, rows > c.rows) << c.name << ", " << c.what << ", " << rows << " rows";
        }
    }
}
