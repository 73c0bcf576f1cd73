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

std::optional<std::vector<uchar>> expandBmpRle(QByteArrayView data, int width, int height, int bitCount)
{
    RleCanvas canvas(width, height);
    const auto* in = reinterpret_cast<const uchar*>(data.data());
    const qsizetype n = data.size();
    qsizetype i = 0;
    const bool four = bitCount == 4;
    while (i + 1 < n && !canvas.done()) {
        const int count = in[i];
        const uchar value = in[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                canvas.put(four ? uchar((k & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0:
            canvas.endOfLine();
            break;
        case 1:
            canvas.endOfBitmap();
            break;
        case 2:
            if (i + 1 >= n)
                return std::nullopt;
            canvas.delta(in[i], in[i + 1]);
            i += 2;
            break;
        default: {
            // Absolute run: `value` pixels, the bytes padded to a 16-bit boundary.
            const qsizetype bytes = four ? (value + 1) / 2 : value;
            if (n - i < bytes)
                return std::nullopt;
            for (int k = 0; k < value; ++k) {
                const uchar b = in[i + (four ? k / 2 : k)];
                canvas.put(four ? uchar((k & 1) ? b & 0x0F : b >> 4) : b);
            }
            i += bytes + (bytes & 1);
            break;
        }
        }
    }
    if (!canvas.done() && !canvas.lastRowFull())
        return std::nullopt;
    return canvas.take();
}

} // namespace kiv
