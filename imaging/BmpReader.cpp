#include "imaging/BmpReader.h"

#include "imaging/BmpRle.h"
#include "imaging/Dib.h"
#include "imaging/LittleEndian.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace kiv {

namespace {

constexpr qint64 kFileHeaderSize = 14;
constexpr qint64 kInfoHeaderSize = 40;
// The most the header block holds that the reader uses: 256 colours, or three masks.
constexpr qint64 kLargestTable = 256 * 4;
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

ReaderMessage notValid(const QString& name)
{
    return {.caption = QStringLiteral("Not a valid BMP - File, Use standard Texture !"), .text = name, .beep = true};
}

ReaderMessage noVersion3()
{
    return {.caption = QString(),
            .text = QStringLiteral("No BMP-Format V3.0 support, Use standard Texture !"),
            .taskModal = true};
}

struct InfoHeader {
    std::int32_t width;
    std::int32_t height;
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t colourCount;
};

bool depthAndCompressionMatch(const InfoHeader& h)
{
    switch (h.bitCount) {
    case 1:
    case 24:
        return h.compression == kRgb;
    case 4:
        return h.compression == kRgb || h.compression == kRle4;
    case 8:
        return h.compression == kRgb || h.compression == kRle8;
    case 16:
    case 32:
        return h.compression == kRgb || h.compression == kBitFields;
    default:
        return false;
    }
}

// A usable mask is one run of set bits that fits the pixel.
bool maskUsable(std::uint32_t mask, int bitCount)
{
    if (mask == 0 || (bitCount == 16 && mask > 0xFFFF))
        return false;
    const std::uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0;
}

bool readMasks(const LittleEndian& in, qint64 headerEnd, Dib& dib)
{
    const qint64 at = kFileHeaderSize + kInfoHeaderSize;
    if (at + 12 > headerEnd)
        return false;
    for (int k = 0; k < 3; ++k) {
        dib.masks[size_t(k)] = *in.u32(at + 4 * k);
        if (!maskUsable(dib.masks[size_t(k)], dib.bitCount))
            return false;
    }
    return (dib.masks[0] & dib.masks[1]) == 0 && (dib.masks[1] & dib.masks[2]) == 0 && (dib.masks[0] & dib.masks[2]) == 0;
}

// The colour table: as many entries as the header says (all the depth allows when it says 0), no
// more than the header block holds; entries that are not there stay black.
void readColours(const LittleEndian& in, qint64 headerEnd, std::uint32_t colourCount, Dib& dib)
{
    const qint64 wanted = colourCount == 0 ? qint64(1) << dib.bitCount : colourCount;
    const qint64 at = kFileHeaderSize + kInfoHeaderSize;
    const qint64 present = std::min(wanted, (headerEnd - at) / 4);
    dib.colours.assign(size_t(wanted), qRgb(0, 0, 0));
    for (qint64 i = 0; i < present; ++i) {
        const uchar* quad = in.at(at + 4 * i);
        dib.colours[size_t(i)] = qRgb(quad[2], quad[1], quad[0]);
    }
}

// The most the route holds at once: while decoding, an RLE picture's index canvas beside the
// finished bitmap (uncompressed rows are read from the file a row at a time as the bitmap is made);
// then what the route makes of the bitmap.
qint64 peakBytes(const InfoHeader& h, qint64 height, Route route)
{
    const bool rle = h.compression == kRle8 || h.compression == kRle4;
    const qint64 width = rle ? h.width : evenedWidth(h.width, h.bitCount);
    const qint64 bitmap = bitmapBytes(width, height, rle ? 8 : h.bitCount, route);
    const qint64 canvas = rle ? qint64(h.width) * height : 0;
    return pictureBudget::routePeak(canvas + bitmap, bitmap, width, height, route);
}

} // namespace

ReaderMessage bmpOpenFailure(const QString& name)
{
    return {.caption = QStringLiteral("Could'nt Open Texture file, Use standard Texture !"),
            .text = QStringLiteral("%1\n\nI will use the standard bitmap !").arg(name),
            .beep = true};
}

LoadResult decodeBmp(const PictureBytes& file, const QString& name, Route route)
{
    const QByteArray header = file.read(0, kFileHeaderSize + kInfoHeaderSize + kLargestTable);
    const LittleEndian in(header);
    if (in.u16(0) != 0x4D42)
        return failure(notValid(name));
    const auto infoSize = in.u32(kFileHeaderSize);
    if (!infoSize)
        return failure(notValid(name));
    if (*infoSize != kInfoHeaderSize)
        return failure(noVersion3());

    const qint64 pixelOffset = in.u32(10).value_or(0);
    if (pixelOffset < kFileHeaderSize + kInfoHeaderSize || pixelOffset > file.size())
        return failure(notValid(name));
    const InfoHeader h{.width = *in.i32(18),
                       .height = *in.i32(22),
                       .planes = *in.u16(26),
                       .bitCount = *in.u16(28),
                       .compression = *in.u32(30),
                       .colourCount = *in.u32(46)};
    const bool bottomUp = h.height > 0;
    const qint64 height = bottomUp ? qint64(h.height) : -qint64(h.height);
    if (h.planes != 1 || !depthAndCompressionMatch(h) || !pictureSizeAllowed(h.width, height)
        || (h.bitCount <= 8 && h.colourCount > (1u << h.bitCount)))
        return failure(notValid(name));
    if (!pictureBudget::admits(peakBytes(h, height, route)))
        return failure(overBudgetMessage());

    return guardMemory([&] {
        Dib dib;
        dib.width = h.width;
        dib.height = int(height);
        dib.bitCount = h.bitCount;
        // The colour table or the masks lie between the info header and the pixels.
        const qint64 headerEnd = std::min<qint64>(pixelOffset, in.size());
        if (h.bitCount <= 8)
            readColours(in, headerEnd, h.colourCount, dib);
        else if (h.compression == kBitFields && !readMasks(in, headerEnd, dib))
            return failure(notValid(name));

        if (h.compression == kRle8 || h.compression == kRle4) {
            ByteStream pixels(file, pixelOffset, file.size());
            auto indices = expandBmpRle(pixels, dib.width, dib.height, h.bitCount);
            if (!indices)
                return failure(notValid(name));
            // The rows go to the bitmap from the expanded pixels, each after a look at the watch.
            auto rows = std::make_shared<std::vector<uchar>>(std::move(*indices));
            dib.readRows(
                [rows, &file, width = qint64(dib.width), height, bottomUp](int y, uchar* out) {
                    const qint64 row = bottomUp ? height - 1 - y : y;
                    std::memcpy(out, rows->data() + row * width, size_t(width));
                    return !file.stopRequested();
                },
                dib.width);
            dib.reportedBits = h.bitCount;
            dib.bitCount = 8;
        } else {
            const qint64 stride = dwordStride(dib.width, dib.bitCount);
            if (stride * height > file.size() - pixelOffset)
                return failure(notValid(name));
            dib.readRows(
                [&file, pixelOffset, stride, height, bottomUp](int y, uchar* out) {
                    const qint64 row = bottomUp ? height - 1 - y : y;
                    return file.read(pixelOffset + row * stride, stride, out);
                },
                stride);
        }
        evenWidth(dib);
        LoadResult result;
        deliver(dib, route, result, notValid(name));
        return result;
    });
}

} // namespace kiv
