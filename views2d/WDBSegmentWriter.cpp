#include "views2d/WDBSegmentWriter.h"

#include "views2d/WDBSegmentFile.h"

#include <algorithm>
#include <cstdio>

namespace kiv::wdb {

namespace {

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v)
{
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

} // namespace

void WDBSegmentWriter::add(int rank, const std::vector<ArcPoint>& points)
{
    for (std::size_t start = 0; start + 1 < points.size(); start += kMaxPoints - 1) {
        const std::size_t end = std::min(points.size(), start + kMaxPoints);
        Segment s;
        s.rank = rank;
        s.origin = points[start];
        s.west = s.east = s.origin.x;
        s.south = s.north = s.origin.y;
        for (std::size_t i = start + 1; i < end; ++i) {
            const ArcPoint& p = points[i];
            encodeStroke(p.x - points[i - 1].x, p.y - points[i - 1].y, s.words);
            s.west = std::min(s.west, p.x);
            s.east = std::max(s.east, p.x);
            s.south = std::min(s.south, p.y);
            s.north = std::max(s.north, p.y);
            ++s.strokes;
        }
        points_ += end - start;
        segments_.push_back(std::move(s));
    }
}

std::vector<std::uint8_t> WDBSegmentWriter::bytes() const
{
    std::size_t segmentBytes = 0;
    std::size_t largest = 0;
    for (const Segment& s : segments_) {
        segmentBytes += kSegmentHeaderBytes + 2 * s.words.size();
        largest = std::max(largest, s.words.size());
    }
    const std::size_t dictOffset = kHeaderBytes + segmentBytes;
    const std::size_t dictSize = segments_.size() * kEntryBytes;
    std::vector<std::uint8_t> out(dictOffset + dictSize, 0);
    put32(out, 0, kMagic);
    put32(out, 4, static_cast<std::uint32_t>(dictOffset));
    put32(out, 8, static_cast<std::uint32_t>(segments_.size()));
    put32(out, 12, static_cast<std::uint32_t>(dictSize));
    put32(out, 16, static_cast<std::uint32_t>(largest));

    std::size_t at = kHeaderBytes;
    for (std::size_t n = 0; n < segments_.size(); ++n) {
        const Segment& s = segments_[n];
        const auto id = static_cast<std::uint32_t>(n + 1);
        const std::size_t entry = dictOffset + n * kEntryBytes;
        put32(out, entry, id);
        put32(out, entry + 4, static_cast<std::uint32_t>(s.west));
        put32(out, entry + 8, static_cast<std::uint32_t>(s.east));
        put32(out, entry + 12, static_cast<std::uint32_t>(s.south));
        put32(out, entry + 16, static_cast<std::uint32_t>(s.north));
        put32(out, entry + 20, static_cast<std::uint32_t>(at));
        put16(out, entry + 24, static_cast<std::uint16_t>(2 * s.words.size()));
        put16(out, entry + 26, static_cast<std::uint16_t>(s.rank));

        put32(out, at, static_cast<std::uint32_t>(s.origin.x));
        put32(out, at + 4, static_cast<std::uint32_t>(s.origin.y));
        put32(out, at + 8, id);
        put16(out, at + 12, static_cast<std::uint16_t>(s.strokes));
        at += kSegmentHeaderBytes;
        for (std::uint16_t w : s.words) {
            put16(out, at, w);
            at += 2;
        }
    }
    return out;
}

bool WDBSegmentWriter::save(const std::string& path) const
{
    const std::vector<std::uint8_t> data = bytes();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && written;
}

} // namespace kiv::wdb
