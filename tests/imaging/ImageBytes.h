#pragma once
// Builders for crafted picture files, so that each test states exactly the bytes it reads, and a
// runner for netpbm's converters, whose files are written by code other than ours.

#include "imaging/LoadResult.h"

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace kiv::test {

// Little-endian bytes appended in order.
class Bytes {
public:
    Bytes& u8(unsigned v);
    Bytes& u16(unsigned v);
    Bytes& u32(std::uint32_t v);
    Bytes& raw(const QByteArray& b);
    Bytes& fill(qsizetype count, char value = 0);
    qsizetype size() const { return data_.size(); }
    const QByteArray& data() const { return data_; }

private:
    QByteArray data_;
};

QByteArray hex(const char* text); // "C3 07 05" -> bytes
// The bytes with `width` bytes at `at` overwritten by the little-endian value.
QByteArray patched(QByteArray bytes, qsizetype at, std::uint32_t value, int width = 4);

struct BmpLayout {
    int width = 1;
    int height = 1;
    int bitCount = 24;
    std::uint32_t compression = 0;
    std::vector<QRgb> colours{};         // written as the colour table
    std::uint32_t colourCount = 0;     // biClrUsed
    std::vector<std::uint32_t> masks{};  // written after the info header
    std::uint32_t infoSize = 40;
    int planes = 1;
    QByteArray pixels{};               // as stored, rows padded by the caller
};
QByteArray makeBmp(const BmpLayout& layout);

struct PcxLayout {
    int planes = 1;
    int bitsPerPlane = 8;
    int width = 1;
    int height = 1;
    int bytesPerLine = 2;
    bool encoded = false;
    std::vector<QRgb> headerColours{};   // up to 16
    QByteArray data{};                 // after the 128-byte header
    std::optional<std::vector<QRgb>> palette{}; // the 769-byte block, with marker `paletteMarker`
    int paletteMarker = 12;
};
QByteArray makePcx(const PcxLayout& layout);

// A TIFF file built from directory entries; values that do not fit the entry go to the end.
class TiffBuilder {
public:
    struct Entry {
        std::uint16_t tag;
        std::uint16_t type; // 3 SHORT, 4 LONG
        std::vector<std::uint32_t> values;
    };
    // Adds a page; `pixels` goes into the file and entries may refer to it with kPixelOffset.
    void page(std::vector<Entry> entries, const QByteArray& pixels);
    QByteArray build(bool loopBack = false) const;

    static constexpr std::uint32_t kPixelOffset = 0xFFFFFFFF;

private:
    struct Page {
        std::vector<Entry> entries;
        QByteArray pixels;
    };
    std::vector<Page> pages_;
};

// A one-strip TIFF of the given samples and bits, uncompressed unless `compression` says otherwise.
QByteArray simpleTiff(int width, int height, int samples, int bits, const QByteArray& pixels,
                      std::uint32_t compression = 1, std::vector<TiffBuilder::Entry> extra = {});

// Runs a netpbm converter on a PPM of the image; nothing when netpbm is not installed.
std::optional<QByteArray> netpbm(const QString& program, const QStringList& args, const QImage& image);

// The image in a file format Qt writes; empty when Qt cannot write it.
QByteArray encoded(const QImage& image, const char* format);

// The colour of a pixel of a loaded picture.
inline QRgb px(const LoadResult& r, int x, int y)
{
    return r.bitmap.image().pixel(x, y);
}

// A picture with a different colour in every pixel, for cross-checks.
QImage testPattern(int width, int height);

} // namespace kiv::test
