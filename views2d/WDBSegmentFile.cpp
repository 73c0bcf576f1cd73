#include "views2d/WDBSegmentFile.h"

#include "platform/ReadOpen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include <unistd.h>

namespace kiv::wdb {

namespace {

// Rank 1..15 per kind; 0 is not drawn.
constexpr std::array<std::array<int, kRanks>, kKinds> kLayerTable{{
    {1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {4, 5, 6, 7, 0, 8, 9, 10, 11, 12, 0, 0, 13, 14, 15},
    {16, 17, 18, 19, 20, 21, 22, 23, 0, 24, 25, 0, 26, 0, 0},
    {27, 0, 28, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
}};

std::uint32_t u32At(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::int32_t i32At(const std::uint8_t* p) { return static_cast<std::int32_t>(u32At(p)); }
std::uint16_t u16At(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::int16_t i16At(const std::uint8_t* p) { return static_cast<std::int16_t>(u16At(p)); }

// A pixel coordinate that cannot overflow int, whatever the file says.
int pixelOf(double value)
{
    constexpr double kLimit = 1e9;
    if (!(value > -kLimit))
        return static_cast<int>(-kLimit);
    if (!(value < kLimit))
        return static_cast<int>(kLimit);
    return static_cast<int>(value); // truncation toward zero
}

// Segment bytes are an i16 in the file; taken as unsigned they are at most 65,535.
constexpr std::size_t kMaxStrokeWords = 32768;

} // namespace

int layerOf(int kind, int rank)
{
    if (kind < 0 || kind >= kKinds || rank < 1 || rank > kRanks)
        return 0;
    return kLayerTable[kind][rank - 1];
}

int kindOfLayer(int layer)
{
    if (layer < 1)
        return -1;
    if (layer < 4)
        return Bdy;
    if (layer < 16)
        return Cil;
    if (layer < 27)
        return Riv;
    if (layer < 29)
        return Pby;
    return -1;
}

int decodeStroke(std::span<const std::uint16_t> words, std::size_t at, Stroke& out)
{
    if (at >= words.size())
        return 0;
    const std::uint16_t first = words[at];
    if (first & 0x4000) {
        std::uint16_t w = first;
        if (!(w & 0x8000))
            w = static_cast<std::uint16_t>(w & ~0x4000);
        const auto sw = static_cast<std::int16_t>(w);
        out.dy = static_cast<std::int8_t>(static_cast<std::uint8_t>(w & 0xFF));
        out.dx = sw >> 8;
        return 1;
    }
    if (words.size() - at < 4)
        return 0;
    auto half = [](std::uint16_t high, std::uint16_t low) {
        if (high & 0x8000)
            high = static_cast<std::uint16_t>(high | 0x4000);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(high) << 16 | low);
    };
    out.dx = half(first, words[at + 1]);
    out.dy = half(words[at + 2], words[at + 3]);
    return 4;
}

void encodeStroke(std::int32_t dx, std::int32_t dy, std::vector<std::uint16_t>& out)
{
    if (dx >= -64 && dx <= 63 && dy >= -128 && dy <= 127) {
        auto w = static_cast<std::uint16_t>(static_cast<std::uint32_t>(dx) << 8 | (static_cast<std::uint32_t>(dy) & 0xFF));
        out.push_back(static_cast<std::uint16_t>(w | 0x4000));
        return;
    }
    auto push = [&out](std::int32_t d) {
        const auto u = static_cast<std::uint32_t>(d);
        out.push_back(static_cast<std::uint16_t>((u >> 16) & ~0x4000u));
        out.push_back(static_cast<std::uint16_t>(u & 0xFFFF));
    };
    push(dx);
    push(dy);
}

Scale::Scale(int w, int h, double left, double right, double top, double bottom) : width(w), height(h)
{
    sx = std::fabs(w * 360.0 / (left - right));
    sy = std::fabs(h * 180.0 / (top - bottom));
    valid = std::isfinite(sx) && std::isfinite(sy) && std::isfinite(left) && std::isfinite(top) && w > 0 && h > 0;
    if (!valid)
        return;
    ox = pixelOf((180.0 - left) * sx / 360.0);
    oy = pixelOf((90.0 - top) * sy / 180.0);
}

Scale::Pixel Scale::toPixel(std::int64_t x, std::int64_t y) const
{
    double u = static_cast<double>(x) / kArcSecondsPerTurn;
    const double v = static_cast<double>(y) / kArcSecondsPerHalfTurn;
    if (u > 1.0 || u < -1.0) // folded by whole steps of 2 into [-1, 1]
        u -= 2.0 * std::ceil((u - 1.0) / 2.0);
    return {pixelOf((0.5 + u) * sx) - ox, pixelOf((0.5 - v) * sy) - oy};
}

bool MemorySource::readAt(std::uint64_t offset, void* into, std::size_t bytes)
{
    if (offset > bytes_.size() || bytes > bytes_.size() - offset)
        return false;
    if (bytes)
        std::memcpy(into, bytes_.data() + offset, bytes);
    return true;
}

FileSource::FileSource(const std::string& path)
{
    const ReadOpen opened = openForReading(path.c_str());
    if (opened.fd < 0)
        return;
    file_ = ::fdopen(opened.fd, "rb");
    if (!file_) {
        ::close(opened.fd);
        return;
    }
    size_ = static_cast<std::uint64_t>(opened.size);
}

FileSource::~FileSource()
{
    if (file_)
        std::fclose(file_);
}

bool FileSource::readAt(std::uint64_t offset, void* into, std::size_t bytes)
{
    if (!file_ || offset > size_ || bytes > size_ - offset ||
        offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max()))
        return false;
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    return std::fread(into, 1, bytes, file_) == bytes;
}

std::string statusMessage(FileStatus status, bool english)
{
    switch (status) {
    case FileStatus::Ok:
        return {};
    case FileStatus::BadMagic:
        return english ? "Warning, bad Magic Number for World Data Base file"
                       : "Achtung, falsche Magic Number der World Data Base Datei";
    case FileStatus::ShortDictionary:
        return english ? "File segment dictionary wrong size ..."
                       : "Das Segmentverzeichnis der Datei hat die falsche Größe ...";
    case FileStatus::SegmentTooLarge:
        return english ? "Segment needs more space then available ..."
                       : "Das Segment braucht mehr Platz als vorhanden ...";
    case FileStatus::Corrupt:
        return english ? "World Data Base file damaged: a segment lies beyond the end of the file or its strokes run "
                         "past its bytes ..."
                       : "World Data Base Datei beschädigt: ein Segment liegt hinter dem Dateiende oder seine Linien "
                         "reichen über seine Bytes hinaus ...";
    }
    return {};
}

FileStatus drawSegmentFile(Source& source, int kind, const std::array<bool, kLayerFlags>& layers, const Scale& scale,
                           Sink& sink, bool& seen)
{
    std::uint8_t header[kHeaderBytes];
    if (!source.readAt(0, header, sizeof header) || u32At(header) != kMagic)
        return FileStatus::BadMagic;
    const std::uint64_t dictOffset = u32At(header + 4);
    const std::uint64_t count = u32At(header + 8);
    const std::uint64_t dictSize = u32At(header + 12);
    const std::uint64_t strokeLimit = 2 * static_cast<std::uint64_t>(u32At(header + 16));
    // The whole dictionary lies in the file and holds every entry the count promises; its
    // buffer is then bounded by the file's size.
    if (dictOffset + dictSize > source.size() || count * kEntryBytes > dictSize)
        return FileStatus::ShortDictionary;
    std::vector<std::uint8_t> dictionary(count * kEntryBytes);
    if (!source.readAt(dictOffset, dictionary.data(), dictionary.size()))
        return FileStatus::ShortDictionary;
    if (!scale.valid)
        return FileStatus::Ok;

    std::vector<std::uint16_t> words(kMaxStrokeWords);
    std::vector<std::uint8_t> raw(kMaxStrokeWords * 2);
    for (std::uint64_t n = 0; n < count; ++n) {
        const std::uint8_t* entry = dictionary.data() + n * kEntryBytes;
        const int layer = layerOf(kind, i16At(entry + 26));
        if (layer == 0 || !layers[layer])
            continue;
        const std::uint64_t offset = u32At(entry + 20);
        const std::size_t bytes = u16At(entry + 24);
        if (bytes > strokeLimit)
            return FileStatus::SegmentTooLarge;
        std::uint8_t segment[kSegmentHeaderBytes];
        if (!source.readAt(offset, segment, sizeof segment) ||
            !source.readAt(offset + kSegmentHeaderBytes, raw.data(), bytes))
            return FileStatus::Corrupt;
        const std::size_t wordCount = bytes / 2;
        for (std::size_t i = 0; i < wordCount; ++i)
            words[i] = u16At(raw.data() + 2 * i);
        const std::span<const std::uint16_t> strokes(words.data(), wordCount);

        sink.setLayer(layer);
        std::int64_t x = i32At(segment), y = i32At(segment + 4);
        Scale::Pixel p = scale.toPixel(x, y);
        sink.moveTo(p);
        bool penUp = !scale.inside(p);
        const int strokeCount = i16At(segment + 12);
        std::size_t at = 0;
        for (int s = 0; s < strokeCount; ++s) {
            Stroke stroke;
            const int used = decodeStroke(strokes, at, stroke);
            if (used == 0)
                return FileStatus::Corrupt;
            at += used;
            x += stroke.dx;
            y += stroke.dy;
            p = scale.toPixel(x, y);
            if (!scale.inside(p)) {
                sink.moveTo(p);
                penUp = true;
                continue;
            }
            if (penUp) {
                sink.moveTo(p);
                penUp = false;
            }
            seen = true;
            sink.lineTo(p);
        }
    }
    return FileStatus::Ok;
}

PassResult drawWorldDataBase(const std::function<std::string(int, int)>& pathOf, const Selection& selection,
                             const Scale& scale, Sink& sink, const std::function<void()>& afterFile)
{
    PassResult result;
    for (int c = 0; c < kContinents; ++c) {
        if (!selection.continents[c])
            continue;
        for (int k = 0; k < kKinds; ++k) {
            if (!selection.kinds[k])
                continue;
            const std::string path = pathOf(c, k);
            if (path.empty())
                continue;
            FileSource source(path);
            if (!source.isOpen())
                continue;
            const FileStatus status =
                drawSegmentFile(source, k, selection.layers, scale, sink, result.seen[c]);
            if (afterFile)
                afterFile();
            if (status != FileStatus::Ok) {
                result.status = status;
                result.file = path;
                return result;
            }
        }
    }
    return result;
}

} // namespace kiv::wdb
