#pragma once
// World Data Bank segment files: one binary file per continent and kind, <continent>.<kind> in
// the WDB folder, little-endian throughout.
//
//   header (40 bytes)   u32 magic 0x20770002, u32 dictionary offset, u32 segment count,
//                       u32 dictionary size in bytes, u32 largest segment's strokes in words,
//                       20 bytes unused
//   dictionary          one 28-byte entry per segment: 20 bytes id and bounding box,
//                       u32 segment offset, i16 stroke bytes, i16 rank 1..15
//   segment             i32 origin x (arc-seconds east), i32 origin y (arc-seconds north),
//                       i32 id, i16 stroke count, 2 bytes unused, then the strokes
//   strokes             relative moves in arc-seconds: one word when bit 0x4000 is set
//                       (dx in the high byte, -64..63; dy in the low byte, -128..127), else
//                       four words (dx and dy as two halves each, bit 0x4000 of the high
//                       halves standing in for the sign)
//
// The reader trusts nothing in a file: every offset and count is checked against the file and
// the buffer, strokes decode only from bytes that were read, ranks outside 1..15 are skipped.
// Only Qt-free code here, so that the data tools use it too.

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::wdb {

inline constexpr std::uint32_t kMagic = 0x20770002;
inline constexpr int kHeaderBytes = 40;
inline constexpr int kEntryBytes = 28;
inline constexpr int kSegmentHeaderBytes = 16;
inline constexpr int kContinents = 5;
inline constexpr int kKinds = 4;
inline constexpr int kLayerFlags = 30; // layers 1..28 are drawn; 0 means "not drawn"
inline constexpr int kRanks = 15;
inline constexpr double kArcSecondsPerTurn = 1296000.0;
inline constexpr double kArcSecondsPerHalfTurn = 648000.0;

// In reading order.
inline constexpr std::array<std::string_view, kContinents> kContinentNames{"africa", "europe", "namer", "samer", "asia"};
inline constexpr std::array<std::string_view, kKinds> kKindNames{"bdy", "cil", "riv", "pby"};
enum Kind : int { Bdy = 0, Cil = 1, Riv = 2, Pby = 3 };

// The layer (1..28) a segment of this kind and rank is drawn in; 0 for none, also for a kind
// or rank out of range.
int layerOf(int kind, int rank);
// The kind a layer belongs to: bdy below 4, cil below 16, riv below 27, pby below 29; -1 else.
int kindOfLayer(int layer);

struct Stroke {
    std::int32_t dx = 0, dy = 0;
    bool operator==(const Stroke&) const = default;
};

// Decodes the stroke at words[at]: the words it takes (1 or 4), or 0 when a long stroke would
// run past the end of the words.
int decodeStroke(std::span<const std::uint16_t> words, std::size_t at, Stroke& out);
// Appends the stroke in its shortest form. Valid for |dx|, |dy| < 2^30.
void encodeStroke(std::int32_t dx, std::int32_t dy, std::vector<std::uint16_t>& out);

// The view's scale, computed once per pass: arc-seconds to pixels of a W x H picture showing
// the extent (longitudes west-positive: the whole world is left 180, right -180).
struct Scale {
    Scale(int width, int height, double left, double right, double top, double bottom);
    int width, height;
    double sx = 0.0, sy = 0.0;
    int ox = 0, oy = 0;
    bool valid = false; // a finite scale: the extent has a span in both directions
    struct Pixel {
        int x, y;
        bool operator==(const Pixel&) const = default;
    };
    Pixel toPixel(std::int64_t x, std::int64_t y) const;
    bool inside(Pixel p) const { return p.x >= 1 && p.x <= width && p.y >= 1 && p.y <= height; }
};

// Where the reader draws: the layer changes before each segment's first move.
class Sink {
public:
    virtual ~Sink() = default;
    virtual void setLayer(int layer) = 0;
    virtual void moveTo(Scale::Pixel p) = 0;
    virtual void lineTo(Scale::Pixel p) = 0;
};

// Where the bytes come from: a file, or memory for tests and fuzzing.
class Source {
public:
    virtual ~Source() = default;
    virtual std::uint64_t size() const = 0;
    // Reads exactly `bytes` at `offset`, false when they are not all there.
    virtual bool readAt(std::uint64_t offset, void* into, std::size_t bytes) = 0;
};

class MemorySource : public Source {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool readAt(std::uint64_t offset, void* into, std::size_t bytes) override;

private:
    std::span<const std::uint8_t> bytes_;
};

class FileSource : public Source {
public:
    explicit FileSource(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    bool isOpen() const { return file_ != nullptr; }
    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, void* into, std::size_t bytes) override;

private:
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
};

enum class FileStatus {
    Ok,
    BadMagic,       // not a segment file
    ShortDictionary, // the dictionary does not fit the file, or the count does not fit it
    SegmentTooLarge, // a segment's strokes exceed the largest size the header gives
    Corrupt,         // a segment lies past the end, or its strokes run past its bytes
};

// The warning for a status that ends the pass (empty for Ok), with its caption "Warning", in
// English or German (UTF-8).
std::string statusMessage(FileStatus status, bool english);

// What a pass draws: continents and kinds to read, layers (1..28) to draw.
struct Selection {
    std::array<bool, kContinents> continents{};
    std::array<bool, kKinds> kinds{};
    std::array<bool, kLayerFlags> layers{};
};

// Draws the wanted segments of one file of the given kind; `seen` becomes true when a line
// reaches a point inside the picture. Each segment starts with the pen up exactly when its
// origin lies outside.
FileStatus drawSegmentFile(Source& source, int kind, const std::array<bool, kLayerFlags>& layers, const Scale& scale,
                           Sink& sink, bool& seen);

struct PassResult {
    FileStatus status = FileStatus::Ok; // the status that ended the pass
    std::string file;                   // the file it came from
    std::array<bool, kContinents> seen{};
};

// Every file of the selection in reading order: `pathOf(continent, kind)` names it (an empty
// name, a file that does not open or a name that is no regular file is skipped), `afterFile` runs after each file read. The
// first bad file ends the pass.
PassResult drawWorldDataBase(const std::function<std::string(int continent, int kind)>& pathOf,
                             const Selection& selection, const Scale& scale, Sink& sink,
                             const std::function<void()>& afterFile = {});

} // namespace kiv::wdb
