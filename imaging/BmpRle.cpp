#include "imaging/BmpRle.h"

#include <algorithm>
#include <cstring>

namespace kiv {

namespace {

constexpr qint64 kBytesPerStep = 4;     // a delta of one pixel or one row
constexpr qint64 kLongestCode = 2 + 256; // an absolute run of 255 pixels, padded to 16 bits

class RleCanvas {
public:
    RleCanvas(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * size_t(height)) {}

    bool done() const { return y_ >= height_; }
    // Whether the picture is complete although the stream ended without its end-of-bitmap mark.
    bool lastRowFull() const { return y_ >= height_ || (y_ == height_ - 1 && x_ >= width_); }
    // The most bytes a valid stream has read on its way to the position (see mostBmpRleBytes).
    qint64 mostBytesSoFar() const { return kBytesPerStep * ((width_ + 1) * y_ + std::min<qint64>(x_, width_)); }
    // `count` pixels from the position on, `pixel(k)` the k-th; only those inside the row are
    // visited, however far the run goes past its end.
    template <typename Pixel>
    void put(int count, Pixel pixel)
    {
        uchar* row = start();
        const qint64 inside = insideOf(count);
        for (qint64 k = 0; k < inside; ++k)
            row[k] = pixel(k);
        written_ += inside;
        x_ += count;
    }
    void fill(int count, uchar index)
    {
        const qint64 inside = insideOf(count);
        if (inside > 0)
            std::memset(start(), index, size_t(inside));
        written_ += inside;
        x_ += count;
    }
    void endOfLine()
    {
        x_ = 0;
        ++y_;
    }
    void endOfBitmap() { y_ = height_; }
    void delta(int dx, int dy)
    {
        x_ += dx;
        y_ += dy;
    }
    qint64 written() const { return written_; }
    std::vector<uchar> take() { return std::move(pixels_); }

private:
    // How many of `count` pixels from the position on lie inside the row.
    qint64 insideOf(int count) const { return std::clamp<qint64>(width_ - x_, 0, count); }
    // The position in the pixels, or null past the row's end.
    uchar* start() { return x_ < width_ ? pixels_.data() + y_ * width_ + x_ : nullptr; }

    qint64 width_;
    qint64 height_;
    qint64 x_ = 0;
    qint64 y_ = 0;
    qint64 written_ = 0;
    std::vector<uchar> pixels_;
};

uchar nibble(int byte, qint64 k)
{
    return uchar((k & 1) ? byte & 0x0F : byte >> 4);
}

std::optional<std::vector<uchar>> expand(ByteStream& data, RleCanvas& canvas, int bitCount)
{
    const bool four = bitCount == 4;
    uchar absolute[256];
    while (!canvas.done()) {
        if (data.consumed() > canvas.mostBytesSoFar())
            return std::nullopt;
        const int count = data.next();
        const int value = count < 0 ? -1 : data.next();
        if (value < 0)
            break;
        if (count > 0) {
            if (four)
                canvas.put(count, [value](qint64 k) { return nibble(value, k); });
            else
                canvas.fill(count, uchar(value));
            continue;
        }
        switch (value) {
        case 0:
            canvas.endOfLine();
            break;
        case 1:
            canvas.endOfBitmap();
            break;
        case 2: {
            const int dx = data.next();
            const int dy = dx < 0 ? -1 : data.next();
            if (dy < 0)
                return std::nullopt;
            canvas.delta(dx, dy);
            break;
        }
        default: {
            // Absolute run: `value` pixels, the bytes padded to a 16-bit boundary.
            const qint64 bytes = four ? (value + 1) / 2 : value;
            if (data.take(absolute, bytes) < bytes)
                return std::nullopt;
            if (four)
                canvas.put(value, [&absolute](qint64 k) { return nibble(absolute[k / 2], k); });
            else
                canvas.put(value, [&absolute](qint64 k) { return absolute[k]; });
            data.take(nullptr, bytes & 1);
            break;
        }
        }
    }
    if (!canvas.done() && !canvas.lastRowFull())
        return std::nullopt;
    return canvas.take();
}

} // namespace

qint64 mostBmpRleBytes(int width, int height)
{
    return kBytesPerStep * (qint64(width) + 1) * height + kLongestCode;
}

std::optional<std::vector<uchar>> expandBmpRle(ByteStream& data, int width, int height, int bitCount,
                                               qint64* pixelsWritten)
{
    RleCanvas canvas(width, height);
    auto pixels = expand(data, canvas, bitCount);
    if (pixelsWritten)
        *pixelsWritten = canvas.written();
    return pixels;
}

} // namespace kiv
