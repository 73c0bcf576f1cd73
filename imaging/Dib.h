#pragma once
// A decoded device-independent picture: packed rows of 1 to 32 bits per pixel with their colour
// table or channel masks. Every reader produces one; toBitmap() turns it into a Bitmap for the
// route the caller asked for. The rows are read one at a time, as the bitmap is made, from the
// file or from what the reader expanded (a row reader), so that no more than one row of them is
// held; a reader that cannot give a row (a short file, a stopped decode) ends the picture.

#include "imaging/Bitmap.h"
#include "imaging/LoadResult.h"

#include <QRgb>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace kiv {

// Largest width and height any reader accepts.
inline constexpr int kMaxPictureSide = 16384;

inline bool pictureSizeAllowed(qint64 width, qint64 height)
{
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

// Bytes of one row padded to 32 bits, as device-independent bitmaps store them.
inline qint64 dwordStride(qint64 width, int bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

class Dib {
public:
    Dib() = default;
    Dib(Dib&&) = default;
    Dib& operator=(Dib&&) = default;
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    int width = 0;
    int height = 0;
    int bitCount = 0;       // 1, 4, 8, 16, 24 or 32, as the rows hold them
    int reportedBits = 0;   // the file's depth when it differs from bitCount (RLE4 held as 8 bits)
    std::vector<QRgb> colours; // for 8 bits or fewer; missing entries are black
    // Red, green and blue masks for 16 and 32 bits; all zero means 5-5-5 or 8-8-8.
    std::array<std::uint32_t, 3> masks{};

    // Rows read as they are asked for, from the top row down, each once: `reader(y, out)` writes
    // the `stride` bytes of row y (y counted from the top) to `out`, and false when it cannot.
    using RowReader = std::function<bool(int y, uchar* out)>;
    void readRows(RowReader reader, qint64 stride);

    qint64 stride() const { return stride_; }
    // Row y, counted from the top. Read rows must be asked for in order, each once.
    const uchar* scanLine(int y) const;
    // Whether a row could not be read: the rows asked for since are not the picture's.
    bool failed() const { return failed_; }

private:
    friend void evenWidth(Dib& dib);

    qint64 stride_ = 0;
    RowReader reader_;
    // A read row: the reader writes its first readerStride_ bytes, the rest stays zero.
    mutable std::vector<uchar> row_;
    qint64 readerStride_ = 0;
    mutable bool failed_ = false;
};

// Widens a 24-bit picture of odd width by one pixel, taken from the row's padding (black where the
// row has none), so that textures keep an even width. Each row is widened as it is asked for:
// nothing is copied whole.
void evenWidth(Dib& dib);
// The width evenWidth() leaves.
qint64 evenedWidth(qint64 width, int bitCount);

// The display route gives 32-bit true colour; the stored route keeps the depth: 8 bits or fewer as
// an indexed image with the colour table, 24 bits as packed BGR, 16 and 32 bits as 32-bit colour.
// A null bitmap means the memory could not be had.
Bitmap toBitmap(const Dib& dib, Route route);
// The bytes of the bitmap toBitmap() gives a picture of these sides and depth.
qint64 bitmapBytes(qint64 width, qint64 height, int bitCount, Route route);

// Puts the bitmap of `dib` into the result, or the out-of-memory message when it cannot be made,
// or `unreadable` when a row could not be read.
void deliver(const Dib& dib, Route route, LoadResult& result, const ReaderMessage& unreadable);

} // namespace kiv
