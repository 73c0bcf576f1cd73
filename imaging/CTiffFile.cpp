#include "imaging/CTiffFile.h"

#include "imaging/Dib.h"
#include "imaging/LittleEndian.h"
#include "imaging/TiffDirectory.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>

namespace kiv {

namespace {

constexpr std::uint32_t kNoCompression = 1, kPackBits = 32773;
constexpr std::uint32_t kWhiteIsZero = 0;
// A PackBits run of two bytes gives at most 128 bytes.
constexpr qint64 kPackBitsGain = 64;
// The most bytes of PackBits for one byte of a row: a literal of one. Every code but the no-op
// gives at least one byte in at most two, so a valid encoding of a row of n bytes takes at most
// 2n; a code is begun only below that, and its longest form (a literal of 128 bytes, 129 with its
// count) may run past the row's end, so that a row reads at most 2n + 128 bytes.
constexpr qint64 kMostCodeBytes = 2;

ReaderMessage notValid(const QString& name)
{
    return {.caption = QStringLiteral("Not a valid TIFF - File"), .text = name, .beep = true};
}

ReaderMessage unsupportedCompression()
{
    return {.caption = QStringLiteral("ERROR"), .text = QStringLiteral("Not Supported compression scheme")};
}

ReaderMessage nextPageQuestion()
{
    return {.caption = QStringLiteral(" Question"),
            .text = QStringLiteral("Ok, to load the next picture, stored in the TIFF file ?")};
}

enum class PageError { None, NotValid, Compression, OverBudget };

ReaderMessage pageMessage(PageError error, const QString& name)
{
    switch (error) {
    case PageError::Compression:
        return unsupportedCompression();
    case PageError::OverBudget:
        return overBudgetMessage();
    default:
        return notValid(name);
    }
}

struct Strips {
    std::vector<std::uint32_t> offsets;
    std::vector<std::uint32_t> counts;
};

bool isShortOrLong(std::uint16_t type)
{
    return type == 3 || type == 4;
}

std::optional<Strips> readStrips(const TiffDirectory& dir, const PictureBytes& in, qint64 height)
{
    using T = TiffDirectory;
    auto offsets = dir.values(T::kStripOffsets, height);
    if (!offsets || !isShortOrLong(dir.type(T::kStripOffsets)))
        return std::nullopt;
    std::vector<std::uint32_t> counts;
    if (dir.has(T::kStripByteCounts)) {
        auto c = dir.values(T::kStripByteCounts, height);
        if (!c || !isShortOrLong(dir.type(T::kStripByteCounts)) || c->size() != offsets->size())
            return std::nullopt;
        counts = std::move(*c);
    } else if (offsets->size() == 1) {
        // Without counts a single strip runs to the end of the file.
        counts.push_back(std::uint32_t(std::max<qint64>(0, in.size() - offsets->front())));
    } else {
        return std::nullopt;
    }
    for (size_t k = 0; k < offsets->size(); ++k) {
        if ((*offsets)[k] > in.size())
            return std::nullopt;
        counts[k] = std::uint32_t(std::min<qint64>(counts[k], in.size() - (*offsets)[k]));
    }
    return Strips{std::move(*offsets), std::move(counts)};
}

// The colour table: the ColorMap when there is one, otherwise a grey ramp, inverted for WhiteIsZero.
bool readColours(const TiffDirectory& dir, int bitCount, std::uint32_t photometric, Dib& dib)
{
    const qint64 entries = qint64(1) << bitCount;
    dib.colours.resize(size_t(entries));
    if (dir.has(TiffDirectory::kColorMap)) {
        const auto map = dir.values(TiffDirectory::kColorMap, 3 * entries);
        if (!map || qint64(map->size()) != 3 * entries)
            return false;
        for (qint64 i = 0; i < entries; ++i) {
            dib.colours[size_t(i)] = qRgb(int((*map)[size_t(i)] >> 8 & 0xFF), int((*map)[size_t(entries + i)] >> 8 & 0xFF),
                                          int((*map)[size_t(2 * entries + i)] >> 8 & 0xFF));
        }
        return true;
    }
    for (qint64 i = 0; i < entries; ++i) {
        const int level = int(i * 255 / (entries - 1));
        const int grey = photometric == kWhiteIsZero ? 255 - level : level;
        dib.colours[size_t(i)] = qRgb(grey, grey, grey);
    }
    return true;
}

// The most pixel bytes the strips can give. Strips may overlap, so no more than the file holds.
qint64 mostDecodedBytes(const PictureBytes& in, const Strips& strips, bool packBits)
{
    qint64 stored = 0;
    for (const std::uint32_t count : strips.counts)
        stored += count;
    stored = std::min<qint64>(stored, in.size());
    return packBits ? stored * kPackBitsGain : stored;
}

// The pixel rows of all strips, top row first, read from the file as they are asked for.
class StripRows {
public:
    StripRows(const PictureBytes& in, Strips strips, bool packBits, qint64 rowLength, int bitCount)
        : in_(in), strips_(std::move(strips)), packBits_(packBits), rowLength_(rowLength), bitCount_(bitCount)
    {
    }

    bool operator()(int, uchar* out)
    {
        // A strip gives rows until its bytes are used up; a row it cannot fill ends the picture.
        while (!strip_ || strip_->atEnd()) {
            if (next_ == strips_.offsets.size())
                return false;
            const qint64 offset = strips_.offsets[next_];
            strip_.emplace(in_, offset, offset + strips_.counts[next_]);
            ++next_;
        }
        const qint64 produced =
            packBits_ ? CTiffFile::unpackBits(*strip_, out, rowLength_) : strip_->take(out, rowLength_);
        if (produced < rowLength_)
            return false;
        if (bitCount_ == 24) {
            for (qint64 x = 0; x < rowLength_; x += 3)
                std::swap(out[x], out[x + 2]);
        }
        return true;
    }

private:
    const PictureBytes& in_;
    Strips strips_;
    bool packBits_;
    qint64 rowLength_;
    int bitCount_;
    size_t next_ = 0;
    std::optional<ByteStream> strip_;
};

// Reads every row of a page that is not kept, to see that it is whole.
bool rowsWhole(const Dib& dib)
{
    for (int y = 0; y < dib.height && !dib.failed(); ++y)
        dib.scanLine(y);
    return !dib.failed();
}

// Reads one page's directory into `dib`, whose rows are then read from the file as they are asked
// for. The most the page holds at once is its finished bitmap, when it is the one kept.
PageError readPage(const PictureBytes& in, const TiffDirectory& dir, Route route, Dib& dib)
{
    using T = TiffDirectory;
    const auto width = dir.value(T::kImageWidth, 0);
    const auto height = dir.value(T::kImageLength, 0);
    const auto samples = dir.value(T::kSamplesPerPixel, 1);
    const auto compression = dir.value(T::kCompression, kNoCompression);
    const auto photometric = dir.value(T::kPhotometric, 1);
    const auto planar = dir.value(T::kPlanarConfiguration, 1);
    if (!width || !height || !samples || !compression || !photometric || !planar
        || !pictureSizeAllowed(*width, *height) || *planar != 1)
        return PageError::NotValid;
    if (*compression != kNoCompression && *compression != kPackBits)
        return PageError::Compression;

    // Without BitsPerSample a picture is bilevel.
    const auto bits = dir.has(T::kBitsPerSample) ? dir.values(T::kBitsPerSample, *samples)
                                                 : std::make_optional(std::vector<std::uint32_t>{1});
    if (!bits)
        return PageError::NotValid;
    const bool grey = *samples == 1 && ((*bits)[0] == 1 || (*bits)[0] == 4 || (*bits)[0] == 8);
    const bool rgb = *samples == 3 && std::all_of(bits->begin(), bits->end(), [](std::uint32_t b) { return b == 8; });
    if (!grey && !rgb)
        return PageError::NotValid;

    dib.bitCount = rgb ? 24 : int((*bits)[0]);
    dib.width = int(rgb ? (*width + 1) / 2 * 2 : *width);
    dib.height = int(*height);
    if (grey && !readColours(dir, dib.bitCount, *photometric, dib))
        return PageError::NotValid;
    auto strips = readStrips(dir, in, *height);
    const qint64 rowLength = (qint64(dib.bitCount) * *width + 7) / 8;
    if (!strips)
        return PageError::NotValid;
    const qint64 bitmap = bitmapBytes(dib.width, dib.height, dib.bitCount, route);
    if (!pictureBudget::admits(pictureBudget::routePeak(bitmap, bitmap, dib.width, dib.height, route)))
        return PageError::OverBudget;
    // Strips that cannot fill the picture are refused before its memory is taken.
    const bool packBits = *compression == kPackBits;
    if (rowLength * dib.height > mostDecodedBytes(in, *strips, packBits))
        return PageError::NotValid;
    auto rows = std::make_shared<StripRows>(in, std::move(*strips), packBits, rowLength, dib.bitCount);
    dib.readRows([rows](int y, uchar* out) { return (*rows)(y, out); }, dwordStride(dib.width, dib.bitCount));
    return PageError::None;
}

} // namespace

bool CTiffFile::Load(const QString& fileName)
{
    return loadDecoded(fileName, {.caption = QStringLiteral("Could'nt Open TIFF file"), .text = fileName, .beep = true},
                       &CTiffFile::decode);
}

CTiffFile::Unpacked CTiffFile::unpackBits(QByteArrayView in, uchar* out, qsizetype target)
{
    const PictureBytes bytes(in);
    ByteStream stream(bytes, 0, bytes.size());
    const qsizetype produced = unpackBits(stream, out, target);
    return {stream.consumed(), produced};
}

qsizetype CTiffFile::unpackBits(ByteStream& in, uchar* out, qsizetype target)
{
    const qint64 end = in.consumed() + kMostCodeBytes * target;
    qsizetype o = 0;
    while (o < target && in.consumed() < end) {
        const int next = in.next();
        if (next < 0)
            break;
        const int c = static_cast<signed char>(next);
        if (c >= 0) {
            // A literal longer than the row is read to its end; one longer than the input, as far as it goes.
            const qsizetype kept = std::min<qsizetype>(c + 1, target - o);
            const qsizetype got = in.take(out + o, kept);
            o += got;
            if (got < kept)
                break;
            in.take(nullptr, c + 1 - kept);
        } else if (c != -128) {
            const int value = in.next();
            if (value < 0)
                break;
            const qsizetype kept = std::min<qsizetype>(1 - c, target - o);
            std::memset(out + o, value, size_t(kept));
            o += kept;
        }
    }
    return o;
}

LoadResult CTiffFile::decode(const PictureBytes& file, const QString& name, Route route)
{
    const QByteArray header = file.read(0, 8);
    const LittleEndian in(header);
    // Only Intel byte order is read; anything else is refused without a word.
    if (in.u16(0) != 0x4949)
        return {};
    if (in.u16(2) != 42 || !in.u32(4))
        return failure(notValid(name));

    return guardMemory([&] {
        LoadResult result;
        Dib page;
        std::set<qint64> seen;
        for (qint64 offset = *in.u32(4);;) {
            seen.insert(offset);
            page = Dib(); // the page before is not shown, and a failed page shows nothing
            const auto dir = TiffDirectory::read(file, offset);
            const PageError error = dir ? readPage(file, *dir, route, page) : PageError::NotValid;
            if (error != PageError::None) {
                result.messages.push_back(pageMessage(error, name));
                return result;
            }
            offset = dir->nextOffset();
            if (offset == 0 || seen.contains(offset) || qsizetype(seen.size()) >= kMaxPages)
                break;
            if (!rowsWhole(page)) {
                result.messages.push_back(notValid(name));
                return result;
            }
            result.messages.push_back(nextPageQuestion());
        }
        deliver(page, route, result, notValid(name));
        return result;
    });
}

} // namespace kiv
