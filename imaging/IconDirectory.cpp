#include "imaging/IconDirectory.h"

#include "imaging/LittleEndian.h"

#include <cstdlib>

namespace kiv::iconDirectory {

namespace {

constexpr qint64 kHeaderSize = 6;
constexpr qint64 kEntrySize = 16;
constexpr qint64 kPngIhdrSides = 16; // width and height, big-endian, after signature and chunk head
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

std::uint32_t bigEndian(const uchar* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | std::uint32_t(p[3]);
}

bool sideNameable(qint64 side) { return side <= kMaxSide; }

// The picture at `offset`, by its own header: a PNG's IHDR, or a bitmap's info header, whose
// height counts the colour rows and the mask rows.
bool pictureNameable(const LittleEndian& in, qint64 offset)
{
    if (in.has(offset, kPngIhdrSides + 8) && QByteArrayView(in.at(offset), 8) == QByteArrayView(kPngSignature, 8))
        return sideNameable(bigEndian(in.at(offset + kPngIhdrSides)))
            && sideNameable(bigEndian(in.at(offset + kPngIhdrSides + 4)));
    const auto width = in.i32(offset + 4);
    const auto height = in.i32(offset + 8);
    if (!width || !height)
        return true;
    return sideNameable(std::abs(qint64(*width))) && sideNameable(std::abs(qint64(*height)) / 2);
}

} // namespace

bool entriesNameable(QByteArrayView bytes)
{
    const LittleEndian in(bytes);
    const int count = in.u16(4).value_or(0);
    for (int i = 0; i < count; ++i) {
        const auto offset = in.u32(kHeaderSize + i * kEntrySize + 12);
        if (offset && !pictureNameable(in, *offset))
            return false;
    }
    return true;
}

} // namespace kiv::iconDirectory
