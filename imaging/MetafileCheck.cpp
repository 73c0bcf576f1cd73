#include "imaging/MetafileCheck.h"

#include "imaging/LittleEndian.h"

namespace kiv::metafileCheck {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr qint64 kPlaceableSize = 22;
constexpr qint64 kWmfHeaderSize = 18;
constexpr std::uint32_t kWmfSmallestRecordWords = 3; // size and function
constexpr std::uint16_t kWmfEndOfFile = 0x0000;

constexpr qint64 kEmfSmallestHeader = 88;
constexpr qint64 kEmfSmallestRecord = 8; // type and size
constexpr std::uint32_t kEmfEndOfFile = 14;

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
    if (end != in.size() || *headerSize < kEmfSmallestHeader || *headerSize > end || *headerSize % 4 != 0)
        return false;
    // Handle 0 stands for the metafile itself; every other handle needs a record that makes it.
    if (*handles > qint64(*recordCount) + 1)
        return false;
    qint64 records = 0;
    for (qint64 at = 0; in.has(at, kEmfSmallestRecord) && records < qint64(*recordCount); ++records) {
        const std::uint32_t type = *in.u32(at);
        const std::uint32_t size = *in.u32(at + 4);
        if (size < kEmfSmallestRecord || size % 4 != 0 || size > end - at)
            return false;
        if (type == kEmfEndOfFile)
            return records + 1 == qint64(*recordCount) && at + size == end;
        at += size;
    }
    return false;
}

} // namespace kiv::metafileCheck
