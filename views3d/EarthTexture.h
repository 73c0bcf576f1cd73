#pragma once
// The earth texture as a picture, before it goes to GL: fitted to powers of two and turned into
// rows of RGB bytes bottom-up as GL takes them.

#include <QImage>
#include <QString>

namespace kiv {

struct FittedTexture {
    QImage image;        // RGB888, power-of-two sides
    bool resized = false; // the size had to change: the user is told
};

// The largest power of two not above size + 1 for each side (511 and 512 give 512, 1000 gives
// 512), no larger than maxSide; the picture is scaled smoothly when that differs from its size.
FittedTexture fitTextureSize(const QImage& picture, int maxSide);

// The warning shown when a texture had to be scaled.
QString textureSizeWarning(int width, int height, bool english);

// Rows of the fitted picture in GL's order: the bottom row first, so that the picture's top row
// (the north pole) meets texture coordinate t = 1.
QImage glRows(const QImage& fitted);

} // namespace kiv
