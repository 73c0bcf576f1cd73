#include "ImageBytes.h"

#include <QBuffer>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

namespace kiv::test {

Bytes& Bytes::u8(unsigned v)
{
    data_.append(char(v & 0xFF));
    return *this;
}

Bytes& Bytes::u16(unsigned v)
{
    return u8(v).u8(v >> 8);
}

Bytes& Bytes::u32(std::uint32_t v)
{
    return u16(v & 0xFFFF).u16(v >> 16);
}

Bytes& Bytes::raw(const QByteArray& b)
{
    data_.append(b);
    return *this;
}

Bytes& Bytes::fill(qsizetype count, char value)
{
    data_.append(count, value);
    return *this;
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QByteArray patched(QByteArray bytes, qsizetype at, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + i] = char(value >> (8 * i) & 0xFF);
    return bytes;
}

QByteArray makeBmp(const BmpLayout& s)
{
    const std::uint32_t tableBytes = std::uint32_t(s.colours.size() * 4 + s.masks.size() * 4);
    const std::uint32_t offset = 14 + s.infoSize + tableBytes;
    Bytes b;
    b.u16(0x4D42).u32(offset + std::uint32_t(s.pixels.size())).u16(0).u16(0).u32(offset);
    b.u32(s.infoSize).u32(std::uint32_t(s.width)).u32(std::uint32_t(s.height)).u16(unsigned(s.planes));
    b.u16(unsigned(s.bitCount)).u32(s.compression).u32(std::uint32_t(s.pixels.size())).u32(2835).u32(2835);
    b.u32(s.colourCount).u32(0);
    b.fill(qsizetype(s.infoSize) > 40 ? qsizetype(s.infoSize) - 40 : 0);
    for (std::uint32_t m : s.masks)
        b.u32(m);
    for (QRgb c : s.colours)
        b.u8(unsigned(qBlue(c))).u8(unsigned(qGreen(c))).u8(unsigned(qRed(c))).u8(0);
    b.raw(s.pixels);
    return b.data();
}

QByteArray makePcx(const PcxLayout& s)
{
    Bytes b;
    b.u8(10).u8(5).u8(s.encoded ? 1 : 0).u8(unsigned(s.bitsPerPlane));
    b.u16(0).u16(0).u16(unsigned(s.width - 1)).u16(unsigned(s.height - 1)).u16(72).u16(72);
    for (int i = 0; i < 16; ++i) {
        const QRgb c = i < int(s.headerColours.size()) ? s.headerColours[size_t(i)] : qRgb(0, 0, 0);
        b.u8(unsigned(qRed(c))).u8(unsigned(qGreen(c))).u8(unsigned(qBlue(c)));
    }
    b.u8(0).u8(unsigned(s.planes)).u16(unsigned(s.bytesPerLine)).u16(1);
    b.fill(128 - b.size());
    b.raw(s.data);
    if (s.palette) {
        b.u8(unsigned(s.paletteMarker));
        for (int i = 0; i < 256; ++i) {
            const QRgb c = i < int(s.palette->size()) ? (*s.palette)[size_t(i)] : qRgb(0, 0, 0);
            b.u8(unsigned(qRed(c))).u8(unsigned(qGreen(c))).u8(unsigned(qBlue(c)));
        }
    }
    return b.data();
}

void TiffBuilder::page(std::vector<Entry> entries, const QByteArray& pixels)
{
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.tag < b.tag; });
    pages_.push_back({std::move(entries), pixels});
}

QByteArray TiffBuilder::build(bool loopBack) const
{
    // Layout: header, then per page its pixels, its out-of-entry values and its directory.
    Bytes file;
    file.u16(0x4949).u16(42).u32(0);
    std::vector<qsizetype> directoryAt;
    std::vector<qsizetype> nextFieldAt;
    QByteArray out;
    for (const Page& p : pages_) {
        const std::uint32_t pixelsAt = std::uint32_t(file.size());
        file.raw(p.pixels);
        std::vector<std::uint32_t> fields;
        for (const Entry& e : p.entries) {
            const int size = e.type == 3 ? 2 : 4;
            std::vector<std::uint32_t> values = e.values;
            for (auto& v : values) {
                if (v == kPixelOffset)
                    v = pixelsAt;
            }
            if (values.size() * size_t(size) <= 4) {
                std::uint32_t field = 0;
                for (size_t k = 0; k < values.size(); ++k)
                    field |= values[k] << (8 * size * int(k));
                fields.push_back(field);
                continue;
            }
            if (file.size() % 2)
                file.u8(0);
            fields.push_back(std::uint32_t(file.size()));
            for (std::uint32_t v : values)
                size == 2 ? file.u16(v) : file.u32(v);
        }
        if (file.size() % 2)
            file.u8(0);
        directoryAt.push_back(file.size());
        file.u16(unsigned(p.entries.size()));
        for (size_t k = 0; k < p.entries.size(); ++k) {
            const Entry& e = p.entries[k];
            file.u16(e.tag).u16(e.type).u32(std::uint32_t(e.values.size())).u32(fields[k]);
        }
        nextFieldAt.push_back(file.size());
        file.u32(0);
    }
    out = file.data();
    auto patch = [&out](qsizetype at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k)
            out[at + k] = char(v >> (8 * k));
    };
    patch(4, std::uint32_t(directoryAt.front()));
    for (size_t k = 0; k + 1 < directoryAt.size(); ++k)
        patch(nextFieldAt[k], std::uint32_t(directoryAt[k + 1]));
    if (loopBack)
        patch(nextFieldAt.back(), std::uint32_t(directoryAt.front()));
    return out;
}

QByteArray simpleTiff(int width, int height, int samples, int bits, const QByteArray& pixels,
                      std::uint32_t compression, std::vector<TiffBuilder::Entry> extra)
{
    std::vector<TiffBuilder::Entry> entries{
        {256, 4, {std::uint32_t(width)}},
        {257, 4, {std::uint32_t(height)}},
        {258, 3, std::vector<std::uint32_t>(size_t(samples), std::uint32_t(bits))},
        {259, 3, {compression}},
        {262, 3, {samples == 3 ? 2u : 1u}},
        {273, 4, {TiffBuilder::kPixelOffset}},
        {277, 3, {std::uint32_t(samples)}},
        {279, 4, {std::uint32_t(pixels.size())}},
    };
    for (auto& e : extra) {
        std::erase_if(entries, [&e](const TiffBuilder::Entry& old) { return old.tag == e.tag; });
        entries.push_back(e);
    }
    TiffBuilder builder;
    builder.page(entries, pixels);
    return builder.build();
}

std::optional<QByteArray> netpbm(const QString& program, const QStringList& args, const QImage& image)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return std::nullopt;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray ppm = QStringLiteral("P6\n%1 %2\n255\n").arg(rgb.width()).arg(rgb.height()).toLatin1();
    for (int y = 0; y < rgb.height(); ++y)
        ppm.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3);
    QProcess process;
    process.start(program, args);
    process.write(ppm);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

QImage testPattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 37 + y) & 0xFF, (y * 53 + x * 3) & 0xFF, (x * y + 11) & 0xFF));
    }
    return image;
}

} // namespace kiv::test
