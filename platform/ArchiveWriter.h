#pragma once
// Writes the class library's binary archive format that the settings archives use:
// little-endian numbers packed byte by byte, strings with a length prefix, text lines ended by LF.
// The bytes collect in memory; callers hand them to AtomicFile.

#include "platform/ArchiveRect.h"

#include <QByteArray>

#include <cstdint>
#include <string_view>

namespace kiv {

class ArchiveWriter {
public:
    void writeUInt8(std::uint8_t value);
    void writeUInt16(std::uint16_t value);
    void writeUInt32(std::uint32_t value);
    void writeUInt64(std::uint64_t value);
    void writeInt8(std::int8_t value) { writeUInt8(static_cast<std::uint8_t>(value)); }
    void writeInt16(std::int16_t value) { writeUInt16(static_cast<std::uint16_t>(value)); }
    void writeInt32(std::int32_t value) { writeUInt32(static_cast<std::uint32_t>(value)); }
    void writeInt64(std::int64_t value) { writeUInt64(static_cast<std::uint64_t>(value)); }
    void writeFloat(float value);
    void writeDouble(double value);
    void writeRect(const ArchiveRect& rect);
    // Raw bytes, no prefix.
    void writeBytes(std::string_view bytes);
    // 8-bit text with its length prefix: one byte below 255; else 0xFF and two bytes below
    // 0xFFFE; else 0xFF, 0xFFFF and four bytes below 0xFFFFFFFF; else also 0xFFFFFFFF and eight.
    void writeString(std::string_view text);
    // The text and one LF, no prefix.
    void writeTextLine(std::string_view text);

    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

} // namespace kiv
