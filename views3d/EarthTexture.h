#pragma once
// The earth texture as a picture, before it goes to GL: fitted to powers of two and turned into
// rows of RGB bytes bottom-up as GL takes them. The picture is never copied whole: it is converted,
// scaled and turned over a strip of rows at a time, so that beside the picture the route holds
// only GL's texture and one strip.

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

namespace kiv {

struct FittedTexture {
    QSize size;           // power-of-two sides
    bool resized = false; // the size had to change: the user is told
};

// The largest power of two not above size + 1 for each side (511 and 512 give 512, 1000 gives
// 512), no larger than maxSide.
FittedTexture fitTextureSize(QSize picture, int maxSide);

// The warning shown when a texture had to be scaled.
QString textureSizeWarning(int width, int height, bool english);

// One strip of texture rows in GL's order: RGB888, rows 4-byte aligned, its first row being GL's
// row `firstRow` (GL counts from the bottom, so that the picture's top row, the north pole, meets
// texture coordinate t = 1). It says whether the rest is still wanted.
using TextureStrip = std::function<bool(int firstRow, const QImage& rows)>;

// Hands the picture, scaled to `size` by averaging the area each texel covers, to `strip` from the
// bottom of the texture up; false when `strip` gave up before the last.
bool textureStrips(const QImage& picture, QSize size, const TextureStrip& strip);

} // namespace kiv
