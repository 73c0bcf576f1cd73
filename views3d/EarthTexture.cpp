#include "views3d/EarthTexture.h"

#include "platform/LanguageText.h"

#include <algorithm>

namespace kiv {

namespace {

int powerOfTwoFor(int size, int maxSide)
{
    int p = 1;
    while (p * 2 <= size + 1 && p * 2 <= maxSide)
        p *= 2;
    return p;
}

} // namespace

FittedTexture fitTextureSize(const QImage& picture, int maxSide)
{
    FittedTexture fitted;
    if (picture.isNull())
        return fitted;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const int w = powerOfTwoFor(rgb.width(), maxSide);
    const int h = powerOfTwoFor(rgb.height(), maxSide);
    fitted.resized = w != rgb.width() || h != rgb.height();
    fitted.image = fitted.resized ? rgb.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : rgb;
    return fitted;
}

QString textureSizeWarning(int width, int height, bool english)
{
    return inLanguage(english,
                      "Warning, This texture doesn't have the needed size : 2^n * 2^m.\nI will "
                      "automatically fit the size to %1 * %2 !",
                      "Achtung, diese Textur hat nicht die notwendigen Maße 2^n * 2^m.\nDie Größe wird "
                      "auf %1 * %2 angepasst !")
        .arg(width)
        .arg(height);
}

QImage glRows(const QImage& fitted) { return fitted.mirrored(); }

} // namespace kiv
