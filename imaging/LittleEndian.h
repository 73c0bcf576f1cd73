#pragma once
// Bounds-checked little-endian reads from a file held in memory. A read that would leave the
// bytes returns nothing, so a reader can never look past the end of a short or lying file.

#include <QByteArrayView>

#include <cstdint>
#include <optional>

namespace kiv {

class LittleEndian {
public:
    explicit LittleEndian(QByteArrayView bytes) : bytes_(bytes) {}

    qint64 size() const { return bytes_.size(); }
    bool has(qint64 offset, qint64 count) const
    {
        return offset >= 0 && count >= 0 && offset <= size() && count <= size() - offset;
    }
    const uchar* at(qint64 offset) const { return reinterpret_cast<const uchar*>(bytes_.data()) + offset; }
    // The bytes [offset, offset + count), which the caller has made sure are there (has()).
    LittleEndian sliced(qint64 offset, qint64 count) const { return LittleEndian(bytes_.sliced(offset, count)); }

    std::optional<std::uint8_t> u8(qint64 offset) const
    {
        if (!has(offset, 1))
            return std::nullopt;
        return *at(offset);
    }
    std::optional<std::uint16_t> u16(qint64 offset) const
    {
        if (!has(offset, 2))
            return std::nullopt;
        const uchar* p = at(offset);
        return std::uint16_t(p[0] | p[1] << 8);
    }
    std::optional<std::uint32_t> u32(qint64 offset) const
    {
        if (!has(offset, 4))
            return std::nullopt;
        const uchar* p = at(offset);
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    }
    std::optional<std::int32_t> i32(qint64 offset) const
    {
        const auto v = u32(offset);
        if (!v)
            return std::nullopt;
        return std::int32_t(*v);
    }

private:
    QByteArrayView bytes_;
};

} // namespace kiv
