#include "imaging/Bitmap.h"

#include <utility>

namespace kiv {

Bitmap::Bitmap(QImage image, int bitsPerPixel)
    : image_(std::move(image)), bitsPerPixel_(image_.isNull() ? 0 : bitsPerPixel)
{
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : image_(std::exchange(other.image_, QImage())), bitsPerPixel_(std::exchange(other.bitsPerPixel_, 0))
{
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept
{
    if (this != &other) {
        image_ = std::exchange(other.image_, QImage());
        bitsPerPixel_ = std::exchange(other.bitsPerPixel_, 0);
    }
    return *this;
}

qsizetype Bitmap::bytesPerLine() const
{
    return (qsizetype(width()) * bitsPerPixel_ + 15) / 16 * 2;
}

QImage Bitmap::takeImage()
{
    bitsPerPixel_ = 0;
    return std::exchange(image_, QImage());
}

} // namespace kiv
