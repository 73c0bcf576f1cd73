#include "views2d/Raster.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kiv::raster {

namespace {

// The image's pixels, looked up once per operation rather than once per pixel.
class Surface {
public:
    explicit Surface(QImage& image)
        : bits_(image.bits()), stride_(image.bytesPerLine()), width_(image.width()), height_(image.height())
    {
    }
    int width() const { return width_; }
    int height() const { return height_; }
    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits_ + std::ptrdiff_t(y) * stride_); }

    void plot(int x, int y, QRgb colour) const
    {
        if (unsigned(x) < unsigned(width_) && unsigned(y) < unsigned(height_))
            row(y)[x] = colour;
    }
    void hLine(int x0, int x1, int y, QRgb colour) const
    {
        if (unsigned(y) >= unsigned(height_))
            return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, width_);
        if (x0 < x1)
            std::fill(row(y) + x0, row(y) + x1, colour);
    }
    void vLine(int x, int y0, int y1, QRgb colour) const
    {
        if (unsigned(x) >= unsigned(width_))
            return;
        for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y)
            row(y)[x] = colour;
    }

private:
    uchar* bits_;
    qsizetype stride_;
    int width_, height_;
};

// c * a / 255 for bytes, exact to within one.
inline quint32 scale(quint32 c, quint32 a)
{
    const quint32 t = c * a + 128;
    return (t + (t >> 8)) >> 8;
}

} // namespace

void andSpans(QImage& image, std::span<const Span> spans, QRgb colour)
{
    const Surface surface(image);
    const QRgb mask = colour | 0xFF000000u;
    for (const Span& s : spans) {
        QRgb* p = surface.row(s.y);
        for (int x = s.x0; x < s.x1; ++x)
            p[x] &= mask;
    }
}

void andHatchSpans(QImage& image, std::span<const Span> spans, QRgb colour)
{
    const Surface surface(image);
    const QRgb mask = colour | 0xFF000000u;
    for (const Span& s : spans) {
        QRgb* p = surface.row(s.y);
        // Two pattern pixels in every eight: x = y and x = 7 - y (mod 8).
        for (const int phase : {s.y & 7, 7 - (s.y & 7)}) {
            for (int x = s.x0 + ((phase - s.x0) & 7); x < s.x1; x += 8)
                p[x] &= mask;
        }
    }
}

void copySpans(QImage& image, const QImage& source, std::span<const Span> spans)
{
    const Surface surface(image);
    for (const Span& s : spans) {
        const QRgb* from = reinterpret_cast<const QRgb*>(source.constScanLine(s.y));
        std::memcpy(surface.row(s.y) + s.x0, from + s.x0, sizeof(QRgb) * std::size_t(s.x1 - s.x0));
    }
}

void fillRect(QImage& image, const PixelRect& rect, QRgb colour)
{
    const Surface surface(image);
    for (int y = rect.top; y < rect.bottom; ++y)
        surface.hLine(rect.left, rect.right, y, colour);
}

void bumpEdge(QImage& image, const PixelRect& r)
{
    const Surface surface(image);
    constexpr QRgb light = 0xFFE3E3E3, darkShadow = 0xFF696969, shadow = 0xFFA0A0A0, highlight = 0xFFFFFFFF;
    const auto frame = [&surface](PixelRect f, QRgb topLeft, QRgb bottomRight) {
        if (f.right - f.left < 1 || f.bottom - f.top < 1)
            return;
        surface.hLine(f.left, f.right - 1, f.top, topLeft);
        surface.vLine(f.left, f.top, f.bottom - 1, topLeft);
        surface.hLine(f.left, f.right, f.bottom - 1, bottomRight);
        surface.vLine(f.right - 1, f.top, f.bottom, bottomRight);
    };
    frame(r, light, darkShadow);
    frame({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, shadow, highlight);
}

void frameHatched(QImage& image, const PixelRect& rect, QRgb colour)
{
    const Surface surface(image);
    const PixelRect r{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
                      std::max(rect.top, rect.bottom)};
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    const auto dot = [&](int x, int y) {
        if (hatchAt(x, y))
            surface.plot(x, y, colour);
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        dot(r.right - 1, y);
    }
}

void line(QImage& image, QPoint from, QPoint to, QRgb colour, int width)
{
    const Surface surface(image);
    width = std::max(width, 1);
    // A line wholly beside the picture (as most of a zoomed view's footprints are) costs nothing.
    if (std::max(from.x(), to.x()) + width < 0 || std::min(from.x(), to.x()) - width >= image.width() ||
        std::max(from.y(), to.y()) + width < 0 || std::min(from.y(), to.y()) - width >= image.height())
        return;
    const int dx = std::abs(to.x() - from.x()), dy = std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1, sy = from.y() < to.y() ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int steps = xMajor ? dx : dy;
    const int lead = (width - 1) / 2;
    int x = from.x(), y = from.y();
    int error = (xMajor ? dx : dy) / 2;
    for (int i = 0; i < steps; ++i) {
        if (xMajor)
            surface.vLine(x, y - lead, y - lead + width, colour);
        else
            surface.hLine(x - lead, x - lead + width, y, colour);
        if (xMajor) {
            x += sx;
            error -= dy;
            if (error < 0) {
                y += sy;
                error += dx;
            }
        } else {
            y += sy;
            error -= dx;
            if (error < 0) {
                x += sx;
                error += dy;
            }
        }
    }
}

void blend(QImage& image, const QImage& picture, QPoint at)
{
    const Surface surface(image);
    const QImage::Format format = picture.format();
    const bool premultiplied = format == QImage::Format_ARGB32_Premultiplied;
    if (!premultiplied && format != QImage::Format_ARGB32 && format != QImage::Format_RGB32)
        return;
    const int x0 = std::max(at.x(), 0), x1 = std::min(at.x() + picture.width(), image.width());
    const int y0 = std::max(at.y(), 0), y1 = std::min(at.y() + picture.height(), image.height());
    const uchar* bits = picture.constBits();
    const qsizetype stride = picture.bytesPerLine();
    for (int y = y0; y < y1; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(bits + (y - at.y()) * stride);
        QRgb* dst = surface.row(y);
        for (int x = x0; x < x1; ++x) {
            const QRgb s = src[x - at.x()];
            const quint32 a = format == QImage::Format_RGB32 ? 255 : qAlpha(s);
            if (a == 0)
                continue;
            const QRgb d = dst[x];
            const auto mix = [a, premultiplied](quint32 c, quint32 t) { return (premultiplied ? c : scale(c, a)) + scale(t, 255 - a); };
            dst[x] = 0xFF000000u | mix(qRed(s), qRed(d)) << 16 | mix(qGreen(s), qGreen(d)) << 8 | mix(qBlue(s), qBlue(d));
        }
    }
}

void blendMask(QImage& image, const QImage& mask, QPoint at, QRgb colour)
{
    const Surface surface(image);
    const int x0 = std::max(at.x(), 0), x1 = std::min(at.x() + mask.width(), image.width());
    const int y0 = std::max(at.y(), 0), y1 = std::min(at.y() + mask.height(), image.height());
    const uchar* bits = mask.constBits();
    const qsizetype stride = mask.bytesPerLine();
    for (int y = y0; y < y1; ++y) {
        const uchar* coverage = bits + (y - at.y()) * stride;
        QRgb* dst = surface.row(y);
        for (int x = x0; x < x1; ++x) {
            const quint32 a = coverage[x - at.x()];
            if (a == 0)
                continue;
            if (a == 255) { // most of a glyph's ink
                dst[x] = colour | 0xFF000000u;
                continue;
            }
            const QRgb d = dst[x];
            const auto mix = [a](quint32 c, quint32 t) { return scale(c, a) + scale(t, 255 - a); };
            dst[x] = 0xFF000000u | mix(qRed(colour), qRed(d)) << 16 | mix(qGreen(colour), qGreen(d)) << 8 |
                     mix(qBlue(colour), qBlue(d));
        }
    }
}

} // namespace kiv::raster
