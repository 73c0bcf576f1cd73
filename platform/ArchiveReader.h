#pragma once
// Reads the class library's binary archive format (see ArchiveWriter) from bytes in memory.
// Every read is checked against the bytes left. The first read that cannot be satisfied puts
// the reader into a lasting error state: it and every later read return zero or empty, nothing
// is read past the end, and nothing is allocated beyond what the remaining input can fill.

#include "platform/ArchiveRect.h"
#include "platform/LanguageText.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

class ArchiveReader {
public:
    // The bytes must outlive the reader.
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}

    std::uint8_t readUInt8();
    std::uint16_t readUInt16();
    std::uint32_t readUInt32();
    std::uint64_t readUInt64();
    std::int8_t readInt8() { return static_cast<std::int8_t>(readUInt8()); }
    std::int16_t readInt16() { return static_cast<std::int16_t>(readUInt16()); }
    std::int32_t readInt32() { return static_cast<std::int32_t>(readUInt32()); }
    std::int64_t readInt64() { return static_cast<std::int64_t>(readUInt64()); }
    float readFloat();
    double readDouble();
    ArchiveRect readRect();
    // Exactly count raw bytes.
    std::string readBytes(std::size_t count);
    void skip(std::size_t count);
    // A string with its length prefix. A string marked as UTF-16 (0xFF, 0xFEFF, then the length
    // again) is returned as Latin-1, characters beyond it as '?'.
    std::string readString();
    // A text line up to LF (a CR before it dropped); false at the end of the bytes, which is not
    // an error.
    bool readTextLine(std::string& line);

    bool ok() const { return error_.isEmpty(); }
    // Why reading failed, with the byte offset where it did; empty while ok.
    const BilingualText& error() const { return error_; }
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    bool atEnd() const { return remaining() == 0; }

private:
    // The next count bytes, or an empty view and the error state when fewer are left.
    // what: the item being read, English ("a byte") and German ("einem Byte").
    std::string_view take(std::size_t count, const char* whatEnglish, const char* whatGerman);
    template <typename Unsigned>
    Unsigned readLittleEndian(const char* whatEnglish, const char* whatGerman);
    std::uint64_t readStringLength(bool allowUnicodeMarker, bool& unicode);

    std::string_view bytes_;
    std::size_t position_ = 0;
    BilingualText error_;
};

} // namespace kiv
