#include "views2d/GlyphAtlas.h"

#include "views2d/Raster.h"

#include <QFontMetrics>
#include <QPainter>

namespace kiv {

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
    margin_ = metrics.height() / 2;
    for (int c = 0x20; c < 0x100; ++c) {
        if (c >= 0x7F && c < 0xA0)
            continue; // no glyphs in the control range
        Glyph& g = glyphs_[c];
        const QChar ch(static_cast<char16_t>(c));
        g.advance = metrics.horizontalAdvance(ch);
        g.mask = QImage(g.advance + 2 * margin_, lineHeight_, QImage::Format_Alpha8);
        g.mask.fill(0);
        QPainter p(&g.mask);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(margin_, metrics.ascent(), QString(ch));
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
    int x = topLeft.x();
    for (const char c : latin1) {
        const Glyph& g = glyphs_[static_cast<unsigned char>(c)];
        if (!g.mask.isNull())
            raster::blendMask(image, g.mask, {x - margin_, topLeft.y()}, colour);
        x += g.advance;
    }
}

} // namespace kiv
