#include "views3d/EarthTexture.h"

#include "platform/LanguageText.h"
#include "platform/TextureSide.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kiv {

namespace {

// A strip of about this many bytes of texture rows goes to GL at a time.
constexpr qint64 kStripBytes = 4 << 20;

// The source pixels one texel covers along an axis, and the share each has in it.
struct Span {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Span> spans(int sourceSize, int targetSize)
{
    const double scale = double(sourceSize) / targetSize;
    std::vector<Span> result(static_cast<size_t>(targetSize));
    for (int t = 0; t < targetSize; ++t) {
        const double from = t * scale;
        const double to = std::min((t + 1) * scale, double(sourceSize));
        Span& span = result[size_t(t)];
        span.first = std::min(int(from), sourceSize - 1);
        for (int i = span.first; i < to; ++i)
            span.weights.push_back(float((std::min(i + 1.0, to) - std::max(double(i), from)) / scale));
    }
    return result;
}

// One source row (RGB32) averaged across into `out` (three floats a texel).
void scaleRow(const QRgb* row, const std::vector<Span>& across, float* out)
{
    for (const Span& span : across) {
        const QRgb* p = row + span.first;
        const float* w = span.weights.data();
        const float* end = w + span.weights.size();
        float r = 0, g = 0, b = 0;
        for (; w != end; ++w, ++p) {
            r += *w * float(qRed(*p));
            g += *w * float(qGreen(*p));
            b += *w * float(qBlue(*p));
        }
        *out++ = r;
        *out++ = g;
        *out++ = b;
    }
}

// Texture rows [top, bottom) of a scaled picture, the lowest first.
QImage scaledRows(const QImage& picture, const std::vector<Span>& across, const std::vector<Span>& down, int top,
                  int bottom)
{
    const Span& last = down[size_t(bottom - 1)];
    const int sourceTop = down[size_t(top)].first;
    const int sourceRows = last.first + int(last.weights.size()) - sourceTop;
    const QImage source = picture.copy(0, sourceTop, picture.width(), sourceRows).convertToFormat(QImage::Format_RGB32);
    const size_t values = across.size() * 3;
    QImage rows(int(across.size()), bottom - top, QImage::Format_RGB888);
    std::vector<float> line(values);
    std::vector<float> sum(values);
    int lineRow = -1; // a source row that two texel rows share is scaled across once
    for (int y = top; y < bottom; ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const Span& span = down[size_t(y)];
        for (size_t k = 0; k < span.weights.size(); ++k) {
            const int row = span.first + int(k) - sourceTop;
            if (row != lineRow)
                scaleRow(reinterpret_cast<const QRgb*>(source.constScanLine(row)), across, line.data());
            lineRow = row;
            const float weight = span.weights[k];
            const float* in = line.data();
            for (float *s = sum.data(), *end = s + values; s != end; ++s, ++in)
                *s += weight * *in;
        }
        // The weights of a texel add up to one: the sums lie within 0 and 255 but for rounding.
        uchar* out = rows.scanLine(bottom - 1 - y);
        for (const float value : sum)
            *out++ = uchar(std::min(value + 0.5f, 255.0f));
    }
    return rows;
}

} // namespace

FittedTexture fitTextureSize(QSize picture, int maxSide)
{
    FittedTexture fitted;
    if (picture.isEmpty())
        return fitted;
    fitted.size = QSize(int(textureSide(picture.width(), maxSide)), int(textureSide(picture.height(), maxSide)));
    fitted.resized = fitted.size != picture;
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

bool textureStrips(const QImage& picture, QSize size, const TextureStrip& strip)
{
    if (picture.isNull() || size.isEmpty())
        return true;
    const bool scaled = size != picture.size();
    const std::vector<Span> across = scaled ? spans(picture.width(), size.width()) : std::vector<Span>();
    const std::vector<Span> down = scaled ? spans(picture.height(), size.height()) : std::vector<Span>();
    const int rowsPerStrip = int(std::max<qint64>(1, kStripBytes / (qint64(size.width()) * 3)));
    for (int bottom = size.height(); bottom > 0; bottom -= rowsPerStrip) {
        const int top = std::max(0, bottom - rowsPerStrip);
        const QImage rows = scaled ? scaledRows(picture, across, down, top, bottom)
                                   : picture.copy(0, top, size.width(), bottom - top)
                                         .convertToFormat(QImage::Format_RGB888)
                                         .mirrored();
        if (!strip(size.height() - bottom, rows))
            return false;
    }
    return true;
}

} // namespace kiv
