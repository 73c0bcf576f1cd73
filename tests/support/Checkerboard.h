#pragma once
// A 256 × 128 texture of squares in two colours, `cell` pixels wide: any turn or shift of it
// shows in a picture.

#include <QImage>

namespace kiv::test {

inline QImage checkerboard(QRgb a, QRgb b, int cell)
{
    QImage image(256, 128, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x / cell + y / cell) % 2 ? a : b);
    return image;
}

} // namespace kiv::test
