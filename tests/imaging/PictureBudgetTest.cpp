// One memory budget for every reader: the largest earth maps fit, and a picture beyond the budget
// is refused from its header, with the limit in the reader's message.

#include "ImageBytes.h"

#include "imaging/BmpReader.h"
#include "imaging/CPcxFile.h"
#include "imaging/CPictureFile.h"
#include "imaging/CTiffFile.h"

#include <QBuffer>

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

// A JPEG whose frame header names other sides than its data.
QByteArray jpegNaming(int width, int height)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::blue);
    small.save(&buffer, "JPEG");
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    bytes[frame + 5] = char(height >> 8);
    bytes[frame + 6] = char(height);
    bytes[frame + 7] = char(width >> 8);
    bytes[frame + 8] = char(width);
    return bytes;
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
