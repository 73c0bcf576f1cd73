// Span filling and the pixel operations of the flat views, on small images.
#include "views2d/Raster.h"
#include "views2d/SpanFiller.h"

#include <gtest/gtest.h>

#include <array>

namespace kiv {
namespace {

QImage white(int w = 64, int h = 64)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(0xFFFFFFFF);
    return image;
}

int countPixels(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

TEST(SpanFiller, RectangleLeavesOutItsRightAndBottomEdges)
{
    SpanFiller filler;
    const std::array<QPoint, 4> square{QPoint(10, 10), QPoint(54, 10), QPoint(54, 54), QPoint(10, 54)};
    const auto spans = filler.fill(square, {64, 64});
    ASSERT_EQ(spans.size(), 44u);
    EXPECT_EQ(spans.front().y, 10);
    EXPECT_EQ(spans.back().y, 53);
    for (const Span& s : spans) {
        EXPECT_EQ(s.x0, 10);
        EXPECT_EQ(s.x1, 54);
    }
}

TEST(SpanFiller, EvenOddLeavesTheStarsCentreOpen)
{
    SpanFiller filler;
    // A pentagram: its inner pentagon is crossed twice.
    const std::array<QPoint, 5> star{QPoint(50, 5), QPoint(76, 90), QPoint(5, 35), QPoint(95, 35), QPoint(24, 90)};
    QImage image = white(100, 100);
    raster::andSpans(image, filler.fill(star, image.size()), 0);
    EXPECT_EQ(image.pixel(50, 50), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(50, 15), 0xFF000000u); // top point
    EXPECT_EQ(image.pixel(15, 37), 0xFF000000u); // left point
}

TEST(SpanFiller, ClipsToThePictureAndShifts)
{
    SpanFiller filler;
    const std::array<QPoint, 4> big{QPoint(-100, -100), QPoint(1000, -100), QPoint(1000, 1000), QPoint(-100, 1000)};
    const auto spans = filler.fill(big, {32, 16});
    ASSERT_EQ(spans.size(), 16u);
    EXPECT_EQ(spans.front().x0, 0);
    EXPECT_EQ(spans.front().x1, 32);
    const std::array<QPoint, 3> degenerate{QPoint(0, 0), QPoint(10, 0), QPoint(20, 0)};
    EXPECT_TRUE(filler.fill(degenerate, {32, 16}).empty());
    const std::array<QPoint, 4> square{QPoint(0, 0), QPoint(4, 0), QPoint(4, 4), QPoint(0, 4)};
    const auto shifted = filler.fill(square, {32, 16}, {30, 14});
    ASSERT_EQ(shifted.size(), 2u); // rows 14 and 15
    EXPECT_EQ(shifted[0].x0, 30);
    EXPECT_EQ(shifted[0].x1, 32);
}

TEST(Raster, HatchMarksOnlyPatternPixelsAndKeepsTheGaps)
{
    QImage image = white();
    SpanFiller filler;
    const std::array<QPoint, 4> area{QPoint(3, 5), QPoint(61, 5), QPoint(61, 60), QPoint(3, 60)};
    raster::andHatchSpans(image, filler.fill(area, image.size()), qRgb(100, 100, 100));
    for (int y = 5; y < 60; ++y) {
        for (int x = 3; x < 61; ++x)
            ASSERT_EQ(image.pixel(x, y), raster::hatchAt(x, y) ? qRgb(100, 100, 100) : qRgb(255, 255, 255)) << x << "," << y;
    }
    // Anchored at the image, not at the polygon: (8, 8) and (15, 8) are pattern pixels.
    EXPECT_TRUE(raster::hatchAt(8, 8) && raster::hatchAt(15, 8) && !raster::hatchAt(9, 8));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)); // outside
}

TEST(Raster, AndCombinesWithWhatIsThere)
{
    QImage image = white(8, 8);
    image.setPixel(1, 0, qRgb(0, 255, 0));
    SpanFiller filler;
    const std::array<QPoint, 4> all{QPoint(0, 0), QPoint(8, 0), QPoint(8, 8), QPoint(0, 8)};
    raster::andSpans(image, filler.fill(all, image.size()), qRgb(150, 150, 150));
    EXPECT_EQ(image.pixel(0, 0), qRgb(150, 150, 150));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 150, 0));
}

TEST(Raster, LinesOfWidthNAndTheirEnds)
{
    QImage image = white(16, 16);
    raster::line(image, {2, 5}, {10, 5}, qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(9, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(10, 5), qRgb(255, 255, 255)); // the end point is the next line's
    raster::line(image, {2, 10}, {10, 10}, qRgb(0, 0, 255), 3);
    for (const int y : {9, 10, 11})
        EXPECT_EQ(image.pixel(5, y), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(5, 12), qRgb(255, 255, 255));
    raster::line(image, {-100, -50}, {100, 50}, qRgb(0, 0, 0), 20); // clipped, no crash
    raster::line(image, {3, 3}, {3, 14}, qRgb(0, 255, 0), 2);
    EXPECT_EQ(image.pixel(2, 13), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(3, 13), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(4, 13), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(5, 13), qRgb(255, 255, 255));
}

TEST(Raster, BlendHonoursAlphaInEveryFormat)
{
    QImage straight(2, 1, QImage::Format_ARGB32);
    straight.setPixel(0, 0, qRgba(255, 0, 0, 0));
    straight.setPixel(1, 0, qRgba(0, 0, 255, 128));
    const QImage premultiplied = straight.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (const QImage& icon : {straight, premultiplied}) {
        QImage image = white(4, 4);
        raster::blend(image, icon, {2, 3});
        EXPECT_EQ(image.pixel(2, 3), qRgb(255, 255, 255));
        const QRgb mixed = image.pixel(3, 3);
        EXPECT_NEAR(qRed(mixed), 127, 1);
        EXPECT_NEAR(qBlue(mixed), 255, 1);
    }
    QImage image = white(4, 4);
    raster::blend(image, QImage(2, 2, QImage::Format_Mono), {0, 0}); // not drawn
    raster::blend(image, straight, {-1, -1});                        // clipped away
    EXPECT_EQ(countPixels(image, qRgb(255, 255, 255)), 16);
}

TEST(Raster, LabelBoxFrames)
{
    QImage image = white(20, 20);
    raster::fillRect(image, {2, 2, 12, 10}, qRgb(0, 0, 0));
    raster::bumpEdge(image, {2, 2, 12, 10});
    EXPECT_EQ(image.pixel(2, 2), qRgb(227, 227, 227));   // raised outer, top left
    EXPECT_EQ(image.pixel(11, 9), qRgb(105, 105, 105));  // raised outer, bottom right
    EXPECT_EQ(image.pixel(3, 3), qRgb(160, 160, 160));   // sunken inner, top left
    EXPECT_EQ(image.pixel(10, 8), qRgb(255, 255, 255));  // sunken inner, bottom right
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 0));         // inside untouched
    EXPECT_EQ(image.pixel(12, 10), qRgb(255, 255, 255)); // right and bottom lie outside

    QImage frame = white(32, 32);
    raster::frameHatched(frame, {24, 20, 0, 4}, qRgb(255, 0, 0)); // corners in any order
    for (int x = 0; x < 24; ++x)
        EXPECT_EQ(frame.pixel(x, 4) == qRgb(255, 0, 0), raster::hatchAt(x, 4));
    EXPECT_EQ(frame.pixel(12, 12), qRgb(255, 255, 255));
}

} // namespace
} // namespace kiv
