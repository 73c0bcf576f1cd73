#include "imaging/MetafileCheck.h"

#include "imaging/Dib.h"
#include "imaging/LittleEndian.h"
#include "imaging/PictureBudget.h"

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
constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"

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
// the bitmap's info header block, then the offset and size of its bits. The two brush records are
// packed: the library takes their info header and bits as one block from the info header on.
constexpr struct {
    std::uint32_t type;
    qint64 fields;
    bool packed = false;
} kEmfBitmaps[] = {
    {76, 84}, {77, 84}, {78, 84}, {78, 112}, {79, 96}, {79, 124}, {80, 48},
    {81, 48}, {93, 16, true}, {94, 16, true}, {95, 12}, {114, 84}, {116, 84},
};
constexpr qint64 kBitmapInfoHeaderSize = 40;
constexpr std::uint32_t kBitmapUncompressed = 0;
constexpr std::uint32_t kBitmapBitfields = 3;

// Entries of the colour table after a bitmap's info header, the three channel masks included.
qint64 colourEntries(const LittleEndian& header)
{
    const int bitCount = *header.u16(14);
    const qint64 used = *header.u32(32);
    return (used ? used : bitCount >= 1 && bitCount <= 8 ? qint64(1) << bitCount : 0)
        + (*header.u32(16) == kBitmapBitfields ? 3 : 0);
}

// A bitmap whose info header and colour table make up `info` and whose rows take `bitsBytes`: a
// 40-byte info header, of sides the pixel budget allows, uncompressed, with every colour it names
// in the table and every row it names in the bits. The libraries convert a bitmap by the numbers
// of a 40-byte header alone, whatever size it gives itself, and cannot draw compressed ones: their
// run-length decoders overrun a short last row.
bool bitmapIsSound(const LittleEndian& info, qint64 bitsBytes)
{
    if (info.size() < kBitmapInfoHeaderSize || info.u32(0) != kBitmapInfoHeaderSize)
        return false;
    const qint64 width = qint32(*info.u32(4));
    const qint64 height = std::abs(qint64(qint32(*info.u32(8))));
    const int bitCount = *info.u16(14);
    const std::uint32_t compression = *info.u32(16);
    const bool depthKnown =
        bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
    return pictureSizeAllowed(width, height) && width * height <= pictureBudget::kMetafilePixels
        && colourEntries(info) <= (info.size() - kBitmapInfoHeaderSize) / 4
        && (compression == kBitmapUncompressed || compression == kBitmapBitfields) && depthKnown
        && dwordStride(width, bitCount) * height <= bitsBytes;
}

// An EMF record's bitmap, when it has one: its info block and its bits lie inside the record after
// its fixed fields.
bool emfBitmapIsSound(const LittleEndian& record, qint64 fields, qint64 fixedFields, bool packed)
{
    const qint64 infoAt = *record.u32(fields);
    const qint64 infoBytes = *record.u32(fields + 4);
    const qint64 bitsAt = *record.u32(fields + 8);
    const qint64 bitsBytes = *record.u32(fields + 12);
    if (!infoBytes && !bitsBytes)
        return true;
    const qint64 size = record.size();
    if (!inRecord(infoAt, infoBytes, fixedFields, size) || !inRecord(bitsAt, bitsBytes, fixedFields, size))
        return false;
    if (packed && (infoAt + infoBytes > bitsAt || bitsBytes > size - infoAt))
        return false;
    return bitmapIsSound(record.sliced(infoAt, infoBytes), bitsBytes);
}

// The WMF records that carry a packed bitmap (info header, colour table, rows), and where it starts
// in the record. The two blits also have a form without a bitmap, but the player reads a bitmap
// from every blit, past the record's end if need be, so that form is refused too.
constexpr struct {
    std::uint16_t function;
    qint64 bitmapAt;
} kWmfBitmaps[] = {
    {0x0940, 22}, // DIBBITBLT
    {0x0B41, 26}, // DIBSTRETCHBLT
    {0x0F43, 28}, // STRETCHDIB
    {0x0D33, 24}, // SETDIBTODEV
    {0x0142, 10}, // DIBCREATEPATTERNBRUSH
};

// A WMF record's bitmap: an info header, its colour table after it and its rows after that, all
// inside the record.
bool wmfBitmapIsSound(const LittleEndian& record, qint64 bitmapAt)
{
    const qint64 size = record.size();
    if (!record.has(bitmapAt, kBitmapInfoHeaderSize))
        return false;
    const qint64 infoBytes = kBitmapInfoHeaderSize + colourEntries(record.sliced(bitmapAt, kBitmapInfoHeaderSize)) * 4;
    if (infoBytes > size - bitmapAt)
        return false;
    return bitmapIsSound(record.sliced(bitmapAt, infoBytes), size - bitmapAt - infoBytes);
}

} // namespace

bool isEmf(QByteArrayView bytes)
{
    const LittleEndian in(bytes);
    return in.u32(0) == kEmfHeaderRecord && in.u32(40) == kEmfSignature;
}

bool recognises(QByteArrayView bytes)
{
    const LittleEndian in(bytes);
    if (isEmf(bytes) || in.u32(0) == kPlaceableKey)
        return true;
    // A plain WMF header: memory or disk metafile, nine words long, version 1 or 3.
    const auto type = in.u16(0);
    const auto version = in.u16(4);
    return (type == 1 || type == 2) && in.u16(2) == 9 && (version == 0x0100 || version == 0x0300);
}

qint64 namedSize(QByteArrayView head)
{
    const LittleEndian in(head);
    if (isEmf(head))
        return in.u32(48).value_or(0);
    const qint64 start = in.u32(0) == kPlaceableKey ? kPlaceableSize : 0;
    const auto words = in.u32(start + 6);
    return words ? start + qint64(*words) * 2 : 0;
}

bool isSound(QByteArrayView bytes)
{
    return isEmf(bytes) ? emfIsSound(bytes) : wmfIsSound(bytes);
}

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
        // The player ends only at a three-word end record and plays on past any longer one.
        if (function == kWmfEndOfFile && words == kWmfSmallestRecordWords)
            return *objects <= records;
        const LittleEndian record = in.sliced(at, qint64(words) * 2);
        for (const auto& bitmap : kWmfBitmaps) {
            if (bitmap.function == function && !wmfBitmapIsSound(record, bitmap.bitmapAt))
                return false;
        }
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
        const LittleEndian record = in.sliced(at, size);
        for (const auto& bitmap : kEmfBitmaps) {
            if (bitmap.type == type && !emfBitmapIsSound(record, bitmap.fields, emfFixedFields(type), bitmap.packed))
                return false;
        }
        if (type == kEmfEndOfFile)
            return records + 1 == qint64(*recordCount) && at + size == end;
        at += size;
    }
    return false;
}

} // namespace kiv::metafileCheck
