#include "platform/ArchiveReader.h"

#include "platform/LineReader.h"

#include <bit>

namespace kiv {

namespace {

constexpr std::uint16_t kUnicodeMarker = 0xFFFE;

} // namespace

std::string_view ArchiveReader::take(std::size_t count, const char* whatEnglish, const char* whatGerman)
{
    if (!ok())
        return {};
    if (count > remaining()) {
        const QString at = QString::number(position_), size = QString::number(count),
                      left = QString::number(remaining());
        error_ = {QStringLiteral("the archive ends at byte %1 inside %2 of %3 bytes (%4 left)")
                      .arg(at, QString::fromUtf8(whatEnglish), size, left),
                  QStringLiteral("das Archiv endet bei Byte %1 in %2 von %3 Bytes (%4 übrig)")
                      .arg(at, QString::fromUtf8(whatGerman), size, left)};
        return {};
    }
    const std::string_view bytes = bytes_.substr(position_, count);
    position_ += count;
    return bytes;
}

template <typename Unsigned>
Unsigned ArchiveReader::readLittleEndian(const char* whatEnglish, const char* whatGerman)
{
    const std::string_view bytes = take(sizeof(Unsigned), whatEnglish, whatGerman);
    Unsigned value = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        value |= static_cast<Unsigned>(static_cast<Unsigned>(static_cast<unsigned char>(bytes[i])) << (8 * i));
    return value;
}

std::uint8_t ArchiveReader::readUInt8()
{
    return readLittleEndian<std::uint8_t>("a byte", "einem Byte");
}

std::uint16_t ArchiveReader::readUInt16()
{
    return readLittleEndian<std::uint16_t>("a 16-bit number", "einer 16-Bit-Zahl");
}

std::uint32_t ArchiveReader::readUInt32()
{
    return readLittleEndian<std::uint32_t>("a 32-bit number", "einer 32-Bit-Zahl");
}

std::uint64_t ArchiveReader::readUInt64()
{
    return readLittleEndian<std::uint64_t>("a 64-bit number", "einer 64-Bit-Zahl");
}

float ArchiveReader::readFloat()
{
    return std::bit_cast<float>(readLittleEndian<std::uint32_t>("a float", "einer Gleitkommazahl"));
}

double ArchiveReader::readDouble()
{
    return std::bit_cast<double>(readLittleEndian<std::uint64_t>("a double", "einer doppelt genauen Gleitkommazahl"));
}

ArchiveRect ArchiveReader::readRect()
{
    ArchiveRect rect;
    rect.left = readInt32();
    rect.top = readInt32();
    rect.right = readInt32();
    rect.bottom = readInt32();
    return ok() ? rect : ArchiveRect{};
}

std::string ArchiveReader::readBytes(std::size_t count)
{
    return std::string(take(count, "a block", "einem Block"));
}

void ArchiveReader::skip(std::size_t count)
{
    take(count, "a block", "einem Block");
}

std::uint64_t ArchiveReader::readStringLength(bool allowUnicodeMarker, bool& unicode)
{
    const std::uint8_t length8 = readUInt8();
    if (length8 < 0xFF)
        return length8;
    const std::uint16_t length16 = readUInt16();
    if (allowUnicodeMarker && length16 == kUnicodeMarker) {
        unicode = true;
        return readStringLength(false, unicode);
    }
    if (length16 < 0xFFFF)
        return length16;
    const std::uint32_t length32 = readUInt32();
    if (length32 < 0xFFFFFFFF)
        return length32;
    return readUInt64();
}

std::string ArchiveReader::readString()
{
    bool unicode = false;
    const std::uint64_t length = readStringLength(true, unicode);
    const std::size_t unit = unicode ? 2 : 1;
    if (ok() && length > remaining() / unit) {
        error_ = BilingualText::of("a string at byte %1 claims %2 characters of %3 bytes, but only %4 bytes are left",
                                   "eine Zeichenkette bei Byte %1 gibt %2 Zeichen zu %3 Bytes an, aber nur %4 Bytes "
                                   "sind übrig")
                     .arg(QString::number(position_), QString::number(length), QString::number(unit),
                          QString::number(remaining()));
        return {};
    }
    const std::string_view bytes = take(static_cast<std::size_t>(length) * unit, "a string", "einer Zeichenkette");
    if (!unicode)
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned code = static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
        text.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
    }
    return text;
}

bool ArchiveReader::readTextLine(std::string& line)
{
    line.clear();
    if (!ok())
        return false;
    // The remaining bytes bound the line; nothing needs cutting.
    LineReader reader(bytes_.substr(position_), remaining());
    if (!reader.readLine(line))
        return false;
    position_ += reader.bytesConsumed();
    return true;
}

} // namespace kiv
