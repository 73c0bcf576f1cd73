#pragma once
// The map's label font as pre-rendered Latin-1 glyphs. Labels are drawn by blending these
// masks, which costs a fraction of laying out text every tick and never allocates. Text is
// placed by the top-left corner of its cell, as the map's layout expects.

#include <QFont>
#include <QImage>
#include <QPoint>

#include <array>
#include <string_view>

namespace kiv {

class GlyphAtlas {
public:
    explicit GlyphAtlas(const QFont& font);

    int lineHeight() const { return lineHeight_; }
    int averageCharWidth() const { return averageCharWidth_; }
    int width(std::string_view latin1) const;

    void draw(QImage& image, QPoint topLeft, std::string_view latin1, QRgb colour) const;

private:
    struct Glyph {
        QImage mask;   // Alpha8, the inked part of the glyph's cell
        QPoint offset; // of the mask from the cell's top-left corner
        int advance = 0;
    };
    std::array<Glyph, 256> glyphs_;
    int lineHeight_ = 0;
    int averageCharWidth_ = 0;
};

// "Arial" 12 x 6 of the labels, in its metric twin.
QFont labelFont();

} // namespace kiv
