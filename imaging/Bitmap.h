#pragma once
// The one bitmap type of the program: a picture with an owner. It moves and never copies, so
// there is always exactly one owner; handing a picture over is a move.

#include <QImage>

namespace kiv {

// How a reader delivers its picture.
enum class Route {
    Display, // true colour for the screen: always 32 bits per pixel
    Stored,  // the picture's own depth and pixels, as the globe's texture wants them
};

class Bitmap {
public:
    Bitmap() = default;
    // bitsPerPixel is the depth the picture reports, which on the stored route is the file's.
    Bitmap(QImage image, int bitsPerPixel);

    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    ~Bitmap() = default;

    bool isNull() const { return image_.isNull(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    int bitsPerPixel() const { return bitsPerPixel_; }
    // Bytes of one row at the reported depth, rows aligned to 16 bits as bitmaps report them.
    qsizetype bytesPerLine() const;
    qsizetype imageSize() const { return bytesPerLine() * height(); }

    const QImage& image() const { return image_; }
    QImage takeImage();

private:
    QImage image_;
    int bitsPerPixel_ = 0;
};

} // namespace kiv
