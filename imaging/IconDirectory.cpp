#include "imaging/IconDirectory.h"

#include "imaging/LittleEndian.h"

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

// The picture at `offset`, by its own header when it is a PNG, whose IHDR names its sides. A
// bitmap's info header the decoder checks against the entry itself.
bool pictureNameable(const LittleEndian& in, qint64 offset)
{
    if (!in.has(offset, kPngIhdrSides + 8) || QByteArrayView(in.at(offset), 8) != QByteArrayView(kPngSignature, 8))
        return true;
    return sideNameable(bigEndian(in.at(offset + kPngIhdrSides)))
        && sideNameable(bigEndian(in.at(offset + kPngIhdrSides + 4)));
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
