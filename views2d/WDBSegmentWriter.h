#pragma once
// Writes World Data Bank segment files (the format of WDBSegmentFile.h) from polylines in
// arc-seconds: for the data converter, tests, fuzz seeds and benchmarks. A line of more points
// than one segment may hold continues in the next segment from its last point; the dictionary's
// 20 free bytes carry the segment id and its bounding box (west, east, south, north).

#include <cstdint>
#include <string>
#include <vector>

namespace kiv::wdb {

struct ArcPoint {
    std::int32_t x = 0; // longitude, arc-seconds east
    std::int32_t y = 0; // latitude, arc-seconds north
};

class WDBSegmentWriter {
public:
    // Points per segment; 4,000 keeps the byte count of a segment of long strokes within an i16.
    static constexpr std::size_t kMaxPoints = 4000;

    // One line of at least two points at the rank (1..15); shorter lines are dropped.
    void add(int rank, const std::vector<ArcPoint>& points);
    int segmentCount() const { return static_cast<int>(segments_.size()); }
    std::size_t pointCount() const { return points_; }

    // The whole file.
    std::vector<std::uint8_t> bytes() const;
    // Writes the file; false when it cannot be written completely.
    bool save(const std::string& path) const;

private:
    struct Segment {
        int rank = 0;
        ArcPoint origin;
        std::int32_t west = 0, east = 0, south = 0, north = 0;
        int strokes = 0;
        std::vector<std::uint16_t> words;
    };
    std::vector<Segment> segments_;
    std::size_t points_ = 0;
};

} // namespace kiv::wdb
