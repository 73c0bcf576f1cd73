// The picture decoder: formats by content with the whitelist, the messages, and metafiles.

#include "tests/support/Prerequisite.h"
#include "ImageBytes.h"

#include "imaging/CGraphicFile.h"
#include "imaging/CPictureFile.h"
#include "imaging/Metafile.h"
#include "imaging/MetafileCheck.h"
#include "imaging/PictureBudget.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace kiv;
using namespace kiv::test;

namespace {

Bitmap decoded(QByteArrayView bytes, Route route)
{
    return CPictureFile::decode(bytes, route).bitmap;
}

QImage filled(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A placeable WMF of width x height units at 96 units per inch around `drawing` and the end record.
QByteArray placeableWmf(std::uint16_t width, std::uint16_t height, const Bytes& drawing)
{
    Bytes head;
    head.u32(0x9AC6CDD7).u16(0).u16(0).u16(0).u16(width).u16(height).u16(96).u32(0);
    unsigned checksum = 0;
    for (qsizetype i = 0; i < 20; i += 2)
        checksum ^= unsigned(uchar(head.data()[i])) | unsigned(uchar(head.data()[i + 1])) << 8;
    head.u16(checksum);
    Bytes records;
    records.u32(5).u16(0x020B).u16(0).u16(0);          // SetWindowOrg
    records.u32(5).u16(0x020C).u16(height).u16(width); // SetWindowExt
    records.raw(drawing.data());
    records.u32(3).u16(0);                             // end of file
    std::uint32_t largest = 0;
    for (qsizetype at = 0; at < records.size();) {
        std::uint32_t words = 0;
        for (int i = 3; i >= 0; --i)
            words = words << 8 | uchar(records.data()[at + i]);
        largest = std::max(largest, words);
        at += words * 2;
    }
    Bytes standard;
    standard.u16(1).u16(9).u16(0x0300).u32(std::uint32_t(9 + records.size() / 2)).u16(1).u32(largest).u16(0);
    return head.data() + standard.data() + records.data();
}

// A solid red rectangle on the whole picture.
QByteArray redRectangleWmf(std::uint16_t width = 100, std::uint16_t height = 50)
{
    Bytes drawing;
    drawing.u32(7).u16(0x02FC).u16(0).u32(0x0000FF).u16(0); // CreateBrushIndirect, solid red
    drawing.u32(4).u16(0x012D).u16(0);                      // SelectObject
    drawing.u32(7).u16(0x041B).u16(height).u16(width).u16(0).u16(0); // Rectangle
    return placeableWmf(width, height, drawing);
}

// A red picture of 2 x 2 pixels at 24 bits stretched over the whole picture by a DIBSTRETCHBLT
// record, whose bitmap starts 26 bytes into the record.
QByteArray redBitmapWmf()
{
    Bytes drawing;
    drawing.u32(41).u16(0x0B41).u32(0x00CC0020).u16(2).u16(2).u16(0).u16(0).u16(50).u16(100).u16(0).u16(0);
    drawing.u32(40).u32(2).u32(2).u16(1).u16(24).u32(0).u32(16).u32(0).u32(0).u32(0).u32(0);
    for (int row = 0; row < 2; ++row)
        drawing.u8(0).u8(0).u8(255).u8(0).u8(0).u8(255).u16(0);
    return placeableWmf(100, 50, drawing);
}

// An EMF of 100 x 50 pixels around `count` drawing records and the end record. The header record
// is the 88-byte base one, or one of 168 bytes with the two later header fields (no pixel format),
// the description "Kiv\0Map\0\0" at byte 108 and room for a pixel format at byte 128.
QByteArray emfOf(const QByteArray& drawing, std::uint32_t count, bool described = false)
{
    Bytes extension;
    if (described) {
        extension.u32(0).u32(0).u32(0).u32(0).u32(0);
        for (const char16_t unit : u"Kiv\0Map\0\0")
            extension.u16(unit);
        for (int i = 0; i < 10; ++i)
            extension.u32(0);
    }
    const auto headerSize = std::uint32_t(88 + extension.size());
    Bytes records;
    records.raw(drawing);
    records.u32(14).u32(20).u32(0).u32(16).u32(20); // end of file
    Bytes header;
    header.u32(1).u32(headerSize).u32(0).u32(0).u32(99).u32(49).u32(0).u32(0).u32(2646).u32(1323);
    header.u32(0x464D4520).u32(0x10000).u32(std::uint32_t(headerSize + records.size())).u32(count + 2);
    header.u16(2).u16(0);
    header.u32(described ? 10 : 0).u32(described ? 108 : 0).u32(0).u32(1024).u32(768).u32(271).u32(203);
    return header.data() + extension.data() + records.data();
}

// A solid red rectangle on the whole picture.
QByteArray redRectangleEmf(bool described = false)
{
    Bytes records;
    records.u32(39).u32(24).u32(1).u32(0).u32(0x0000FF).u32(0); // CreateBrushIndirect, solid red
    records.u32(37).u32(12).u32(1);                              // SelectObject
    records.u32(43).u32(24).u32(0).u32(0).u32(100).u32(50);      // Rectangle
    return emfOf(records.data(), 3, described);
}

// A red picture of 2 x 2 pixels at 24 bits stretched over the whole picture: the StretchDIBits
// record at byte 88 has 80 bytes of fixed fields, the info header after them and the bits at 120.
QByteArray redBitmapEmf()
{
    Bytes record;
    record.u32(81).u32(136).u32(0).u32(0).u32(99).u32(49);                    // bounds
    record.u32(0).u32(0).u32(0).u32(0).u32(2).u32(2);                         // destination, source
    record.u32(80).u32(40).u32(120).u32(16).u32(0).u32(0x00CC0020).u32(100).u32(50); // blocks, copy
    record.u32(40).u32(2).u32(2).u16(1).u16(24).u32(0).u32(16).u32(0).u32(0).u32(0).u32(0);
    for (int row = 0; row < 2; ++row)
        record.u8(0).u8(0).u8(255).u8(0).u8(0).u8(255).u16(0);
    return emfOf(record.data(), 1);
}

// Crafted metafile bytes and whether the checks are to find them sound.
struct SoundCase {
    const char* name;
    QByteArray bytes;
    bool sound;
};

// A bitmap as a metafile record carries it: its info header, the colour entries its depth needs,
// and the rows its height names, or `rowsStored` rows.
struct RecordBitmap {
    std::int32_t width = 2;
    std::int32_t height = 2;
    int bitCount = 24;
    std::uint32_t coloursUsed = 0;
    std::uint32_t headerSize = 40;
    int rowsStored = -1;

    QByteArray info() const
    {
        Bytes b;
        b.u32(headerSize).u32(std::uint32_t(width)).u32(std::uint32_t(height)).u16(1).u16(unsigned(bitCount));
        b.u32(0).u32(0).u32(0).u32(0).u32(coloursUsed).u32(0);
        return b.fill(bitCount <= 8 ? qsizetype(4) << bitCount : 0).data();
    }
    QByteArray rows() const
    {
        return QByteArray((qsizetype(width) * bitCount + 31) / 32 * 4 * (rowsStored < 0 ? height : rowsStored), '\0');
    }
};

// An EMF of one record of `type` with `fixedFields` bytes before its bitmap, whose offsets and
// sizes of info and bits are at `fieldsAt`; the info comes first or after the bits.
QByteArray emfBitmapRecord(std::uint32_t type, qint64 fixedFields, qint64 fieldsAt, const RecordBitmap& bitmap,
                           bool infoAfterBits = false)
{
    const QByteArray info = bitmap.info();
    const QByteArray rows = bitmap.rows();
    Bytes record;
    record.u32(type).u32(std::uint32_t(fixedFields + info.size() + rows.size())).fill(fixedFields - 8);
    record.raw(infoAfterBits ? rows + info : info + rows);
    QByteArray bytes = patched(record.data(), fieldsAt, std::uint32_t(fixedFields + (infoAfterBits ? rows.size() : 0)));
    bytes = patched(bytes, fieldsAt + 4, std::uint32_t(info.size()));
    bytes = patched(bytes, fieldsAt + 8, std::uint32_t(fixedFields + (infoAfterBits ? 0 : info.size())));
    return emfOf(patched(bytes, fieldsAt + 12, std::uint32_t(rows.size())), 1);
}

// A WMF of one record of `function` whose bitmap starts `bitmapAt` bytes into it.
QByteArray wmfBitmapRecord(std::uint16_t function, qint64 bitmapAt, const RecordBitmap& bitmap)
{
    const QByteArray packed = bitmap.info() + bitmap.rows();
    Bytes record;
    record.u32(std::uint32_t((bitmapAt + packed.size()) / 2)).u16(function).fill(bitmapAt - 6).raw(packed);
    return placeableWmf(100, 50, record);
}

} // namespace

TEST(PictureFile, DecodesWhitelistedFormatsByContent)
{
    const Bitmap jpeg = decoded(encoded(filled(1024, 512, Qt::blue), "JPEG"), Route::Display);
    ASSERT_FALSE(jpeg.isNull());
    EXPECT_EQ(jpeg.width(), 1024);
    EXPECT_EQ(jpeg.height(), 512);
    EXPECT_EQ(jpeg.bitsPerPixel(), 32);

    const Bitmap stored = decoded(encoded(filled(8, 4, Qt::red), "JPEG"), Route::Stored);
    ASSERT_FALSE(stored.isNull());
    EXPECT_EQ(stored.bitsPerPixel(), 24);
    EXPECT_GT(qRed(stored.image().pixel(3, 2)), 240);

    // An icon gives its first image.
    const Bitmap icon = decoded(encoded(filled(32, 32, Qt::green), "ICO"), Route::Display);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.width(), 32);

    // A PNG, whatever its name, and a cut JPEG are refused.
    EXPECT_TRUE(decoded(encoded(filled(8, 8, Qt::red), "PNG"), Route::Display).isNull());
    const QByteArray jpegBytes = encoded(filled(64, 64, Qt::red), "JPEG");
    EXPECT_TRUE(decoded(jpegBytes.left(20), Route::Display).isNull());
    EXPECT_TRUE(decoded(QByteArray("not a picture at all"), Route::Display).isNull());
}

TEST(PictureFile, GifFromNetpbmGivesItsFirstFrame)
{
    const auto gif = netpbm(QStringLiteral("pamtogif"), {}, filled(5, 3, QColor(0, 0, 255)));
    if (!gif)
        KIV_MISSING_PREREQUISITE() << "netpbm is not installed";
    const Bitmap bitmap = decoded(*gif, Route::Display);
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap.width(), 5);
    EXPECT_EQ(bitmap.image().pixel(4, 2) & 0xFFFFFF, 0x0000FFu);
}

TEST(PictureFile, FilesGiveTheirMessagesAndRefusalsStaySilent)
{
    QTemporaryDir dir;
    auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    CGraphicFile file;
    EXPECT_FALSE(file.Load(write("empty.jpg", QByteArray())));
    EXPECT_EQ(file.takeMessages(), (ReaderMessages{{QStringLiteral("Error."), QStringLiteral("Error reading file\t"),
                                                    ReaderMessage::Icon::Hand, false, false}}));
    EXPECT_FALSE(file.Load(write("renamed.jpg", encoded(filled(8, 8, Qt::red), "PNG"))));
    EXPECT_TRUE(file.messages().empty());
    ASSERT_TRUE(file.Load(write("photo.jpeg", encoded(filled(16, 8, Qt::red), "JPEG"))));
    EXPECT_EQ(file.width(), 16);
    // The content decides, not the name: a GIF-named JPEG still loads.
    EXPECT_TRUE(file.Load(write("photo.gif", encoded(filled(16, 8, Qt::red), "JPEG"))));
}

TEST(PictureFile, MetafilesAreDrawnAtTheirOwnSize)
{
    const Bitmap wmf = decoded(redRectangleWmf(), Route::Display);
    ASSERT_FALSE(wmf.isNull());
    EXPECT_EQ(wmf.width(), 100);
    EXPECT_EQ(wmf.height(), 50);
    EXPECT_EQ(wmf.image().pixel(50, 25) & 0xFFFFFF, 0xFF0000u);
    const Bitmap emf = decoded(redRectangleEmf(), Route::Display);
    ASSERT_FALSE(emf.isNull());
    EXPECT_EQ(emf.image().pixel(50, 25) & 0xFFFFFF, 0xFF0000u);
    // A cut metafile is refused, not half drawn into a crash.
    const QByteArray cut = redRectangleWmf().left(40);
    EXPECT_NO_FATAL_FAILURE(decoded(cut, Route::Display));
}

TEST(PictureFile, MetafilesWhoseHeadersOrRecordChainsLieAreRefusedBeforeConversion)
{
    const QByteArray wmf = redRectangleWmf();
    constexpr qsizetype h = 22; // the standard header after the placeable one
    const qsizetype lastRecord = wmf.size() - 6;
    const SoundCase wmfCases[] = {
        {"as written", wmf, true},
        {"size beyond the file", patched(wmf, h + 6, std::uint32_t(wmf.size() - h) / 2 + 1, 4), false},
        {"size short of the chain", patched(wmf, h + 6, std::uint32_t(wmf.size() - h) / 2 - 3, 4), false},
        {"largest record of 2.2 GB", patched(wmf, h + 12, 0x42000007, 4), false},
        {"largest record smaller than one record", patched(wmf, h + 12, 6, 4), false},
        {"65535 objects", patched(wmf, h + 10, 0xFFFF, 2), false},
        {"header of 10 words", patched(wmf, h + 2, 10, 2), false},
        {"a record of no length", patched(wmf, h + 18, 0, 4), false},
        {"no end record", patched(wmf, lastRecord + 4, 0x0102, 2), false},
        {"plain, without the placeable header", wmf.mid(h), true},
    };
    for (const auto& c : wmfCases)
        EXPECT_EQ(metafileCheck::wmfIsSound(c.bytes), c.sound) << c.name;
    // The refused 2.2 GB case never reaches the library (the allocation limit would catch it).
    EXPECT_TRUE(decoded(wmfCases[3].bytes, Route::Display).isNull());

    const QByteArray emf = redRectangleEmf();
    const SoundCase emfCases[] = {
        {"as written", emf, true},
        {"size beyond the file", patched(emf, 48, std::uint32_t(emf.size() + 4), 4), false},
        {"one record more than there are", patched(emf, 52, 6, 4), false},
        {"65535 handles", patched(emf, 56, 0xFFFF, 2), false},
        {"header record too small", patched(emf, 4, 40, 4), false},
        {"record size not in whole words", patched(emf, 88 + 4, 22, 4), false},
        {"record beyond the file", patched(emf, 88 + 4, 0x7FFFFFF0, 4), false},
        {"end record replaced", patched(emf, emf.size() - 20, 40, 4), false},
        {"record shorter than its type's fields", patched(emf, 88, 84, 4), false},
        {"a second header record", patched(patched(emf.left(88) + emf, 48, std::uint32_t(emf.size() + 88), 4), 52, 6, 4),
         false},
    };
    for (const auto& c : emfCases)
        EXPECT_EQ(metafileCheck::emfIsSound(c.bytes), c.sound) << c.name;

    // The header's description and pixel format: libemf2svg reads them wherever the header says.
    const QByteArray described = redRectangleEmf(true);
    const auto withPixelFormat = [&](std::uint32_t size, std::uint32_t at) {
        return patched(patched(described, 88, size, 4), 92, at, 4);
    };
    const SoundCase headerCases[] = {
        {"described", described, true},
        {"description right after the base header", patched(described, 64, 88, 4), true},
        {"description beyond the header record", patched(described, 60, 31, 4), false},
        {"description inside the fixed fields", patched(described, 64, 84, 4), false},
        {"description offset without length", patched(described, 60, 0, 4), false},
        {"description length without offset", patched(described, 64, 0, 4), false},
        {"description without a terminator", patched(described, 60, 3, 4), false},
        {"pixel format in the header record", withPixelFormat(40, 128), true},
        {"pixel format beyond the header record", withPixelFormat(40, 132), false},
        {"pixel format inside the fixed fields", withPixelFormat(40, 64), false},
        {"pixel format smaller than its descriptor", withPixelFormat(20, 128), false},
        {"pixel format offset without size", withPixelFormat(0, 128), false},
    };
    for (const auto& c : headerCases)
        EXPECT_EQ(metafileCheck::emfIsSound(c.bytes), c.sound) << c.name;

    // A bitmap record: the library converts the bitmap by its info header.
    const QByteArray bitmap = redBitmapEmf();
    constexpr qsizetype r = 88;       // the record
    constexpr qsizetype info = r + 80; // its info header
    const SoundCase bitmapCases[] = {
        {"as written", bitmap, true},
        {"bits short of the rows", patched(bitmap, r + 60, 12, 4), false},
        {"taller than its bits", patched(bitmap, info + 8, 3, 4), false},
        {"bottom-up rows counted as top-down", patched(bitmap, info + 8, std::uint32_t(-2), 4), true},
        {"a colour table that is not there", patched(bitmap, info + 32, 1, 4), false},
        {"info header beyond the record", patched(bitmap, r + 48, 100, 4), false},
        {"info header inside the fixed fields", patched(bitmap, r + 48, 40, 4), false},
        {"no width", patched(bitmap, info + 4, 0, 4), false},
        {"an unknown depth", patched(bitmap, info + 14, 12, 2), false},
        {"run-length compressed", patched(bitmap, info + 16, 1, 4), false},
    };
    for (const auto& c : bitmapCases)
        EXPECT_EQ(metafileCheck::emfIsSound(c.bytes), c.sound) << c.name;

    // The same in a WMF record, where the bitmap fills the rest of the record.
    const QByteArray wmfBitmap = redBitmapWmf();
    constexpr qsizetype wr = 22 + 18 + 20; // the record, after the headers and the window records
    constexpr qsizetype winfo = wr + 26;
    const SoundCase wmfBitmapCases[] = {
        {"as written", wmfBitmap, true},
        {"taller than its rows", patched(wmfBitmap, winfo + 8, 3, 4), false},
        {"2 147 483 647 colours", patched(wmfBitmap, winfo + 32, 0x7FFFFFFF, 4), false},
        {"a colour table that is not there", patched(wmfBitmap, winfo + 32, 1, 4), false},
        {"a header of another size", patched(wmfBitmap, winfo, 12, 4), false},
        {"run-length compressed", patched(wmfBitmap, winfo + 16, 1, 4), false},
        {"the form without a bitmap", patched(wmfBitmap, wr, 14, 4), false},
    };
    for (const auto& c : wmfBitmapCases)
        EXPECT_EQ(metafileCheck::wmfIsSound(c.bytes), c.sound) << c.name;
    // A whole blit without a bitmap, which the player would still read a bitmap for, past its end.
    Bytes blit;
    blit.u32(14).u16(0x0B41).u32(0x00CC0020).u16(2).u16(2).u16(0).u16(0).u16(0).u16(50).u16(100).u16(0).u16(0);
    EXPECT_FALSE(metafileCheck::wmfIsSound(placeableWmf(100, 50, blit)));
    // libwmf's SVG output leaves bitmaps out, but the sound file is drawn.
    EXPECT_EQ(decoded(wmfBitmap, Route::Display).image().size(), QSize(100, 50));
    EXPECT_FALSE(decoded(bitmap, Route::Display).isNull());
    EXPECT_FALSE(decoded(described, Route::Display).isNull());
}

TEST(PictureFile, EveryMetafileRecordWithABitmapIsRefusedWhenItsBitmapLies)
{
    const struct {
        const char* name;
        RecordBitmap bitmap;
        bool sound;
    } bitmaps[] = {
        {"as written", {}, true},
        {"a header of 12 bytes", {.headerSize = 12}, false},
        {"a colour table that is not there", {.coloursUsed = 1}, false},
        {"a colour table of 2^28 entries", {.coloursUsed = 1U << 28}, false},
        {"rows past the record", {.height = 3, .rowsStored = 2}, false},
        {"64 000 000 pixels", {.width = 8000, .height = 8000, .bitCount = 1}, true},
        {"64 008 000 pixels", {.width = 8000, .height = 8001, .bitCount = 1}, false},
    };
    // Each EMF record type with its fixed fields and where its bitmaps' four fields are. The
    // brushes take info and bits as one block from the info on.
    const struct {
        std::uint32_t type;
        qint64 fixedFields;
        std::vector<qint64> fieldsAt;
        bool packed;
    } emfRecords[] = {
        {76, 100, {84}, false},  {77, 108, {84}, false},     {78, 128, {84, 112}, false}, {79, 140, {96, 124}, false},
        {80, 76, {48}, false},   {81, 80, {48}, false},      {93, 32, {16}, true},        {94, 32, {16}, true},
        {95, 52, {12}, false},   {114, 108, {84}, false},    {116, 108, {84}, false},
    };
    for (const auto& r : emfRecords) {
        for (const qint64 at : r.fieldsAt) {
            for (const auto& b : bitmaps) {
                EXPECT_EQ(metafileCheck::emfIsSound(emfBitmapRecord(r.type, r.fixedFields, at, b.bitmap)), b.sound)
                    << "EMF " << r.type << " at " << at << ": " << b.name;
            }
            // Info after its bits, while the info's offset plus the bits' size stays inside.
            EXPECT_EQ(metafileCheck::emfIsSound(emfBitmapRecord(r.type, r.fixedFields, at, {}, true)), !r.packed)
                << "EMF " << r.type << " at " << at << ": info after its bits";
        }
    }
    const struct {
        std::uint16_t function;
        qint64 bitmapAt;
    } wmfRecords[] = {{0x0940, 22}, {0x0B41, 26}, {0x0F43, 28}, {0x0D33, 24}, {0x0142, 10}};
    for (const auto& r : wmfRecords) {
        for (const auto& b : bitmaps) {
            EXPECT_EQ(metafileCheck::wmfIsSound(wmfBitmapRecord(r.function, r.bitmapAt, b.bitmap)), b.sound)
                << "WMF " << std::hex << r.function << std::dec << ": " << b.name;
        }
    }
}

TEST(PictureFile, MetafileFramesBeyondThePixelBudgetAreDrawnScaledDownWithTheirAspect)
{
    const struct {
        QSize frame, drawn;
    } cases[] = {
        {{100, 50}, {100, 50}},
        {{8000, 8000}, {8000, 8000}},
        {{16384, 16384}, {8000, 8000}},
        {{16384, 1}, {16384, 1}},
        {{16384, 8192}, {11313, 5656}},
        {{30000, 30000}, {8000, 8000}},
        {{32000, 32000}, {8000, 8000}},
        {{100000, 50000}, {11313, 5656}},
        // Within the pixel budget, but wider than a picture may be.
        {{60000, 1000}, {16384, 273}},
        {{1, 100000000}, {1, 16384}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Metafile::drawnSize(c.frame), c.drawn) << c.frame.width() << " x " << c.frame.height();

    const Bitmap wide = decoded(redRectangleWmf(16000, 8000), Route::Display);
    ASSERT_FALSE(wide.isNull());
    EXPECT_LE(qint64(wide.width()) * wide.height(), pictureBudget::kMetafilePixels);
    EXPECT_EQ(wide.width(), 11313);
    EXPECT_EQ(wide.height(), 5656);
    EXPECT_EQ(wide.image().pixel(wide.width() / 2, wide.height() / 2) & 0xFFFFFF, 0xFF0000u);

    // Frames with sides beyond any picture's: a WMF of 1 024 000 000 pixels, an EMF whose bounds
    // are 30 000 pixels a side.
    const Bitmap gigapixel = decoded(redRectangleWmf(32000, 32000), Route::Display);
    ASSERT_FALSE(gigapixel.isNull());
    EXPECT_EQ(gigapixel.image().size(), QSize(8000, 8000));
    EXPECT_EQ(gigapixel.image().pixel(4000, 4000) & 0xFFFFFF, 0xFF0000u);
    const Bitmap large = decoded(patched(patched(redRectangleEmf(), 16, 30000), 20, 30000), Route::Display);
    EXPECT_EQ(large.image().size(), QSize(8000, 8000));
}

TEST(PictureFile, AMetafileIsReadAsFarAsItsHeaderSaysAndItsBytesCountBeforeTheyAreRead)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("map.wmf"));
    const auto load = [&name](const QByteArray& bytes, qint64 size) {
        QFile out(name);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        EXPECT_TRUE(out.resize(size));
        out.close();
        CGraphicFile file;
        file.Load(name);
        return std::make_pair(file.DetachBitmap(), file.takeMessages());
    };
    // Zeros after the metafile are neither read nor handed to the child.
    const QByteArray wmf = redRectangleWmf();
    const auto [drawn, none] = load(wmf, wmf.size() + (qint64(1) << 20));
    EXPECT_EQ(drawn.image().size(), QSize(100, 50));
    EXPECT_TRUE(none.empty());
    // Beside its drawn picture of up to 64 million pixels, 4 bytes each, a metafile that says it
    // takes one word more than the rest of 512 MiB is refused before a byte of it is read.
    constexpr qint64 kLargest = (qint64(512) << 20) - 64'000'000 * 4;
    const qint64 words = (kLargest - 22) / 2 + 1;
    const auto [refused, messages] = load(patched(wmf, 22 + 6, std::uint32_t(words)), 22 + 2 * words);
    EXPECT_TRUE(refused.isNull());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("at most 512 MiB")));
    // A metafile that ends just inside the helper's limit is drawn, one a word longer refused.
    for (const qint64 size : {pictureBudget::kMetafileBytes / 2 * 2, pictureBudget::kMetafileBytes / 2 * 2 + 2}) {
        const bool inside = size <= pictureBudget::kMetafileBytes;
        const auto [bitmap, told] = load(patched(wmf, 22 + 6, std::uint32_t((size - 22) / 2)), size);
        EXPECT_EQ(bitmap.isNull(), !inside) << size;
        ASSERT_EQ(told.size(), inside ? 0u : 1u) << size;
        EXPECT_TRUE(inside || told[0].text.contains(QStringLiteral("at most 512 MiB"))) << size;
    }
}
