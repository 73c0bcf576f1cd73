#include "imaging/BmpRle.h"

namespace kiv {

namespace {

class RleCanvas {
public:
    RleCanvas(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * size_t(height)) {}

    bool done() const { return y_ >= height_; }
    // Whether the picture is complete although the stream ended without its end-of-bitmap mark.
    bool lastRowFull() const { return y_ >= height_ || (y_ == height_ - 1 && x_ >= width_); }
    void put(uchar index)
    {
        if (x_ < width_ && y_ < height_)
            pixels_[size_t(y_ * width_ + x_)] = index;
        ++x_;
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
    std::vector<uchar> take() { return std::move(pixels_); }

private:
    int width_;
    int height_;
    qint64 x_ = 0; // 64 bits: long streams of clipped runs must not overflow
    qint64 y_ = 0;
    std::vector<uchar> pixels_;
};

} // namespace

std::optional<std::vector<uchar>> expandBmpRle(ByteStream& data, int width, int height, int bitCount)
{
    RleCanvas canvas(width, height);
    const bool four = bitCount == 4;
    uchar absolute[256];
    while (!canvas.done()) {
        const int count = data.next();
        const int value = count < 0 ? -1 : data.next();
        if (value < 0)
            break;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                canvas.put(four ? uchar((k & 1) ? value & 0x0F : value >> 4) : uchar(value));
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
            for (int k = 0; k < value; ++k) {
                const uchar b = absolute[four ? k / 2 : k];
                canvas.put(four ? uchar((k & 1) ? b & 0x0F : b >> 4) : b);
            }
            data.take(nullptr, bytes & 1);
            break;
        }
        }
    }
    if (!canvas.done() && !canvas.lastRowFull())
        return std::nullopt;
    return canvas.take();
}

} // namespace kiv
