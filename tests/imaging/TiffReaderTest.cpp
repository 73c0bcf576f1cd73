// The TIFF reader: layouts, strip tables, pages, PackBits and the files it refuses.

#include "tests/support/Prerequisite.h"
#include "ImageBytes.h"

#include "imaging/CTiffFile.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

const QString kName = QStringLiteral("scan.tif");
using E = TiffBuilder::Entry;

ReaderMessage notValid()
{
    return {QStringLiteral("Not a valid TIFF - File"), kName, ReaderMessage::Icon::None, true, false};
}

} // namespace

TEST(TiffReader, GreyPicturesGetARampTurnedForWhiteIsZero)
{
    const LoadResult grey = CTiffFile::decode(simpleTiff(2, 1, 1, 8, hex("00 C8")), kName, Route::Display);
    ASSERT_TRUE(grey.ok());
    EXPECT_EQ(px(grey, 0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(px(grey, 1, 0), qRgb(200, 200, 200));

    const LoadResult inverted = CTiffFile::decode(simpleTiff(2, 1, 1, 8, hex("00 C8"), 1, {{262, 3, {0}}}), kName,
                                                  Route::Display);
    ASSERT_TRUE(inverted.ok());
    EXPECT_EQ(px(inverted, 0, 0), qRgb(255, 255, 255));

    // 4 bits without a colour map: sixteen steps. Bilevel WhiteIsZero: 0 is white.
    const LoadResult nibbles = CTiffFile::decode(simpleTiff(2, 1, 1, 4, hex("F5")), kName, Route::Stored);
    ASSERT_TRUE(nibbles.ok());
    EXPECT_EQ(px(nibbles, 0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(px(nibbles, 1, 0), qRgb(85, 85, 85));
    const LoadResult bilevel = CTiffFile::decode(simpleTiff(9, 1, 1, 1, hex("80 00"), 1, {{262, 3, {0}}}), kName,
                                                 Route::Display);
    ASSERT_TRUE(bilevel.ok());
    EXPECT_EQ(px(bilevel, 0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(px(bilevel, 8, 0), qRgb(255, 255, 255));
}

TEST(TiffReader, ColourMapTakesTheHighByteOfEachValue)
{
    std::vector<std::uint32_t> map(768, 0);
    map[5] = 65535;       // red of entry 5
    map[256 + 5] = 32768; // green
    map[512 + 5] = 255;   // blue
    const LoadResult r = CTiffFile::decode(simpleTiff(1, 1, 1, 8, hex("05"), 1, {{262, 3, {3}}, {320, 3, map}}), kName,
                                           Route::Stored);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(px(r, 0, 0), qRgb(255, 128, 0));
    // A map of the wrong length is refused.
    map.resize(300);
    EXPECT_FALSE(CTiffFile::decode(simpleTiff(1, 1, 1, 8, hex("05"), 1, {{320, 3, map}}), kName, Route::Stored).ok());
}

TEST(TiffReader, RgbOfOddWidthIsWidenedAndTurnedToBgr)
{
    QByteArray pixels;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 101; ++x)
            pixels += QByteArray(1, char(x)) + char(y) + char(200);
    }
    const LoadResult r = CTiffFile::decode(simpleTiff(101, 2, 3, 8, pixels), kName, Route::Stored);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bitmap.width(), 102);
    EXPECT_EQ(r.bitmap.bitsPerPixel(), 24);
    EXPECT_EQ(px(r, 100, 0), qRgb(100, 0, 200)); // the first file row is the top row
    EXPECT_EQ(px(r, 7, 1), qRgb(7, 1, 200));
    EXPECT_EQ(px(r, 101, 1), qRgb(0, 0, 0));
}

TEST(TiffReader, StripTablesAsShortOrLongAndWithoutCounts)
{
    // Two strips of one row each, offsets and counts as SHORT values inside the entries.
    TiffBuilder shortStrips;
    const QByteArray pixels = hex("0A 0B 0C 0D");
    shortStrips.page({{256, 3, {2}}, {257, 3, {2}}, {258, 3, {8}}, {273, 3, {8, 10}}, {277, 3, {1}}, {279, 3, {2, 2}}},
                     pixels);
    const LoadResult r = CTiffFile::decode(shortStrips.build(), kName, Route::Display);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(px(r, 1, 1), qRgb(13, 13, 13));

    // Width as SHORT and as LONG give the same picture.
    const LoadResult longWidth = CTiffFile::decode(simpleTiff(2, 2, 1, 8, pixels), kName, Route::Display);
    const LoadResult shortWidth = CTiffFile::decode(simpleTiff(2, 2, 1, 8, pixels, 1, {{256, 3, {2}}}), kName, Route::Display);
    ASSERT_TRUE(longWidth.ok() && shortWidth.ok());
    EXPECT_EQ(longWidth.bitmap.image(), shortWidth.bitmap.image());
    EXPECT_EQ(longWidth.bitmap.image(), r.bitmap.image());

    // Without StripByteCounts the single strip runs to the end of the file.
    TiffBuilder noCounts;
    noCounts.page({{256, 4, {2}}, {257, 4, {2}}, {258, 3, {8}}, {273, 4, {TiffBuilder::kPixelOffset}}}, pixels);
    const LoadResult nc = CTiffFile::decode(noCounts.build(), kName, Route::Display);
    ASSERT_TRUE(nc.ok());
    EXPECT_EQ(nc.bitmap.image(), r.bitmap.image());
}

TEST(TiffReader, EveryPageIsReadAndTheLastKept)
{
    TiffBuilder two;
    two.page({{256, 4, {1}}, {257, 4, {1}}, {258, 3, {8}}, {273, 4, {TiffBuilder::kPixelOffset}}, {279, 4, {1}}}, hex("11"));
    two.page({{256, 4, {1}}, {257, 4, {1}}, {258, 3, {8}}, {273, 4, {TiffBuilder::kPixelOffset}}, {279, 4, {1}}}, hex("22"));
    const ReaderMessage question{QStringLiteral(" Question"), QStringLiteral("Ok, to load the next picture, stored in the TIFF file ?"),
                                 ReaderMessage::Icon::None, false, false};
    const LoadResult r = CTiffFile::decode(two.build(), kName, Route::Display);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.messages, ReaderMessages{question});
    EXPECT_EQ(px(r, 0, 0), qRgb(0x22, 0x22, 0x22));

    // A chain that points back stops at the directory already seen, a long one after 64 pages.
    const LoadResult looped = CTiffFile::decode(two.build(true), kName, Route::Display);
    ASSERT_TRUE(looped.ok());
    EXPECT_EQ(looped.messages.size(), 1u);
    TiffBuilder many;
    for (int page = 0; page < 70; ++page)
        many.page({{256, 4, {1}}, {257, 4, {1}}, {258, 3, {8}}, {273, 4, {TiffBuilder::kPixelOffset}}, {279, 4, {1}}},
                  QByteArray(1, char(page)));
    const LoadResult longChain = CTiffFile::decode(many.build(), kName, Route::Display);
    ASSERT_TRUE(longChain.ok());
    EXPECT_EQ(longChain.messages.size(), size_t(CTiffFile::kMaxPages - 1));
    EXPECT_EQ(px(longChain, 0, 0), qRgb(63, 63, 63));
}

TEST(TiffReader, PackBits)
{
    unsigned char out[8] = {};
    auto unpacked = CTiffFile::unpackBits(hex("02 61 62 63 FE 64"), out, 6);
    EXPECT_EQ(unpacked.consumed, 6);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(out), 6), QByteArray("abcddd"));
    unpacked = CTiffFile::unpackBits(hex("80 00 7A"), out, 1); // -128 is no operation
    EXPECT_EQ(unpacked.consumed, 3);
    EXPECT_EQ(out[0], 0x7A);
    unpacked = CTiffFile::unpackBits(hex("7F 01"), out, 4); // a literal longer than the input
    EXPECT_EQ(unpacked.produced, 1);
    unpacked = CTiffFile::unpackBits(hex("81 05"), out, 3); // a run longer than the row
    EXPECT_EQ(unpacked.produced, 3);
    // No-ops do not move on: a row of n bytes reads at most 2n + 128 bytes of them.
    unpacked = CTiffFile::unpackBits(QByteArray(1 << 20, '\x80') + hex("00 7A"), out, 4);
    EXPECT_EQ(unpacked.produced, 0);
    EXPECT_LE(unpacked.consumed, 2 * 4 + 128);

    const LoadResult r = CTiffFile::decode(simpleTiff(3, 2, 1, 8, hex("FE 07 02 01 02 03"), 32773), kName, Route::Display);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(px(r, 2, 0), qRgb(7, 7, 7));
    EXPECT_EQ(px(r, 2, 1), qRgb(3, 3, 3));
}

TEST(TiffReader, RefusalsCarryTheirMessages)
{
    const ReaderMessage compression{QStringLiteral("ERROR"), QStringLiteral("Not Supported compression scheme"),
                                    ReaderMessage::Icon::None, false, false};
    for (std::uint32_t scheme : {2u, 3u, 4u, 5u, 7u, 8u, 32771u, 32946u}) {
        const LoadResult r = CTiffFile::decode(simpleTiff(8, 1, 1, 1, hex("00"), scheme), kName, Route::Display);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.messages, ReaderMessages{compression}) << scheme;
    }
    QByteArray magic = simpleTiff(1, 1, 1, 8, hex("00"));
    magic[2] = 43;
    EXPECT_EQ(CTiffFile::decode(magic, kName, Route::Display).messages, ReaderMessages{notValid()});
    // Motorola order and anything else are refused without a word.
    QByteArray motorola = magic;
    motorola[0] = motorola[1] = 'M';
    const LoadResult mm = CTiffFile::decode(motorola, kName, Route::Display);
    EXPECT_FALSE(mm.ok());
    EXPECT_TRUE(mm.messages.empty());
}

TEST(TiffReader, MalformedFilesAreRefused)
{
    const QByteArray refused[] = {
        simpleTiff(0, 1, 1, 8, hex("00")),                          // zero width used to spin forever
        simpleTiff(1, 0, 1, 8, hex("00")),
        simpleTiff(16385, 1, 1, 8, QByteArray(16385, 0)),
        simpleTiff(2, 2, 1, 8, hex("00 01 02")),                    // short strip
        simpleTiff(1, 1, 1, 16, hex("00 00")),                      // 16-bit samples
        simpleTiff(1, 1, 4, 8, hex("00 00 00 00")),                 // RGBA
        simpleTiff(1, 1, 3, 8, hex("00 00 00"), 1, {{284, 3, {2}}}), // planar
        simpleTiff(1, 1, 1, 8, hex("00"), 1, {{273, 4, {1u << 30}}}), // strip past the end
    };
    for (const QByteArray& file : refused) {
        const LoadResult r = CTiffFile::decode(file, kName, Route::Display);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.messages, ReaderMessages{notValid()});
    }
    const QByteArray good = simpleTiff(3, 2, 1, 8, hex("00 01 02 03 04 05"));
    ASSERT_TRUE(CTiffFile::decode(good, kName, Route::Display).ok());
    for (qsizetype cut = 2; cut < good.size(); ++cut)
        EXPECT_FALSE(CTiffFile::decode(good.left(cut), kName, Route::Display).ok()) << cut;
}

TEST(TiffReader, AllocatesOnlyWhatTheStripsCanFill)
{
    constexpr std::uint32_t kPackBits = 32773;
    const struct {
        const char* name;
        QByteArray file;
        bool ok;
    } cases[] = {
        {"16384 x 16384 RGB, raw", simpleTiff(16384, 16384, 3, 8, hex("00 00")), false},
        {"16384 x 16384 RGB, PackBits", simpleTiff(16384, 16384, 3, 8, hex("81 00"), kPackBits), false},
        {"16384 x 16384 grey, one strip a row", simpleTiff(16384, 16384, 1, 8, hex("81 00"), kPackBits,
                                                           {{273, 4, std::vector<std::uint32_t>(16384, 8)},
                                                            {279, 4, std::vector<std::uint32_t>(16384, 2)}}),
         false},
        {"16384 x 1 RGB, PackBits", simpleTiff(16384, 1, 3, 8, hex("81 00").repeated(384), kPackBits), true},
        {"1 x 16384 grey, raw", simpleTiff(1, 16384, 1, 8, QByteArray(16384, 0)), true},
        // 128 bytes from each pair of bytes, and not one more.
        {"128 from 2", simpleTiff(128, 1, 1, 8, hex("81 00"), kPackBits), true},
        {"129 from 2", simpleTiff(129, 1, 1, 8, hex("81 00"), kPackBits), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTiffFile::decode(c.file, kName, Route::Display).ok(), c.ok) << c.name;
}

TEST(TiffReader, ReadsWhatNetpbmWrites)
{
    const QImage pattern = testPattern(2100, 3); // rows longer than the old 6144-byte buffer
    for (const char* compression : {"-none", "-packbits"}) {
        const auto bytes = netpbm(QStringLiteral("pnmtotiff"), {QLatin1String(compression)}, pattern);
        if (!bytes)
            KIV_MISSING_PREREQUISITE() << "netpbm is not installed";
        const LoadResult r = CTiffFile::decode(*bytes, kName, Route::Display);
        ASSERT_TRUE(r.ok()) << compression;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 2100; x += 7)
                ASSERT_EQ(px(r, x, y), pattern.pixel(x, y)) << compression << " " << x << "," << y;
        }
    }
}
