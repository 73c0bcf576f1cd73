#include "imaging/TiffDirectory.h"

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

std::optional<TiffDirectory> TiffDirectory::read(const LittleEndian& file, qint64 offset)
{
    const auto count = file.u16(offset);
    if (!count || !file.has(offset + 2, qint64(*count) * 12 + 4))
        return std::nullopt;
    TiffDirectory directory(file);
    directory.entries_.reserve(*count);
    for (qint64 k = 0; k < *count; ++k) {
        const qint64 at = offset + 2 + 12 * k;
        directory.entries_.push_back(
            {.tag = *file.u16(at), .type = *file.u16(at + 2), .count = *file.u32(at + 4), .fieldOffset = at + 8});
    }
    directory.next_ = *file.u32(offset + 2 + 12 * qint64(*count));
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
    const qint64 at = bytes <= 4 ? e->fieldOffset : qint64(*file_.u32(e->fieldOffset));
    if (!file_.has(at, bytes))
        return std::nullopt;
    std::vector<std::uint32_t> out(e->count);
    for (qint64 k = 0; k < e->count; ++k) {
        const qint64 p = at + k * size;
        out[size_t(k)] = size == 1 ? *file_.u8(p) : size == 2 ? *file_.u16(p) : *file_.u32(p);
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
