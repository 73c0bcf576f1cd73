#include "imaging/CPcxFile.h"

#include "imaging/Dib.h"
#include "imaging/LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace kiv {

namespace {

constexpr qint64 kHeaderSize = 128;
constexpr qint64 kPaletteBlockSize = 769; // the byte 12, then 256 RGB entries
// Lines may be padded, but not by more than this: it keeps a lying header from asking for
// far more memory than the picture needs.
constexpr qint64 kMaxLinePadding = 256;
// A run of two bytes gives at most 63 bytes; any other byte gives itself.
constexpr qint64 kLongestRun = 63;
// The most bytes of encoding for one decoded byte: a run of one. Every code gives at least one
// byte (a run of none moves nothing on) in at most two, so a valid encoding of n bytes takes at
// most 2n.
constexpr qint64 kMostCodeBytes = 2;

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

// The most the route holds at once: the finished bitmap, made a line at a time from the file; then
// what the route makes of it.
qint64 peakBytes(const Header& h, Route route)
{
    const qint64 width = evenedWidth(h.width, dibBitCount(h));
    const qint64 bitmap = bitmapBytes(width, h.height, dibBitCount(h), route);
    return pictureBudget::routePeak(bitmap, bitmap, width, h.height, route);
}

// Four planes of one bit to 4-bit pixels: plane k gives bit k, the first pixel goes high.
void planesToPacked4(const uchar* p, qint64 line, uchar* out)
{
    for (qint64 c = 0; c < line; ++c) {
        for (int m = 0; m < 8; ++m) {
            const int bit = 0x80 >> m;
            const int value = ((p[c] & bit) ? 1 : 0) | ((p[line + c] & bit) ? 2 : 0) | ((p[2 * line + c] & bit) ? 4 : 0)
                | ((p[3 * line + c] & bit) ? 8 : 0);
            uchar& target = out[c * 4 + m / 2];
            target = (m & 1) ? uchar(target | value) : uchar(value << 4);
        }
    }
}

// Three planes of 8 bits (red, green, blue lines) to blue-green-red pixels.
void planesToBgr(const uchar* p, qint64 line, uchar* out)
{
    for (qint64 c = 0; c < line; ++c) {
        out[3 * c] = p[2 * line + c];
        out[3 * c + 1] = p[line + c];
        out[3 * c + 2] = p[c];
    }
}

// The picture's data, raw or run-length encoded, read in order; a run may go on into the next line.
// Encoded data ends where it has read more than a valid encoding of what it gave could take.
class Runs {
public:
    Runs(const PictureBytes& file, qint64 begin, qint64 end, bool encoded)
        : in_(file, begin, end), encoded_(encoded)
    {
    }
    // Fills out[0, count); the bytes written, fewer where the data ends.
    qint64 read(uchar* out, qint64 count)
    {
        if (!encoded_)
            return in_.take(out, count);
        // A code is begun only while a valid encoding of everything up to the end of `out` could
        // still take it, so that no more than that is read.
        const qint64 mostBytes = kMostCodeBytes * (given_ + count);
        qint64 o = 0;
        while (o < count) {
            if (runLeft_ > 0) {
                const qint64 n = std::min(runLeft_, count - o);
                std::memset(out + o, runValue_, size_t(n));
                o += n;
                runLeft_ -= n;
                continue;
            }
            if (in_.consumed() + kMostCodeBytes > mostBytes)
                break;
            const int b = in_.next();
            if (b < 0)
                break;
            if ((b & 0xC0) != 0xC0) {
                out[o++] = uchar(b);
                continue;
            }
            runValue_ = in_.next();
            if (runValue_ < 0)
                break;
            runLeft_ = b & 0x3F;
        }
        given_ += o;
        return o;
    }

private:
    ByteStream in_;
    bool encoded_;
    qint64 given_ = 0;
    int runValue_ = 0;
    qint64 runLeft_ = 0;
};

// Colour tables of PCX files are red, green, blue triples.
std::vector<QRgb> rgbTriples(const uchar* triples, int count)
{
    std::vector<QRgb> colours(count);
    for (int i = 0; i < count; ++i)
        colours[size_t(i)] = qRgb(triples[3 * i], triples[3 * i + 1], triples[3 * i + 2]);
    return colours;
}

// The 256-colour palette at the end of the file, the header's sixteen colours, or black and white.
std::vector<QRgb> colourTable(const PictureBytes& file, const LittleEndian& in, const Header& h,
                              ReaderMessages& messages)
{
    if (h.planes == 1 && h.bitsPerPlane == 8) {
        uchar block[kPaletteBlockSize];
        if (!file.read(file.size() - kPaletteBlockSize, kPaletteBlockSize, block))
            return {};
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
    const PictureBytes bytes(in);
    Runs runs(bytes, 0, bytes.size(), true);
    return runs.read(out.data(), qint64(out.size()));
}

LoadResult CPcxFile::decode(const PictureBytes& file, const QString& name, Route route)
{
    const QByteArray header = file.read(0, kHeaderSize);
    const LittleEndian in(header);
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
    if (withPalette && file.size() < kHeaderSize + kPaletteBlockSize)
        return failure(notValid(name));
    if (!pictureBudget::admits(peakBytes(h, route)))
        return failure(overBudgetMessage());

    return guardMemory([&] {
        LoadResult result;
        Dib dib;
        dib.width = int(h.width);
        dib.height = int(h.height);
        dib.bitCount = dibBitCount(h);
        dib.colours = colourTable(file, in, h, result.messages);
        const qint64 dataEnd = file.size() - (withPalette ? kPaletteBlockSize : 0);
        const qint64 stride = h.bytesPerLine * h.planes;
        // Data that cannot fill the picture is refused before the picture's memory is taken,
        // whether encoded or raw.
        if (stride * h.height > mostDecodedBytes(dataEnd - kHeaderSize, h.encoded))
            return failure(notValid(name));
        auto runs = std::make_shared<Runs>(file, kHeaderSize, dataEnd, h.encoded);
        auto planes = std::make_shared<std::vector<uchar>>(h.planes == 1 ? 0 : size_t(stride));
        dib.readRows(
            [runs, planes, stride, h](int, uchar* out) {
                if (h.planes == 1)
                    return runs->read(out, stride) == stride;
                if (runs->read(planes->data(), stride) < stride)
                    return false;
                if (h.planes == 4)
                    planesToPacked4(planes->data(), h.bytesPerLine, out);
                else
                    planesToBgr(planes->data(), h.bytesPerLine, out);
                return true;
            },
            stride);
        evenWidth(dib);
        deliver(dib, route, result, notValid(name));
        return result;
    });
}

} // namespace kiv
