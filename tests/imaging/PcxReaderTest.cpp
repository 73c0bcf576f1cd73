// The PCX reader: the four layouts, run-length data, and what it refuses.

#include "tests/support/Prerequisite.h"
#include "ImageBytes.h"

#include "imaging/CPcxFile.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

const QString kName = QStringLiteral("scan.pcx");

std::vector<QRgb> sixteenColours()
{
    std::vector<QRgb> c;
    for (int i = 0; i < 16; ++i)
        c.push_back(qRgb(i * 10, 255 - i * 10, i));
    return c;
}

} // namespace

TEST(PcxReader, SixteenColourPlanesArePackedIntoNibbles)
{
    // Pixel m takes bit (0x80 >> m) of plane k as its bit k.
    const LoadResult r = CPcxFile::decode(makePcx({.planes = 4, .bitsPerPlane = 1, .width = 8, .height = 1,
                                                   .bytesPerLine = 1, .headerColours = sixteenColours(),
                                                   .data = hex("F0 CC AA 00")}),
                                          kName, Route::Stored);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bitmap.bitsPerPixel(), 4);
    const int expected[] = {7, 3, 5, 1, 6, 2, 4, 0};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(r.bitmap.image().pixelIndex(x, 0), expected[x]) << x;
    EXPECT_EQ(px(r, 0, 0), sixteenColours()[7]);
}

TEST(PcxReader, WideSixteenColourPicture)
{
    // 640 x 2 with 80 bytes per line: plane 0 set everywhere gives colour 1.
    QByteArray data;
    for (int row = 0; row < 2; ++row)
        data += QByteArray(80, '\xFF') + QByteArray(240, 0);
    const LoadResult r = CPcxFile::decode(makePcx({.planes = 4, .bitsPerPlane = 1, .width = 640, .height = 2,
                                                   .bytesPerLine = 80, .headerColours = sixteenColours(), .data = data}),
                                          kName, Route::Display);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bitmap.width(), 640);
    EXPECT_EQ(px(r, 639, 1), sixteenColours()[1]);
}

TEST(PcxReader, MonochromeIsBlackAndWhiteWhateverTheHeaderSays)
{
    const LoadResult r = CPcxFile::decode(makePcx({.planes = 1, .bitsPerPlane = 1, .width = 2, .height = 1,
                                                   .bytesPerLine = 2, .headerColours = sixteenColours(),
                                                   .data = hex("40 00")}),
                                          kName, Route::Display);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(px(r, 0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(px(r, 1, 0), qRgb(255, 255, 255));
}

TEST(PcxReader, TwoHundredFiftySixColoursTakeThePaletteAtTheEnd)
{
    std::vector<QRgb> palette(256, qRgb(0, 0, 0));
    palette[200] = qRgb(1, 2, 3);
    PcxLayout layout{.planes = 1, .bitsPerPlane = 8, .width = 1, .height = 2, .bytesPerLine = 2,
                 .data = hex("C8 00 00 00"), .palette = palette};
    const LoadResult r = CPcxFile::decode(makePcx(layout), kName, Route::Display);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(px(r, 0, 0), qRgb(1, 2, 3)); // the first row is the top row

    layout.paletteMarker = 0x0B;
    const LoadResult marked = CPcxFile::decode(makePcx(layout), kName, Route::Display);
    EXPECT_TRUE(marked.ok());
    ASSERT_EQ(marked.messages.size(), 1u);
    EXPECT_EQ(marked.messages[0], (ReaderMessage{QStringLiteral("Error"), QStringLiteral("No valid color table found !!! \nUse standard"),
                                                 ReaderMessage::Icon::None, false, false}));

    // Too short to hold the palette block at all.
    layout.palette.reset();
    EXPECT_FALSE(CPcxFile::decode(makePcx(layout), kName, Route::Display).ok());
}

TEST(PcxReader, TrueColourPlanesBecomeBgrAndOddWidthsAreWidened)
{
    // Width 3 with 4 bytes per line: the padding column becomes the added pixel.
    const QByteArray row = hex("10 11 12 13") + hex("20 21 22 23") + hex("30 31 32 33");
    const LoadResult r = CPcxFile::decode(makePcx({.planes = 3, .bitsPerPlane = 8, .width = 3, .height = 1,
                                                   .bytesPerLine = 4, .data = row}),
                                          kName, Route::Stored);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bitmap.width(), 4);
    EXPECT_EQ(r.bitmap.bitsPerPixel(), 24);
    EXPECT_EQ(px(r, 0, 0), qRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(px(r, 3, 0), qRgb(0x13, 0x23, 0x33));
}

TEST(PcxReader, RunLengthData)
{
    std::vector<unsigned char> out(5, 0xEE);
    EXPECT_EQ(CPcxFile::decodeRle(hex("C3 07 05"), out), 4);
    EXPECT_EQ(out, (std::vector<unsigned char>{7, 7, 7, 5, 0xEE}));
    out.assign(2, 0xEE);
    EXPECT_EQ(CPcxFile::decodeRle(hex("C0 09 01"), out), 1); // a count of 0 writes nothing
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(CPcxFile::decodeRle(hex("FF 01 FF 01"), out), 2); // the output bounds the runs
    EXPECT_EQ(CPcxFile::decodeRle(hex("01 C5"), out), 1);       // a marker at the end reads nothing more
    // Runs of none move nothing on: nothing is read past two bytes for each byte wanted (two here).
    EXPECT_EQ(CPcxFile::decodeRle(hex("C0 00 05"), out), 1);
    EXPECT_EQ(CPcxFile::decodeRle(hex("C0 00 C0 00 05"), out), 0);

    // A run crossing from one line into the next, in a whole picture (8 bits, 2 x 2).
    std::vector<QRgb> palette(256, qRgb(0, 0, 0));
    palette[9] = qRgb(9, 9, 9);
    const LoadResult r = CPcxFile::decode(makePcx({.planes = 1, .bitsPerPlane = 8, .width = 2, .height = 2,
                                                   .bytesPerLine = 2, .encoded = true, .data = hex("C3 09 00"),
                                                   .palette = palette}),
                                          kName, Route::Display);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(px(r, 0, 1), qRgb(9, 9, 9));
    EXPECT_EQ(px(r, 1, 1), qRgb(0, 0, 0));
    // A stream that ends before the picture does is refused.
    EXPECT_FALSE(CPcxFile::decode(makePcx({.planes = 1, .bitsPerPlane = 8, .width = 2, .height = 2, .bytesPerLine = 2,
                                           .encoded = true, .data = hex("C3 09"), .palette = palette}),
                                  kName, Route::Display)
                     .ok());
}

TEST(PcxReader, RefusesWhatItCannotRead)
{
    const ReaderMessage notValid{QStringLiteral("Not a valid PCX - File, Use standard Texture !"), kName,
                                 ReaderMessage::Icon::None, true, false};
    QByteArray bad = makePcx({.planes = 1, .bitsPerPlane = 1, .width = 8, .height = 1, .bytesPerLine = 1, .data = hex("00")});
    bad[0] = 11;
    const LoadResult r = CPcxFile::decode(bad, kName, Route::Display);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], notValid);

    const PcxLayout refused[] = {
        {.planes = 3, .bitsPerPlane = 1, .width = 8, .height = 1, .bytesPerLine = 1, .data = hex("00 00 00")},
        {.planes = 4, .bitsPerPlane = 8, .width = 1, .height = 1, .bytesPerLine = 1, .data = hex("00 00 00 00")},
        {.planes = 1, .bitsPerPlane = 1, .width = 9, .height = 1, .bytesPerLine = 1, .data = hex("00")}, // wider than a line
        {.planes = 1, .bitsPerPlane = 1, .width = 8, .height = 2, .bytesPerLine = 1, .data = hex("00")}, // short raw data
        {.planes = 1, .bitsPerPlane = 1, .width = 8, .height = 1, .bytesPerLine = 4000, .data = hex("00")},
    };
    for (const PcxLayout& layout : refused)
        EXPECT_FALSE(CPcxFile::decode(makePcx(layout), kName, Route::Display).ok()) << layout.planes << "x" << layout.bitsPerPlane;
    // xmax below xmin.
    QByteArray negative = makePcx({.planes = 1, .bitsPerPlane = 1, .width = 8, .height = 1, .bytesPerLine = 1, .data = hex("00")});
    negative[4] = 9;
    EXPECT_FALSE(CPcxFile::decode(negative, kName, Route::Display).ok());
    bad[0] = 10;
    ASSERT_TRUE(CPcxFile::decode(bad, kName, Route::Display).ok());
    for (qsizetype cut = 0; cut < bad.size(); ++cut)
        EXPECT_FALSE(CPcxFile::decode(bad.left(cut), kName, Route::Display).ok()) << cut;
}

TEST(PcxReader, AllocatesOnlyWhatTheDataCanFill)
{
    // Sides up to the largest accepted; the data decides whether the picture is made.
    const struct {
        const char* name;
        PcxLayout layout;
        bool ok;
    } cases[] = {
        {"16384 x 16384 true colour, one run", {3, 8, 16384, 16384, 16384, true, {}, hex("FF 00")}, false},
        {"16384 x 16384 true colour, raw", {3, 8, 16384, 16384, 16384, false, {}, hex("00 00")}, false},
        {"16384 x 16384 monochrome, one run", {1, 1, 16384, 16384, 2048, true, {}, hex("FF 00")}, false},
        {"16384 x 1 monochrome", {1, 1, 16384, 1, 2048, true, {}, hex("FF 00").repeated(33)}, true},
        {"1 x 16384 sixteen colours", {4, 1, 1, 16384, 1, true, {}, hex("FF 00").repeated(1041)}, true},
        // 63 bytes from each pair of bytes, and not one more.
        {"63 from 2", {1, 1, 63 * 8, 1, 63, true, {}, hex("FF 00")}, true},
        {"64 from 2", {1, 1, 64 * 8, 1, 64, true, {}, hex("FF 00")}, false},
        {"64 from 3", {1, 1, 64 * 8, 1, 64, true, {}, hex("FF 00 00")}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CPcxFile::decode(makePcx(c.layout), kName, Route::Display).ok(), c.ok) << c.name;
}

TEST(PcxReader, ReadsWhatNetpbmWrites)
{
    const QImage pattern = testPattern(21, 7);
    const auto bytes = netpbm(QStringLiteral("ppmtopcx"), {QStringLiteral("-24bit")}, pattern);
    if (!bytes)
        KIV_MISSING_PREREQUISITE() << "netpbm is not installed";
    const LoadResult r = CPcxFile::decode(*bytes, kName, Route::Display);
    ASSERT_TRUE(r.ok());
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 21; ++x)
            ASSERT_EQ(px(r, x, y), pattern.pixel(x, y)) << x << "," << y;
    }
}
