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
bool pictureNameable(const PictureBytes& bytes, qint64 offset)
{
    const QByteArray head = bytes.read(offset, kPngIhdrSides + 8);
    if (head.size() < kPngIhdrSides + 8 || QByteArrayView(head).first(8) != QByteArrayView(kPngSignature, 8))
        return true;
    const auto* sides = reinterpret_cast<const uchar*>(head.constData()) + kPngIhdrSides;
    return sideNameable(bigEndian(sides)) && sideNameable(bigEndian(sides + 4));
}

} // namespace

bool entriesNameable(const PictureBytes& bytes)
{
    const int count = LittleEndian(bytes.read(0, kHeaderSize)).u16(4).value_or(0);
    const QByteArray entries = bytes.read(kHeaderSize, qint64(count) * kEntrySize);
    const LittleEndian in(entries);
    for (int i = 0; i < count; ++i) {
        const auto offset = in.u32(i * kEntrySize + 12);
        if (offset && !pictureNameable(bytes, *offset))
            return false;
    }
    return true;
}

} // namespace kiv::iconDirectory
