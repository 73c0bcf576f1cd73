#include "imaging/CPcxFile.h"

#include "imaging/Dib.h"
#include "imaging/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace kiv {

namespace {

constexpr qint64 kHeaderSize = 128;
constexpr qint64 kPaletteBlockSize = 769; // the byte 12, then 256 RGB entries
// Lines may be padded, but not by more than this: it keeps a lying header from asking for
// far more memory than the picture needs.
constexpr qint64 kMaxLinePadding = 256;
// A run of two bytes gives at most 63 bytes; any other byte gives itself.
constexpr qint64 kLongestRun = 63;

// The most bytes that `size` bytes of data can give, encoded or raw.
qint64 mostDecodedBytes(qint64 size, bool encoded)
{
    return encoded ? size / 2 * kLongestRun + size % 2 : size;
}

ReaderMessage notValid(const QString& name)
{
    return {.caption = QStringLiteral("Not a valid PCX - File, Use standard Texture !"), .text = name, .beep = true};
}

struct Header {
    int planes;
    int bitsPerPlane;
    qint64 width;
    qint64 height;
    qint64 bytesPerLine;
    bool encoded;
};

bool layoutSupported(const Header& h)
{
    return (h.planes == 1 && (h.bitsPerPlane == 1 || h.bitsPerPlane == 8))
        || (h.planes == 4 && h.bitsPerPlane == 1) || (h.planes == 3 && h.bitsPerPlane == 8);
}

bool sizeSupported(const Header& h)
{
    const qint64 needed = (h.width * h.bitsPerPlane + 7) / 8;
    return pictureSizeAllowed(h.width, h.height) && h.bytesPerLine >= needed
        && h.bytesPerLine <= needed + kMaxLinePadding;
}

int dibBitCount(const Header& h)
{
    return h.planes == 1 ? h.bitsPerPlane : h.planes == 4 ? 4 : 24;
}

// The most the route holds at once: while decoding, the decoded planes, then beside them the packed
// rows (planar layouts), the rows evenWidth makes, and the finished bitmap; then what the route
// makes of the bitmap.
qint64 peakBytes(const Header& h, Route route)
{
    const int bitCount = dibBitCount(h);
    const qint64 planes = h.bytesPerLine * h.planes * h.height;
    const qint64 width = evenedWidth(h.width, bitCount);
    const qint64 bitmap = bitmapBytes(width, h.height, bitCount, route);
    const qint64 even = evenWidthBytes(h.width, h.height, bitCount);
    const qint64 reader = h.planes == 1 ? planes + bitmap
                                        : std::max({2 * planes, planes + even, (even ? even : planes) + bitmap});
    return pictureBudget::routePeak(reader, bitmap, width, h.height, route);
}

// Four planes of one bit to 4-bit pixels: plane k gives bit k, the first pixel goes high.
void planesToPacked4(const std::vector<uchar>& planes, const Header& h, std::vector<uchar>& rows)
{
    const qint64 line = h.bytesPerLine;
    for (qint64 r = 0; r < h.height; ++r) {
        const uchar* p = planes.data() + r * 4 * line;
        uchar* out = rows.data() + r * 4 * line;
        for (qint64 c = 0; c < line; ++c) {
            for (int m = 0; m < 8; ++m) {
                const int bit = 0x80 >> m;
                const int value = ((p[c] & bit) ? 1 : 0) | ((p[line + c] & bit) ? 2 : 0)
                    | ((p[2 * line + c] & bit) ? 4 : 0) | ((p[3 * line + c] & bit) ? 8 : 0);
                uchar& target = out[c * 4 + m / 2];
                target = (m & 1) ? uchar(target | value) : uchar(value << 4);
            }
        }
    }
}

// Three planes of 8 bits (red, green, blue lines) to blue-green-red pixels.
void planesToBgr(const std::vector<uchar>& planes, const Header& h, std::vector<uchar>& rows)
{
    const qint64 line = h.bytesPerLine;
    for (qint64 r = 0; r < h.height; ++r) {
        const uchar* p = planes.data() + r * 3 * line;
        uchar* out = rows.data() + r * 3 * line;
        for (qint64 c = 0; c < line; ++c) {
            out[3 * c] = p[2 * line + c];
            out[3 * c + 1] = p[line + c];
            out[3 * c + 2] = p[c];
        }
    }
}

// The packed rows of planar data; the planes are freed on return, before the rows grow further.
std::vector<uchar> packPlanes(std::vector<uchar> planes, const Header& h)
{
    std::vector<uchar> rows(planes.size());
    if (h.planes == 4)
        planesToPacked4(planes, h, rows);
    else
        planesToBgr(planes, h, rows);
    return rows;
}

// Colour tables of PCX files are red, green, blue triples.
std::vector<QRgb> rgbTriples(const uchar* triples, int count)
{
    std::vector<QRgb> colours(count);
    for (int i = 0; i < count; ++i)
        colours[size_t(i)] = qRgb(triples[3 * i], triples[3 * i + 1], triples[3 * i + 2]);
    return colours;
}

// The 256-colour palette at the end of the file, the header's sixteen colours, or black and white.
std::vector<QRgb> colourTable(const LittleEndian& in, const Header& h, ReaderMessages& messages)
{
    if (h.planes == 1 && h.bitsPerPlane == 8) {
        const uchar* block = in.at(in.size() - kPaletteBlockSize);
        if (block[0] != 12)
            messages.push_back({.caption = QStringLiteral("Error"),
                                .text = QStringLiteral("No valid color table found !!! \nUse standard")});
        return rgbTriples(block + 1, 256);
    }
    if (h.planes == 4)
        return rgbTriples(in.at(16), 16);
    if (h.planes == 1)
        return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    return {};
}

} // namespace

bool CPcxFile::Load(const QString& fileName)
{
    return loadDecoded(fileName,
                       {.caption = QStringLiteral("Could'nt Open Graphicfile, Use standard Texture!"),
                        .text = fileName,
                        .beep = true},
                       &CPcxFile::decode);
}

qsizetype CPcxFile::decodeRle(QByteArrayView in, std::vector<uchar>& out)
{
    const auto* p = reinterpret_cast<const uchar*>(in.data());
    const qsizetype n = in.size();
    const qsizetype end = qsizetype(out.size());
    qsizetype i = 0, o = 0;
    while (i < n && o < end) {
        const uchar b = p[i++];
        if ((b & 0xC0) != 0xC0) {
            out[size_t(o++)] = b;
            continue;
        }
        if (i >= n)
            break;
        const uchar value = p[i++];
        const qsizetype count = std::min<qsizetype>(b & 0x3F, end - o);
        std::memset(out.data() + o, value, size_t(count));
        o += count;
    }
    return o;
}

LoadResult CPcxFile::decode(QByteArrayView file, const QString& name, Route route)
{
    const LittleEndian in(file);
    if (in.size() < kHeaderSize || *in.u8(0) != 10)
        return failure(notValid(name));
    const Header h{.planes = *in.u8(65),
                   .bitsPerPlane = *in.u8(3),
                   .width = qint64(*in.u16(8)) - *in.u16(4) + 1,
                   .height = qint64(*in.u16(10)) - *in.u16(6) + 1,
                   .bytesPerLine = *in.u16(66),
                   .encoded = *in.u8(2) == 1};
    if (!layoutSupported(h) || !sizeSupported(h))
        return failure(notValid(name));
    const bool withPalette = h.planes == 1 && h.bitsPerPlane == 8;
    if (withPalette && in.size() < kHeaderSize + kPaletteBlockSize)
        return failure(notValid(name));
    if (!pictureBudget::admits(peakBytes(h, route)))
        return failure(overBudgetMessage());

    return guardMemory([&] {
        LoadResult result;
        Dib dib;
        dib.width = int(h.width);
        dib.height = int(h.height);
        dib.colours = colourTable(in, h, result.messages);
        const QByteArrayView data = file.sliced(kHeaderSize, in.size() - kHeaderSize - (withPalette ? kPaletteBlockSize : 0));
        const qint64 stride = h.bytesPerLine * h.planes;
        // Data that cannot fill the picture is refused before the picture's memory is taken,
        // whether encoded or raw.
        if (stride * h.height > mostDecodedBytes(data.size(), h.encoded))
            return failure(notValid(name));
        std::vector<uchar> planes(size_t(stride * h.height));
        if (h.encoded) {
            if (decodeRle(data, planes) < qsizetype(planes.size()))
                return failure(notValid(name));
        } else {
            std::memcpy(planes.data(), data.data(), planes.size());
        }
        dib.bitCount = dibBitCount(h);
        dib.ownRows(h.planes == 1 ? std::move(planes) : packPlanes(std::move(planes), h), stride, false);
        evenWidth(dib);
        deliver(dib, route, result);
        return result;
    });
}

} // namespace kiv
