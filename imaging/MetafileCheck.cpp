#include "imaging/MetafileCheck.h"

#include "imaging/Dib.h"
#include "imaging/LittleEndian.h"
#include "imaging/Metafile.h"

#include <algorithm>
#include <array>

namespace kiv::metafileCheck {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr qint64 kPlaceableSize = 22;
constexpr qint64 kWmfHeaderSize = 18;
constexpr std::uint32_t kWmfSmallestRecordWords = 3; // size and function
constexpr std::uint16_t kWmfEndOfFile = 0x0000;

constexpr qint64 kEmfSmallestHeader = 88;
constexpr qint64 kEmfHeaderWithPixelFormat = 100; // adds the pixel format's size and offset
constexpr qint64 kEmfHeaderWithMicrometers = 108; // adds the device size in micrometres
constexpr qint64 kPixelFormatDescriptorSize = 40;
constexpr qint64 kEmfSmallestRecord = 8; // type and size
constexpr std::uint32_t kEmfHeaderRecord = 1;
constexpr std::uint32_t kEmfEndOfFile = 14;

// The fixed fields of the record types 1 to 122, in bytes: libemf2svg reads them whatever a
// record's size says. It passes over records of other types.
constexpr std::array<std::uint16_t, 122> kEmfFixedFields = {
    88, 28, 28, 28, 28, 28, 32, 32, 16, 16, // 1-10
    16, 16, 16, 16, 20, 12, 12, 12, 12, 12, // 11-20
    12, 12, 32, 12, 12, 16, 16, 8, 24, 24, // 21-30
    24, 24, 8, 12, 32, 36, 12, 28, 24, 12, // 31-40
    28, 24, 24, 32, 40, 40, 40, 12, 16, 20, // 41-50
    16, 8, 24, 16, 40, 28, 12, 12, 8, 8, // 51-60
    8, 24, 24, 24, 8, 8, 12, 8, 8, 12, // 61-70
    32, 40, 28, 28, 16, 100, 108, 128, 140, 76, // 71-80
    80, 104, 56, 56, 28, 28, 28, 28, 28, 32, // 81-90
    32, 28, 32, 32, 52, 40, 40, 12, 340, 12, // 91-100
    12, 12, 28, 48, 12, 12, 8, 36, 8, 16, // 101-110
    8, 8, 8, 108, 12, 108, 8, 36, 8, 8, // 111-120
    24, 604, // 121-122
};

qint64 emfFixedFields(std::uint32_t type)
{
    return type >= 1 && type <= kEmfFixedFields.size() ? kEmfFixedFields[type - 1] : kEmfSmallestRecord;
}

// A block of [offset, offset + length) bytes lies inside a record, after its fixed fields.
bool inRecord(qint64 offset, qint64 length, qint64 fixedFields, qint64 recordSize)
{
    return offset >= fixedFields && length <= recordSize - offset;
}

// The header's description and pixel format, when given, lie inside the header record. The two
// later header fields exist only where the record is long enough and the description does not
// start yet. libemf2svg reads the description as two strings: the first up to its terminator, then
// the description's whole length again from there on, so that terminator and that second read
// are bounded too.
bool emfHeaderBlocksAreSound(const LittleEndian& in, qint64 headerSize, qint64 end)
{
    const qint64 descriptionUnits = *in.u32(60);
    const qint64 descriptionAt = *in.u32(64);
    qint64 fixedFields = std::min(headerSize, kEmfHeaderWithMicrometers);
    if (descriptionUnits || descriptionAt) {
        if (!descriptionUnits || !inRecord(descriptionAt, descriptionUnits * 2, kEmfSmallestHeader, headerSize))
            return false;
        qint64 firstUnits = 0;
        while (firstUnits < descriptionUnits && *in.u16(descriptionAt + firstUnits * 2) != 0)
            ++firstUnits;
        if (firstUnits == descriptionUnits || descriptionAt + (firstUnits + 1 + descriptionUnits) * 2 > end)
            return false;
        fixedFields = std::min(fixedFields, descriptionAt);
    }
    if (fixedFields < kEmfHeaderWithPixelFormat)
        return true;
    const qint64 pixelFormatBytes = *in.u32(88);
    const qint64 pixelFormatAt = *in.u32(92);
    return (!pixelFormatBytes && !pixelFormatAt)
        || (pixelFormatBytes >= kPixelFormatDescriptorSize
            && inRecord(pixelFormatAt, pixelFormatBytes, fixedFields, headerSize));
}

// The records that carry bitmaps, and where each keeps its four fields: the offset and size of
// the bitmap's info header block, then the offset and size of its bits.
constexpr struct {
    std::uint32_t type;
    qint64 fields;
} kEmfBitmaps[] = {
    {76, 84}, {77, 84}, {78, 84}, {78, 112}, {79, 96}, {79, 124}, {80, 48},
    {81, 48}, {93, 16}, {94, 16}, {95, 12}, {114, 84}, {116, 84},
};
constexpr qint64 kBitmapInfoHeaderSize = 40;
constexpr std::uint32_t kBitmapUncompressed = 0;
constexpr std::uint32_t kBitmapBitfields = 3;

// A record's bitmap, when it has one, lies inside the record after its fixed fields, its colour
// table inside its info header block, and its bits hold every row that the info header names:
// libemf2svg converts a bitmap by the info header's numbers alone.
bool emfBitmapIsSound(const LittleEndian& record, qint64 fields, qint64 fixedFields)
{
    const qint64 infoAt = *record.u32(fields);
    const qint64 infoBytes = *record.u32(fields + 4);
    const qint64 bitsAt = *record.u32(fields + 8);
    const qint64 bitsBytes = *record.u32(fields + 12);
    if (!infoBytes && !bitsBytes)
        return true;
    const qint64 size = record.size();
    if (infoBytes < kBitmapInfoHeaderSize || !inRecord(infoAt, infoBytes, fixedFields, size)
        || !inRecord(bitsAt, bitsBytes, fixedFields, size))
        return false;
    const qint64 width = qint32(*record.u32(infoAt + 4));
    const qint64 height = std::abs(qint64(qint32(*record.u32(infoAt + 8))));
    const int bitCount = *record.u16(infoAt + 14);
    const std::uint32_t compression = *record.u32(infoAt + 16);
    const qint64 coloursUsed = *record.u32(infoAt + 32);
    const qint64 colours = (coloursUsed ? coloursUsed : bitCount >= 1 && bitCount <= 8 ? qint64(1) << bitCount : 0)
        + (compression == kBitmapBitfields ? 3 : 0);
    if (!pictureSizeAllowed(width, height) || width * height > Metafile::kMaxPixels
        || colours > (infoBytes - kBitmapInfoHeaderSize) / 4)
        return false;
    if (compression != kBitmapUncompressed && compression != kBitmapBitfields)
        return true;
    const bool depthKnown =
        bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
    return depthKnown && dwordStride(width, bitCount) * height <= bitsBytes;
}

} // namespace

bool wmfIsSound(QByteArrayView bytes)
{
    const qint64 start = LittleEndian(bytes).u32(0) == kPlaceableKey ? kPlaceableSize : 0;
    const LittleEndian in(bytes.sliced(std::min<qint64>(start, bytes.size())));
    const auto headerWords = in.u16(2);
    const auto fileWords = in.u32(6);
    const auto objects = in.u16(10);
    const auto largestWords = in.u32(12);
    if (!headerWords || !fileWords || !objects || !largestWords || *headerWords * 2 != kWmfHeaderSize)
        return false;
    // The size fields: the metafile lies within the file, its largest record within the metafile.
    const qint64 end = qint64(*fileWords) * 2;
    if (end < kWmfHeaderSize || end > in.size() || *largestWords < kWmfSmallestRecordWords
        || qint64(*largestWords) * 2 > end - kWmfHeaderSize)
        return false;
    qint64 records = 0;
    for (qint64 at = kWmfHeaderSize; in.has(at, 6) && at + 6 <= end; ++records) {
        const std::uint32_t words = *in.u32(at);
        const std::uint16_t function = *in.u16(at + 4);
        if (words < kWmfSmallestRecordWords || words > *largestWords || qint64(words) * 2 > end - at)
            return false;
        if (function == kWmfEndOfFile)
            return *objects <= records;
        at += qint64(words) * 2;
    }
    return false;
}

bool emfIsSound(QByteArrayView bytes)
{
    const LittleEndian in(bytes);
    const auto headerSize = in.u32(4);
    const auto fileBytes = in.u32(48);
    const auto recordCount = in.u32(52);
    const auto handles = in.u16(56);
    if (!headerSize || !fileBytes || !recordCount || !handles)
        return false;
    const qint64 end = *fileBytes;
    if (end != in.size() || *headerSize < kEmfSmallestHeader || *headerSize > end || *headerSize % 4 != 0
        || !emfHeaderBlocksAreSound(in, *headerSize, end))
        return false;
    // Handle 0 stands for the metafile itself; every other handle needs a record that makes it.
    if (*handles > qint64(*recordCount) + 1)
        return false;
    qint64 records = 0;
    for (qint64 at = 0; in.has(at, kEmfSmallestRecord) && records < qint64(*recordCount); ++records) {
        const std::uint32_t type = *in.u32(at);
        const std::uint32_t size = *in.u32(at + 4);
        if (size < emfFixedFields(type) || size % 4 != 0 || size > end - at)
            return false;
        // A second header would bring a description and pixel format that nothing checked.
        if ((type == kEmfHeaderRecord) != (at == 0))
            return false;
        const LittleEndian record(bytes.sliced(at, size));
        for (const auto& bitmap : kEmfBitmaps) {
            if (bitmap.type == type && !emfBitmapIsSound(record, bitmap.fields, emfFixedFields(type)))
                return false;
        }
        if (type == kEmfEndOfFile)
            return records + 1 == qint64(*recordCount) && at + size == end;
        at += size;
    }
    return false;
}

} // namespace kiv::metafileCheck
