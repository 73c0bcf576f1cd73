#include "platform/ArchiveWriter.h"

#include <bit>

namespace kiv {

namespace {

template <typename Unsigned>
void appendLittleEndian(QByteArray& bytes, Unsigned value)
{
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

void ArchiveWriter::writeUInt8(std::uint8_t value)
{
    appendLittleEndian(bytes_, value);
}

void ArchiveWriter::writeUInt16(std::uint16_t value)
{
    appendLittleEndian(bytes_, value);
}

void ArchiveWriter::writeUInt32(std::uint32_t value)
{
    appendLittleEndian(bytes_, value);
}

void ArchiveWriter::writeUInt64(std::uint64_t value)
{
    appendLittleEndian(bytes_, value);
}

void ArchiveWriter::writeFloat(float value)
{
    writeUInt32(std::bit_cast<std::uint32_t>(value));
}

void ArchiveWriter::writeDouble(double value)
{
    writeUInt64(std::bit_cast<std::uint64_t>(value));
}

void ArchiveWriter::writeRect(const ArchiveRect& rect)
{
    writeInt32(rect.left);
    writeInt32(rect.top);
    writeInt32(rect.right);
    writeInt32(rect.bottom);
}

void ArchiveWriter::writeBytes(std::string_view bytes)
{
    bytes_.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void ArchiveWriter::writeString(std::string_view text)
{
    const std::uint64_t length = text.size();
    if (length < 0xFF) {
        writeUInt8(static_cast<std::uint8_t>(length));
    } else {
        writeUInt8(0xFF);
        if (length < 0xFFFE) {
            writeUInt16(static_cast<std::uint16_t>(length));
        } else {
            writeUInt16(0xFFFF);
            if (length < 0xFFFFFFFF) {
                writeUInt32(static_cast<std::uint32_t>(length));
            } else {
                writeUInt32(0xFFFFFFFF);
                writeUInt64(length);
            }
        }
    }
    writeBytes(text);
}

void ArchiveWriter::writeTextLine(std::string_view text)
{
    writeBytes(text);
    bytes_.append('\n');
}

} // namespace kiv
