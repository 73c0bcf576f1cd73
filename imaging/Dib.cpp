#include "imaging/Dib.h"

#include "imaging/PictureBudget.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kiv {

void Dib::readRows(RowReader reader, qint64 stride)
{
    reader_ = std::move(reader);
    stride_ = readerStride_ = stride;
    row_.assign(size_t(stride), 0);
}

const uchar* Dib::scanLine(int y) const
{
    if (!failed_ && (!reader_ || !reader_(y, row_.data())))
        failed_ = true;
    return row_.data();
}

qint64 evenedWidth(qint64 width, int bitCount)
{
    return bitCount == 24 ? (width + 1) / 2 * 2 : width;
}

void evenWidth(Dib& dib)
{
    const int newWidth = int(evenedWidth(dib.width, dib.bitCount));
    if (newWidth == dib.width)
        return;
    // The reader writes its own stride of each row; what the wider row has beyond it stays zero,
    // and what the reader's row has beyond the wider row is not read.
    dib.width = newWidth;
    dib.stride_ = dwordStride(newWidth, 24);
    dib.row_.resize(size_t(std::max(dib.stride_, dib.readerStride_)), 0);
}

namespace {

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask ? mask >> shift_ : 1)
    {
    }
    std::uint32_t operator()(std::uint32_t pixel) const
    {
        const std::uint32_t v = (pixel & mask_) >> shift_;
        return max_ == 255 ? v : v * 255 / max_;
    }

private:
    std::uint32_t mask_;
    int shift_;
    std::uint32_t max_;
};

std::array<std::uint32_t, 3> effectiveMasks(const Dib& dib)
{
    if (dib.masks != std::array<std::uint32_t, 3>{})
        return dib.masks;
    if (dib.bitCount == 16)
        return {0x7C00, 0x03E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

// Index of pixel x in a row of 1, 4 or 8 bits per pixel.
inline int indexAt(const uchar* row, int x, int bitCount)
{
    switch (bitCount) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default:
        return row[x];
    }
}

void indexedToRgb32(const Dib& dib, QImage& image)
{
    std::array<QRgb, 256> lut;
    lut.fill(qRgb(0, 0, 0));
    for (size_t i = 0; i < std::min<size_t>(dib.colours.size(), lut.size()); ++i)
        lut[i] = dib.colours[i] | 0xFF000000u;
    for (int y = 0; y < dib.height; ++y) {
        const uchar* src = dib.scanLine(y);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (dib.bitCount == 8) {
            for (int x = 0; x < dib.width; ++x)
                dst[x] = lut[src[x]];
        } else {
            for (int x = 0; x < dib.width; ++x)
                dst[x] = lut[indexAt(src, x, dib.bitCount)];
        }
    }
}

void bgrToRgb32(const Dib& dib, QImage& image)
{
    for (int y = 0; y < dib.height; ++y) {
        const uchar* src = dib.scanLine(y);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < dib.width; ++x, src += 3)
            dst[x] = 0xFF000000u | std::uint32_t(src[2]) << 16 | std::uint32_t(src[1]) << 8 | src[0];
    }
}

void maskedToRgb32(const Dib& dib, QImage& image)
{
    const auto masks = effectiveMasks(dib);
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    const int bytes = dib.bitCount / 8;
    for (int y = 0; y < dib.height; ++y) {
        const uchar* src = dib.scanLine(y);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < dib.width; ++x, src += bytes) {
            std::uint32_t pixel = src[0] | std::uint32_t(src[1]) << 8;
            if (bytes == 4)
                pixel |= std::uint32_t(src[2]) << 16 | std::uint32_t(src[3]) << 24;
            dst[x] = qRgb(int(red(pixel)), int(green(pixel)), int(blue(pixel)));
        }
    }
}

QImage toRgb32(const Dib& dib)
{
    QImage image(dib.width, dib.height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    if (dib.bitCount <= 8)
        indexedToRgb32(dib, image);
    else if (dib.bitCount == 24)
        bgrToRgb32(dib, image);
    else
        maskedToRgb32(dib, image);
    return image;
}

QImage toIndexed8(const Dib& dib)
{
    QImage image(dib.width, dib.height, QImage::Format_Indexed8);
    if (image.isNull())
        return image;
    QList<QRgb> table(qsizetype(1) << dib.bitCount, qRgb(0, 0, 0));
    for (size_t i = 0; i < std::min<size_t>(dib.colours.size(), size_t(table.size())); ++i)
        table[qsizetype(i)] = dib.colours[i] | 0xFF000000u;
    image.setColorTable(table);
    for (int y = 0; y < dib.height; ++y) {
        const uchar* src = dib.scanLine(y);
        uchar* dst = image.scanLine(y);
        if (dib.bitCount == 8) {
            std::memcpy(dst, src, size_t(dib.width));
            continue;
        }
        for (int x = 0; x < dib.width; ++x)
            dst[x] = uchar(indexAt(src, x, dib.bitCount));
    }
    return image;
}

QImage toBgr888(const Dib& dib)
{
    QImage image(dib.width, dib.height, QImage::Format_BGR888);
    for (int y = 0; !image.isNull() && y < dib.height; ++y)
        std::memcpy(image.scanLine(y), dib.scanLine(y), size_t(dib.width) * 3);
    return image;
}

// The format toBitmap() gives a picture of this depth.
QImage::Format bitmapFormat(int bitCount, Route route)
{
    if (route == Route::Display)
        return QImage::Format_RGB32;
    if (bitCount <= 8)
        return QImage::Format_Indexed8;
    return bitCount == 24 ? QImage::Format_BGR888 : QImage::Format_RGB32;
}

} // namespace

qint64 bitmapBytes(qint64 width, qint64 height, int bitCount, Route route)
{
    return pictureBudget::imageBytes(width, height, bitmapFormat(bitCount, route));
}

Bitmap toBitmap(const Dib& dib, Route route)
{
    if (route == Route::Display)
        return Bitmap(toRgb32(dib), 32);
    const int depth = dib.reportedBits ? dib.reportedBits : dib.bitCount;
    switch (bitmapFormat(dib.bitCount, route)) {
    case QImage::Format_Indexed8:
        return Bitmap(toIndexed8(dib), depth);
    case QImage::Format_BGR888:
        return Bitmap(toBgr888(dib), depth);
    default:
        return Bitmap(toRgb32(dib), depth);
    }
}

void deliver(const Dib& dib, Route route, LoadResult& result, const ReaderMessage& unreadable)
{
    result.bitmap = toBitmap(dib, route);
    if (dib.failed()) {
        result.bitmap = Bitmap();
        result.messages.push_back(unreadable);
    } else if (!result.ok()) {
        result.messages.push_back(outOfMemoryMessage());
    }
}

} // namespace kiv
