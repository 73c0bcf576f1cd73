// The BMP reader on crafted files and on files netpbm wrote.

#include "tests/support/Prerequisite.h"
#include "ImageBytes.h"

#include "imaging/BmpReader.h"
#include "imaging/BmpRle.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

const QString kName = QStringLiteral("maps/earth.bmp");

// 24-bit rows, bottom row first, each padded to 4 bytes with `pad`.
QByteArray rows24(const std::vector<std::vector<QRgb>>& bottomUp, char pad = 0)
{
    Bytes b;
    for (const auto& row : bottomUp) {
        for (QRgb c : row)
            b.u8(unsigned(qBlue(c))).u8(unsigned(qGreen(c))).u8(unsigned(qRed(c)));
        b.fill((4 - (row.size() * 3) % 4) % 4, pad);
    }
    return b.data();
}

} // namespace

TEST(BmpReader, BottomUpAndTopDownGiveTheSamePicture)
{
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255), white = qRgb(255, 255, 255);
    BmpLayout layout{.width = 2, .height = 2, .pixels = rows24({{red, green}, {blue, white}})};
    const LoadResult up = decodeBmp(makeBmp(layout), kName, Route::Display);
    ASSERT_TRUE(up.ok());
    EXPECT_EQ(px(up, 0, 0), blue); // file row 1 is the top row
    EXPECT_EQ(px(up, 1, 1), green);

    layout.height = -2;
    layout.pixels = rows24({{blue, white}, {red, green}});
    const LoadResult down = decodeBmp(makeBmp(layout), kName, Route::Display);
    ASSERT_TRUE(down.ok());
    EXPECT_EQ(down.bitmap.image(), up.bitmap.image());
    EXPECT_EQ(down.bitmap.height(), 2);
}

TEST(BmpReader, IndexedPicturesUseTheirColourTableOnBothRoutes)
{
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    // 1 bit, width 3: pixels 0 1 0 -> red blue red.
    const QByteArray mono = makeBmp({.width = 3, .height = 1, .bitCount = 1, .colours = {red, blue},
                                     .pixels = hex("40 00 00 00")});
    // 4 bits with 16 colours declared: pixels 15 and 1.
    std::vector<QRgb> sixteen(16, qRgb(1, 2, 3));
    sixteen[15] = qRgb(10, 20, 30);
    sixteen[1] = qRgb(40, 50, 60);
    const QByteArray nibbles = makeBmp({.width = 2, .height = 1, .bitCount = 4, .colours = sixteen, .colourCount = 16,
                                        .pixels = hex("F1 00 00 00")});
    // 8 bits with biClrUsed 0: a full table of 256.
    std::vector<QRgb> grey(256);
    for (int i = 0; i < 256; ++i)
        grey[size_t(i)] = qRgb(i, i, 255 - i);
    const QByteArray bytes8 = makeBmp({.width = 1, .height = 1, .bitCount = 8, .colours = grey, .pixels = hex("C8 00 00 00")});

    for (Route route : {Route::Display, Route::Stored}) {
        const LoadResult r1 = decodeBmp(mono, kName, route);
        ASSERT_TRUE(r1.ok());
        EXPECT_EQ(px(r1, 0, 0), red);
        EXPECT_EQ(px(r1, 1, 0), blue);
        EXPECT_EQ(px(r1, 2, 0), red);
        const LoadResult r4 = decodeBmp(nibbles, kName, route);
        ASSERT_TRUE(r4.ok());
        EXPECT_EQ(px(r4, 0, 0), qRgb(10, 20, 30));
        EXPECT_EQ(px(r4, 1, 0), qRgb(40, 50, 60));
        const LoadResult r8 = decodeBmp(bytes8, kName, route);
        ASSERT_TRUE(r8.ok());
        EXPECT_EQ(px(r8, 0, 0), qRgb(200, 200, 55));
        EXPECT_EQ(r8.bitmap.bitsPerPixel(), route == Route::Display ? 32 : 8);
    }
    const LoadResult stored = decodeBmp(bytes8, kName, Route::Stored);
    EXPECT_EQ(stored.bitmap.image().format(), QImage::Format_Indexed8);
    EXPECT_EQ(stored.bitmap.image().colorTable().size(), 256);
}

TEST(BmpReader, OddWidthsAreWidenedFromTheRowPadding)
{
    // Width 3: 9 bytes of pixels and 3 of padding, which become the added pixel (B, G, R).
    const QByteArray pixels = rows24({{qRgb(1, 1, 1), qRgb(2, 2, 2), qRgb(3, 3, 3)}}) .left(9) + hex("30 20 10");
    const LoadResult r = decodeBmp(makeBmp({.width = 3, .height = 1, .pixels = pixels}), kName, Route::Display);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bitmap.width(), 4);
    EXPECT_EQ(px(r, 3, 0), qRgb(0x10, 0x20, 0x30));

    for (int width : {1, 510, 511, 512, 1022}) {
        const qsizetype stride = (width * 3 + 3) / 4 * 4;
        const LoadResult w = decodeBmp(makeBmp({.width = width, .height = 2, .pixels = QByteArray(stride * 2, '\x7F')}),
                                       kName, Route::Stored);
        ASSERT_TRUE(w.ok()) << width;
        EXPECT_EQ(w.bitmap.width(), (width + 1) / 2 * 2) << width;
        EXPECT_EQ(px(w, width - 1, 1), qRgb(0x7F, 0x7F, 0x7F)) << width;
    }
}

TEST(BmpReader, SixteenAndThirtyTwoBitsWithAndWithoutBitFields)
{
    // 5-5-5: 0x7C00 is full red; 5-6-5 with bit fields: 0x07E0 is full green.
    const LoadResult r555 = decodeBmp(makeBmp({.width = 2, .height = 1, .bitCount = 16, .pixels = hex("00 7C 1F 00")}),
                                      kName, Route::Display);
    ASSERT_TRUE(r555.ok());
    EXPECT_EQ(px(r555, 0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(px(r555, 1, 0), qRgb(0, 0, 255));
    const LoadResult r565 = decodeBmp(makeBmp({.width = 2, .height = 1, .bitCount = 16, .compression = 3,
                                               .masks = {0xF800, 0x07E0, 0x001F}, .pixels = hex("E0 07 00 F8")}),
                                      kName, Route::Stored);
    ASSERT_TRUE(r565.ok());
    EXPECT_EQ(px(r565, 0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(px(r565, 1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(r565.bitmap.bitsPerPixel(), 16);
    const LoadResult r32 = decodeBmp(makeBmp({.width = 1, .height = 1, .bitCount = 32, .pixels = hex("30 20 10 00")}),
                                     kName, Route::Display);
    ASSERT_TRUE(r32.ok());
    EXPECT_EQ(px(r32, 0, 0), qRgb(0x10, 0x20, 0x30));
    // Masks that overlap or are not one run of bits are refused.
    const LoadResult bad = decodeBmp(makeBmp({.width = 1, .height = 1, .bitCount = 16, .compression = 3,
                                              .masks = {0xF800, 0x0FE0, 0x001F}, .pixels = hex("00 00 00 00")}),
                                     kName, Route::Display);
    EXPECT_FALSE(bad.ok());
}

TEST(BmpReader, Rle8AndRle4CoverEveryEscape)
{
    const ReaderMessage notValid{QStringLiteral("Not a valid BMP - File, Use standard Texture !"), kName,
                                 ReaderMessage::Icon::None, true, false};
    std::vector<QRgb> table(16);
    for (int i = 0; i < 16; ++i)
        table[size_t(i)] = qRgb(i * 16, 0, 0);
    // Bottom row: run "03 04", absolute "00 03 05 06 07" + pad, end of line; then delta (1, 0),
    // run "01 09", end of bitmap.
    const QByteArray rle8 = hex("03 04 00 03 05 06 07 00 00 00 00 02 01 00 01 09 00 01");
    const LoadResult r8 = decodeBmp(makeBmp({.width = 6, .height = 2, .bitCount = 8, .compression = 1, .colours = table,
                                             .pixels = rle8}),
                                    kName, Route::Stored);
    ASSERT_TRUE(r8.ok());
    const QImage& i8 = r8.bitmap.image();
    EXPECT_EQ(i8.pixelIndex(0, 1), 4);
    EXPECT_EQ(i8.pixelIndex(2, 1), 4);
    EXPECT_EQ(i8.pixelIndex(3, 1), 5);
    EXPECT_EQ(i8.pixelIndex(5, 1), 7);
    EXPECT_EQ(i8.pixelIndex(0, 0), 0); // skipped by the delta
    EXPECT_EQ(i8.pixelIndex(1, 0), 9);
    EXPECT_EQ(i8.pixelIndex(2, 0), 0); // left out by the end of the bitmap

    // RLE4: "05 12" alternates 1 2 1 2 1, absolute 3 nibbles "34 50" (word padded), end of bitmap.
    const LoadResult r4 = decodeBmp(makeBmp({.width = 8, .height = 1, .bitCount = 4, .compression = 2, .colours = table,
                                             .pixels = hex("05 12 00 03 34 50 00 01")}),
                                    kName, Route::Display);
    ASSERT_TRUE(r4.ok());
    const int expected[] = {1, 2, 1, 2, 1, 3, 4, 5};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(px(r4, x, 0), qRgb(expected[x] * 16, 0, 0)) << x;
    // A run past the row's end is clipped.
    const LoadResult clipped = decodeBmp(makeBmp({.width = 2, .height = 1, .bitCount = 8, .compression = 1, .colours = table,
                                                  .pixels = hex("FF 03 00 01")}),
                                         kName, Route::Display);
    ASSERT_TRUE(clipped.ok());
    EXPECT_EQ(px(clipped, 1, 0), qRgb(48, 0, 0));
    // Streams that end before the picture is full are refused: inside a delta, inside an absolute
    // run, or after a row of two.
    for (const char* cut : {"02 03 00 00 00 02 05", "02 03 00 00 00 04 01 02", "02 03"}) {
        EXPECT_FALSE(decodeBmp(makeBmp({.width = 2, .height = 2, .bitCount = 8, .compression = 1, .colours = table,
                                        .pixels = hex(cut)}),
                               kName, Route::Display)
                         .ok())
            << cut;
    }
    // Runs past the right edge without an end of line, or deltas that move nowhere, are refused
    // having read no more than any valid encoding of the picture takes, writing no pixel outside.
    const int wide = 8192, high = 64;
    for (const char* code : {"FF 07", "FF 34", "00 02 00 00"}) {
        for (const int bits : {8, 4}) {
            const QByteArray endless = hex(code).repeated(4 << 20 >> 2);
            const PictureBytes bytes{QByteArrayView(endless)};
            ByteStream stream(bytes, 0, bytes.size());
            qint64 written = 0;
            EXPECT_FALSE(expandBmpRle(stream, wide, high, bits, &written)) << code;
            EXPECT_LE(stream.consumed(), mostBmpRleBytes(wide, high)) << code;
            EXPECT_LE(written, wide) << code;
        }
        const LoadResult r = decodeBmp(makeBmp({.width = wide, .height = high, .bitCount = 8, .compression = 1,
                                                .colours = table, .pixels = hex(code).repeated(1 << 20)}),
                                       kName, Route::Display);
        EXPECT_EQ(r.messages, ReaderMessages{notValid}) << code;
    }
    // Without the end-of-bitmap mark a full last row is enough.
    EXPECT_TRUE(decodeBmp(makeBmp({.width = 2, .height = 2, .bitCount = 8, .compression = 1, .colours = table,
                                   .pixels = hex("02 03 00 00 02 04")}),
                          kName, Route::Display)
                    .ok());
}

TEST(BmpReader, RefusalsCarryTheirMessages)
{
    const ReaderMessage version{QString(), QStringLiteral("No BMP-Format V3.0 support, Use standard Texture !"),
                                ReaderMessage::Icon::None, false, true};
    for (std::uint32_t infoSize : {12u, 108u, 124u}) {
        const LoadResult r = decodeBmp(makeBmp({.infoSize = infoSize, .pixels = QByteArray(4, 0)}), kName, Route::Display);
        EXPECT_FALSE(r.ok());
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_EQ(r.messages[0], version) << infoSize;
    }
    QByteArray ba = makeBmp({.pixels = QByteArray(4, 0)});
    ba[1] = 'A';
    const LoadResult r = decodeBmp(ba, kName, Route::Display);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], (ReaderMessage{QStringLiteral("Not a valid BMP - File, Use standard Texture !"), kName,
                                            ReaderMessage::Icon::None, true, false}));
}

TEST(BmpReader, MalformedHeadersAndShortDataAreRefused)
{
    const QByteArray good = makeBmp({.width = 4, .height = 4, .bitCount = 8, .colours = std::vector<QRgb>(256),
                                     .pixels = QByteArray(16, 1)});
    ASSERT_TRUE(decodeBmp(good, kName, Route::Display).ok());
    // Every cut before the last byte fails with exactly one message and no picture.
    for (qsizetype cut = 0; cut < good.size(); ++cut) {
        const LoadResult r = decodeBmp(good.left(cut), kName, Route::Display);
        EXPECT_FALSE(r.ok()) << cut;
        EXPECT_EQ(r.messages.size(), 1u) << cut;
    }
    auto patched = [&good](qsizetype at, std::uint32_t value, int bytes) {
        QByteArray b = good;
        for (int k = 0; k < bytes; ++k)
            b[at + k] = char(value >> (8 * k));
        return b;
    };
    EXPECT_FALSE(decodeBmp(patched(10, 20, 4), kName, Route::Display).ok());         // pixels inside the header
    EXPECT_FALSE(decodeBmp(patched(10, 1u << 30, 4), kName, Route::Display).ok());   // pixels past the end
    EXPECT_FALSE(decodeBmp(patched(18, 0, 4), kName, Route::Display).ok());          // width 0
    EXPECT_FALSE(decodeBmp(patched(18, 0xFFFFFFFF, 4), kName, Route::Display).ok()); // width -1
    EXPECT_FALSE(decodeBmp(patched(22, 0, 4), kName, Route::Display).ok());          // height 0
    EXPECT_FALSE(decodeBmp(patched(22, 16385, 4), kName, Route::Display).ok());      // too high
    EXPECT_FALSE(decodeBmp(patched(26, 2, 2), kName, Route::Display).ok());          // two planes
    EXPECT_FALSE(decodeBmp(patched(28, 7, 2), kName, Route::Display).ok());          // 7 bits
    EXPECT_FALSE(decodeBmp(patched(30, 2, 4), kName, Route::Display).ok());          // RLE4 at 8 bits
    EXPECT_FALSE(decodeBmp(patched(30, 5, 4), kName, Route::Display).ok());          // unknown compression
    EXPECT_FALSE(decodeBmp(patched(46, 257, 4), kName, Route::Display).ok());        // more colours than 8 bits hold
}

TEST(BmpReader, ReadsWhatNetpbmWrites)
{
    const QImage pattern = testPattern(37, 5);
    for (const char* bpp : {"24", "8"}) {
        QImage source = pattern;
        if (QByteArray(bpp) == "8") // at most 256 colours for the palette file
            source = pattern.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).convertToFormat(QImage::Format_RGB32);
        const auto bytes = netpbm(QStringLiteral("ppmtobmp"), {QStringLiteral("-bpp"), QLatin1String(bpp)}, source);
        if (!bytes)
            KIV_MISSING_PREREQUISITE() << "netpbm is not installed";
        const LoadResult r = decodeBmp(*bytes, kName, Route::Display);
        ASSERT_TRUE(r.ok()) << bpp;
        EXPECT_EQ(r.bitmap.width(), QByteArray(bpp) == "24" ? 38 : 37);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 37; ++x)
                ASSERT_EQ(px(r, x, y), source.pixel(x, y)) << bpp << " " << x << "," << y;
        }
    }
}
