#include "imaging/TiffDirectory.h"

#include "imaging/LittleEndian.h"

namespace kiv {

namespace {

constexpr std::uint16_t kByte = 1, kShort = 3, kLong = 4;

} // namespace

int TiffDirectory::typeSize(std::uint16_t type)
{
    switch (type) {
    case 1: case 2: case 6: case 7:
        return 1;
    case 3: case 8:
        return 2;
    case 4: case 9: case 11:
        return 4;
    case 5: case 10: case 12:
        return 8;
    default:
        return 0;
    }
}

std::optional<TiffDirectory> TiffDirectory::read(const PictureBytes& file, qint64 offset)
{
    const QByteArray head = file.read(offset, 2);
    const auto count = LittleEndian(head).u16(0);
    const qint64 size = qint64(count.value_or(0)) * 12 + 4;
    const QByteArray block = count ? file.read(offset + 2, size) : QByteArray();
    if (block.size() != size)
        return std::nullopt;
    const LittleEndian in(block);
    TiffDirectory directory(file);
    directory.entries_.reserve(*count);
    for (qint64 k = 0; k < *count; ++k) {
        const qint64 at = 12 * k;
        directory.entries_.push_back({.tag = *in.u16(at),
                                      .type = *in.u16(at + 2),
                                      .count = *in.u32(at + 4),
                                      .field = *in.u32(at + 8)});
    }
    directory.next_ = *in.u32(12 * qint64(*count));
    return directory;
}

const TiffDirectory::Entry* TiffDirectory::find(std::uint16_t tag) const
{
    for (const Entry& e : entries_) {
        if (e.tag == tag)
            return &e;
    }
    return nullptr;
}

std::uint16_t TiffDirectory::type(std::uint16_t tag) const
{
    const Entry* e = find(tag);
    return e ? e->type : 0;
}

std::optional<std::vector<std::uint32_t>> TiffDirectory::values(std::uint16_t tag, qint64 maxCount) const
{
    const Entry* e = find(tag);
    if (!e || (e->type != kByte && e->type != kShort && e->type != kLong) || e->count == 0 || e->count > maxCount)
        return std::nullopt;
    const int size = typeSize(e->type);
    const qint64 bytes = qint64(e->count) * size;
    // Values of four bytes or fewer stand in the entry itself.
    const char field[4] = {char(e->field), char(e->field >> 8), char(e->field >> 16), char(e->field >> 24)};
    const QByteArray block = bytes <= 4 ? QByteArray(field, 4) : file_->read(e->field, bytes);
    if (block.size() < bytes)
        return std::nullopt;
    const LittleEndian in(block);
    std::vector<std::uint32_t> out(e->count);
    for (qint64 k = 0; k < e->count; ++k) {
        const qint64 p = k * size;
        out[size_t(k)] = size == 1 ? *in.u8(p) : size == 2 ? *in.u16(p) : *in.u32(p);
    }
    return out;
}

std::optional<std::uint32_t> TiffDirectory::value(std::uint16_t tag, std::uint32_t fallback) const
{
    if (!has(tag))
        return fallback;
    const auto v = values(tag, 16);
    if (!v)
        return std::nullopt;
    return v->front();
}

} // namespace kiv
