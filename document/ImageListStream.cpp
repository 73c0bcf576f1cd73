#include "document/ImageListStream.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>

namespace kiv::imageList {

namespace {

constexpr std::uint16_t kMagic = 0x4C49; // "IL"
constexpr std::uint16_t kVersionTiled = 0x0101;
constexpr std::uint16_t kMaskFlag = 0x0001;
constexpr std::uint16_t kColor24 = 0x0018;
constexpr std::uint16_t kBmpMagic = 0x4D42; // "BM"
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr int kIconSide = 32;

// One of the stream's two bitmaps, its pixels still packed.
struct Dib {
    int width = 0;
    int height = 0; // rows, always positive
    bool topDown = false;
    int bpp = 0;
    std::array<std::uint32_t, 3> masks{}; // red, green, blue for 16 and 32 bits
    std::vector<QRgb> palette;
    std::string pixels;
    std::size_t stride = 0;

    // The raw value of the pixel: a palette index, or the packed colour.
    std::uint32_t raw(int x, int y) const
    {
        const std::size_t row = static_cast<std::size_t>(topDown ? y : height - 1 - y) * stride;
        const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(pixels[row + i])); };
        const auto ux = static_cast<std::size_t>(x);
        switch (bpp) {
        case 1:
            return (byte(ux / 8) >> (7 - ux % 8)) & 1;
        case 4:
            return (byte(ux / 2) >> (ux % 2 ? 0 : 4)) & 0xF;
        case 8:
            return byte(ux);
        case 16:
            return byte(2 * ux) | byte(2 * ux + 1) << 8;
        case 24:
            return byte(3 * ux) | byte(3 * ux + 1) << 8 | byte(3 * ux + 2) << 16;
        default:
            return byte(4 * ux) | byte(4 * ux + 1) << 8 | byte(4 * ux + 2) << 16 | byte(4 * ux + 3) << 24;
        }
    }

    static int channel(std::uint32_t value, std::uint32_t mask)
    {
        if (mask == 0)
            return 0;
        const int shift = std::countr_zero(mask);
        const std::uint32_t max = mask >> shift;
        return static_cast<int>(((value & mask) >> shift) * 255 / max);
    }

    // Opaque colour of the pixel.
    QRgb color(int x, int y) const
    {
        const std::uint32_t v = raw(x, y);
        if (bpp <= 8)
            return v < palette.size() ? palette[v] : qRgb(0, 0, 0);
        return qRgb(channel(v, masks[0]), channel(v, masks[1]), channel(v, masks[2]));
    }
    int alpha(int x, int y) const { return bpp == 32 ? static_cast<int>(raw(x, y) >> 24) : 255; }
};

bool fail(BilingualText& error, const BilingualText& text)
{
    error = text;
    return false;
}

bool readDib(ArchiveReader& in, Dib& dib, BilingualText& error)
{
    if (in.readUInt16() != kBmpMagic)
        return fail(error, BilingualText::of("the image list's bitmap does not start with \"BM\"",
                                             "die Bitmap der Bildliste beginnt nicht mit \"BM\""));
    in.skip(4 + 2 + 2 + 4); // size (unreliable), reserved, offset
    const std::uint32_t headerSize = in.readUInt32();
    const std::int32_t width = in.readInt32();
    const std::int32_t height = in.readInt32();
    const std::uint16_t planes = in.readUInt16();
    const std::uint16_t bpp = in.readUInt16();
    const std::uint32_t compression = in.readUInt32();
    in.skip(5 * 4); // image size, resolution, colours used and important
    if (!in.ok())
        return fail(error, in.error());
    if (headerSize < 40 || headerSize > 124)
        return fail(error, BilingualText::of("the image list's bitmap header has %1 bytes",
                                             "der Kopf der Bitmap der Bildliste hat %1 Bytes")
                               .arg(headerSize));
    if (width <= 0 || width > 4 * kMaxImageSide || height == 0 || height == INT32_MIN || planes != 1)
        return fail(error, BilingualText::of("the image list's bitmap is %1 x %2 pixels",
                                             "die Bitmap der Bildliste hat %1 x %2 Pixel")
                               .arg(QString::number(width), QString::number(height)));
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return fail(error, BilingualText::of("the image list's bitmap has %1 bits per pixel",
                                             "die Bitmap der Bildliste hat %1 Bit je Pixel")
                               .arg(bpp));
    const bool bitfields = compression == kBiBitfields && (bpp == 16 || bpp == 32);
    if (compression != kBiRgb && !bitfields)
        return fail(error, BilingualText::of("the image list's bitmap is compressed (%1)",
                                             "die Bitmap der Bildliste ist komprimiert (%1)")
                               .arg(compression));
    if (headerSize > 40 && bitfields) {
        for (std::uint32_t& m : dib.masks)
            m = in.readUInt32();
        in.skip(headerSize - 52);
    } else {
        in.skip(headerSize - 40);
        if (bitfields)
            for (std::uint32_t& m : dib.masks)
                m = in.readUInt32();
    }
    if (!bitfields)
        dib.masks = bpp == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                              : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    if (bpp <= 8) {
        // The palette has an entry for every value the depth can hold, whatever the header says.
        dib.palette.resize(std::size_t{1} << bpp);
        for (QRgb& entry : dib.palette) {
            const std::uint32_t quad = in.readUInt32();
            entry = qRgb(static_cast<int>((quad >> 16) & 0xFF), static_cast<int>((quad >> 8) & 0xFF),
                         static_cast<int>(quad & 0xFF));
        }
    }
    dib.width = width;
    dib.topDown = height < 0;
    dib.height = height < 0 ? -height : height;
    dib.bpp = bpp;
    dib.stride = (static_cast<std::size_t>(width) * bpp + 31) / 32 * 4;
    const std::uint64_t size = static_cast<std::uint64_t>(dib.stride) * static_cast<std::uint64_t>(dib.height);
    if (in.ok() && size > in.remaining())
        return fail(error, BilingualText::of("the image list's bitmap needs %1 bytes of pixels, %2 are left",
                                             "die Bitmap der Bildliste braucht %1 Bytes Pixel, %2 sind übrig")
                               .arg(QString::number(size), QString::number(in.remaining())));
    dib.pixels = in.readBytes(static_cast<std::size_t>(size));
    if (!in.ok())
        return fail(error, in.error());
    return true;
}

void writeDibHeader(ArchiveWriter& out, int width, int height, int bpp, std::uint32_t paletteEntries)
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bpp) + 31) / 32 * 4;
    const std::uint32_t offset = 14 + 40 + 4 * paletteEntries;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    out.writeUInt16(kBmpMagic);
    out.writeUInt32(offset + imageSize);
    out.writeUInt32(0);
    out.writeUInt32(offset);
    out.writeUInt32(40);
    out.writeInt32(width);
    out.writeInt32(height);
    out.writeUInt16(1);
    out.writeUInt16(static_cast<std::uint16_t>(bpp));
    out.writeUInt32(kBiRgb);
    out.writeUInt32(imageSize);
    out.writeUInt32(0);
    out.writeUInt32(0);
    out.writeUInt32(paletteEntries);
    out.writeUInt32(0);
}

} // namespace

std::optional<ImageListRead> read(ArchiveReader& in, std::size_t maxImages, BilingualText& error)
{
    const std::uint16_t magic = in.readUInt16();
    const std::uint16_t version = in.readUInt16();
    const std::uint16_t current = in.readUInt16();
    in.skip(2 + 2); // capacity and growth: the bitmap tells how much is there
    const std::uint16_t cx = in.readUInt16();
    const std::uint16_t cy = in.readUInt16();
    in.skip(4); // background colour
    const std::uint16_t flags = in.readUInt16();
    in.skip(4 * 2); // overlay images
    const auto refuse = [&error](const BilingualText& why) {
        error = why;
        return std::nullopt;
    };
    if (!in.ok())
        return refuse(in.error());
    if (magic != kMagic)
        return refuse(BilingualText::of("the icons' image list does not start with \"IL\"",
                                        "die Bildliste der Icons beginnt nicht mit \"IL\""));
    if (version != kVersionTiled && (version >> 8) != 6)
        return refuse(BilingualText::of("the icons' image list has the unknown version 0x%1",
                                        "die Bildliste der Icons hat die unbekannte Version 0x%1")
                          .arg(version, 4, 16, QLatin1Char('0')));
    if (cx == 0 || cy == 0 || cx > kMaxImageSide || cy > kMaxImageSide)
        return refuse(BilingualText::of("the icons' image list holds images of %1 x %2 pixels",
                                        "die Bildliste der Icons enthält Bilder von %1 x %2 Pixeln")
                          .arg(QString::number(cx), QString::number(cy)));
    Dib colour;
    Dib mask;
    if (!readDib(in, colour, error))
        return std::nullopt;
    const bool masked = (flags & kMaskFlag) != 0;
    if (masked && !readDib(in, mask, error))
        return std::nullopt;

    // Images fill the bitmap row by row, as many to a row as fit.
    const int perRow = colour.width / cx;
    const auto fits = [&](const Dib& dib) {
        if (perRow == 0)
            return current == 0;
        const int rows = (current + perRow - 1) / perRow;
        return dib.width >= perRow * cx && static_cast<std::int64_t>(rows) * cy <= dib.height;
    };
    if (!fits(colour) || (masked && !fits(mask)))
        return refuse(BilingualText::of("the icons' image list claims %1 images that its bitmap cannot hold",
                                        "die Bildliste der Icons gibt %1 Bilder an, die ihre Bitmap nicht fasst")
                          .arg(current));

    ImageListRead result;
    result.imageCount = current;
    const std::size_t decode = std::min<std::size_t>(current, maxImages);
    for (std::size_t k = 0; k < decode; ++k) {
        const int x0 = static_cast<int>(k % static_cast<std::size_t>(perRow)) * cx;
        const int y0 = static_cast<int>(k / static_cast<std::size_t>(perRow)) * cy;
        bool anyAlpha = false;
        if (colour.bpp == 32)
            for (int y = 0; y < cy && !anyAlpha; ++y)
                for (int x = 0; x < cx && !anyAlpha; ++x)
                    anyAlpha = colour.alpha(x0 + x, y0 + y) != 0;
        QImage image(cx, cy, QImage::Format_ARGB32);
        for (int y = 0; y < cy; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < cx; ++x) {
                const bool transparent = masked && (mask.bpp == 1 ? mask.raw(x0 + x, y0 + y) != 0
                                                                  : qGray(mask.color(x0 + x, y0 + y)) > 127);
                const QRgb c = colour.color(x0 + x, y0 + y);
                const int a = transparent ? 0 : anyAlpha ? colour.alpha(x0 + x, y0 + y) : 255;
                line[x] = qRgba(qRed(c), qGreen(c), qBlue(c), a);
            }
        }
        result.images.push_back(std::move(image));
    }
    return result;
}

void write(ArchiveWriter& out, const std::vector<QImage>& images, int initialCapacity)
{
    const int count = static_cast<int>(images.size());
    const int capacity = std::max(initialCapacity + 1, count);
    const int rows = std::max(1, (capacity + 3) / 4);
    const int width = 4 * kIconSide;
    const int height = rows * kIconSide;

    out.writeUInt16(kMagic);
    out.writeUInt16(kVersionTiled);
    out.writeUInt16(static_cast<std::uint16_t>(count));
    out.writeUInt16(static_cast<std::uint16_t>(capacity));
    out.writeUInt16(4);
    out.writeUInt16(kIconSide);
    out.writeUInt16(kIconSide);
    out.writeUInt32(0xFFFFFFFF);
    out.writeUInt16(kMaskFlag | kColor24);
    for (int i = 0; i < 4; ++i)
        out.writeInt16(-1);

    std::vector<QImage> icons;
    icons.reserve(images.size());
    for (const QImage& image : images) {
        const QImage sized = image.size() == QSize(kIconSide, kIconSide)
                                 ? image
                                 : image.scaled(kIconSide, kIconSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        icons.push_back(sized.convertToFormat(QImage::Format_ARGB32));
    }
    // The pixel of the whole bitmap at (x, y) counted from the top; transparent outside images.
    const auto pixel = [&](int x, int y) -> QRgb {
        const int k = (y / kIconSide) * 4 + x / kIconSide;
        if (k >= count || icons[k].isNull())
            return qRgba(0, 0, 0, 0);
        return icons[k].pixel(x % kIconSide, y % kIconSide);
    };

    writeDibHeader(out, width, height, 24, 0);
    std::string row(static_cast<std::size_t>(width) * 3, '\0');
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const QRgb p = pixel(x, y);
            const bool transparent = qAlpha(p) < 128;
            const auto at = static_cast<std::size_t>(x) * 3;
            row[at] = static_cast<char>(transparent ? 0 : qBlue(p));
            row[at + 1] = static_cast<char>(transparent ? 0 : qGreen(p));
            row[at + 2] = static_cast<char>(transparent ? 0 : qRed(p));
        }
        out.writeBytes(row);
    }

    writeDibHeader(out, width, height, 1, 2);
    out.writeUInt32(0x00000000);
    out.writeUInt32(0x00FFFFFF);
    std::string maskRow(static_cast<std::size_t>(width) / 8, '\0');
    for (int y = height - 1; y >= 0; --y) {
        std::fill(maskRow.begin(), maskRow.end(), '\0');
        for (int x = 0; x < width; ++x)
            if (qAlpha(pixel(x, y)) < 128)
                maskRow[static_cast<std::size_t>(x) / 8] = static_cast<char>(maskRow[static_cast<std::size_t>(x) / 8] | (0x80 >> (x % 8)));
        out.writeBytes(maskRow);
    }
}

} // namespace kiv::imageList
