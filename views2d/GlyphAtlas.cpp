#include "views2d/GlyphAtlas.h"

#include "views2d/Raster.h"

#include <QFontMetrics>
#include <QPainter>

namespace kiv {

namespace {
QRect inkBounds(const QImage& mask)
{
    QRect bounds;
    for (int y = 0; y < mask.height(); ++y) {
        const uchar* line = mask.constScanLine(y);
        for (int x = 0; x < mask.width(); ++x) {
            if (line[x] != 0)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}
} // namespace

QFont labelFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11); // a cell 12 pixels high
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

GlyphAtlas::GlyphAtlas(const QFont& font)
{
    const QFontMetrics metrics(font);
    lineHeight_ = metrics.height();
    averageCharWidth_ = metrics.averageCharWidth();
    const int margin = metrics.height() / 2; // room for overhanging glyphs
    for (int c = 0x20; c < 0x100; ++c) {
        if (c >= 0x7F && c < 0xA0)
            continue; // no glyphs in the control range
        Glyph& g = glyphs_[c];
        const QChar ch(static_cast<char16_t>(c));
        g.advance = metrics.horizontalAdvance(ch);
        QImage cell(g.advance + 2 * margin, lineHeight_, QImage::Format_Alpha8);
        cell.fill(0);
        {
            QPainter p(&cell);
            p.setFont(font);
            p.setPen(Qt::black);
            p.drawText(margin, metrics.ascent(), QString(ch));
        }
        // Keep only the inked part: blending the empty rest would cost most of the time.
        const QRect ink = inkBounds(cell);
        if (!ink.isEmpty()) {
            g.mask = cell.copy(ink);
            g.offset = ink.topLeft() - QPoint(margin, 0);
        }
    }
}

int GlyphAtlas::width(std::string_view latin1) const
{
    int w = 0;
    for (const char c : latin1)
        w += glyphs_[static_cast<unsigned char>(c)].advance;
    return w;
}

void GlyphAtlas::draw(QImage& image, QPoint topLeft, std::string_view latin1, QRgb colour) const
{
    int x = 0;
    for (const char c : latin1) {
        const Glyph& g = glyphs_[static_cast<unsigned char>(c)];
        if (!g.mask.isNull())
            raster::blendMask(image, g.mask, topLeft + QPoint(x, 0) + g.offset, colour);
        x += g.advance;
    }
}

} // namespace kiv
