#pragma once
// One image file directory (IFD) of a little-endian TIFF file, with its values decoded by their
// field types and every read checked against the file. The directory and each value block are
// read from the file when they are asked for.

#include "imaging/PictureBytes.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kiv {

class TiffDirectory {
public:
    enum Tag : std::uint16_t {
        kImageWidth = 256,
        kImageLength = 257,
        kBitsPerSample = 258,
        kCompression = 259,
        kPhotometric = 262,
        kStripOffsets = 273,
        kSamplesPerPixel = 277,
        kStripByteCounts = 279,
        kPlanarConfiguration = 284,
        kColorMap = 320,
    };

    // Reads the directory at `offset`; nothing when it does not lie wholly inside the file.
    static std::optional<TiffDirectory> read(const PictureBytes& file, qint64 offset);

    // Bytes of one value of a field type; 0 for unknown types.
    static int typeSize(std::uint16_t type);

    bool has(std::uint16_t tag) const { return find(tag) != nullptr; }
    // The values of an unsigned integer field (BYTE, SHORT or LONG); nothing when the tag is
    // missing, has another type, or has more than maxCount values or values outside the file.
    std::optional<std::vector<std::uint32_t>> values(std::uint16_t tag, qint64 maxCount) const;
    // The first value of an unsigned integer field, or `fallback` when the tag is missing.
    std::optional<std::uint32_t> value(std::uint16_t tag, std::uint32_t fallback) const;
    // The field type of a tag, 0 when it is missing.
    std::uint16_t type(std::uint16_t tag) const;

    std::uint32_t nextOffset() const { return next_; }

private:
    struct Entry {
        std::uint16_t tag;
        std::uint16_t type;
        std::uint32_t count;
        std::uint32_t field; // the entry's value field: the values, or where they are
    };

    TiffDirectory(const PictureBytes& file) : file_(&file) {}
    const Entry* find(std::uint16_t tag) const;

    const PictureBytes* file_;
    std::vector<Entry> entries_;
    std::uint32_t next_ = 0;
};

} // namespace kiv
