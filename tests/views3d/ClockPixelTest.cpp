// The 3D clock drawn off-screen at 200 x 200, checked pixel by pixel with coarse tolerances.
#include "tests/support/OffscreenGl.h"
#include "views3d/ClockRenderer.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

using namespace kiv;

namespace {

constexpr int kSize = 200;
constexpr int kCentre = kSize / 2;

ClockColors defaults()
{
    ClockColors colors;
    std::copy(defaultClockColors().begin(), defaultClockColors().end(), colors.begin());
    return colors;
}

// Pixels in window terms: x to the right, y up from the centre.
QRgb at(const QImage& image, int dx, int dy) { return image.pixel(kCentre + dx, kCentre - 1 - dy); }

bool greenest(QRgb p) { return qGreen(p) > qRed(p) + 60 && qGreen(p) > qBlue(p) + 60; }
bool purple(QRgb p) { return qRed(p) > qGreen(p) + 60 && qBlue(p) > qGreen(p) + 60; }
bool yellow(QRgb p) { return qRed(p) > qBlue(p) + 60 && qGreen(p) > qBlue(p) + 60; }
bool black(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) < 20; }

class ClockPixelTest : public ::testing::Test {
protected:
    ClockPixelTest() : gl_(kSize, kSize) {}

    ClockRenderer& clock(const ClockColors& colors = defaults())
    {
        EXPECT_TRUE(gl_.valid()) << gl_.error().toStdString();
        clocks_.push_back(std::make_unique<ClockRenderer>(colors));
        clocks_.back()->initialize(kSize, kSize);
        return *clocks_.back();
    }

    QImage draw(ClockRenderer& clock, ClockTime time)
    {
        clock.setTime(time);
        clock.render();
        return gl_.grab();
    }

    void TearDown() override
    {
        for (auto& c : clocks_)
            c->release();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    kiv::test::OffscreenGl gl_;
    std::vector<std::unique_ptr<ClockRenderer>> clocks_;
};

} // namespace

TEST_F(ClockPixelTest, HandsPointAtTheTime)
{
    ClockRenderer& c = clock();
    // 03:00: the hour hand's green tip to the right of the hub, the minute hand's above it.
    QImage image = draw(c, {3, 0, 0});
    EXPECT_TRUE(greenest(at(image, 25, 0))) << std::hex << at(image, 25, 0);
    EXPECT_TRUE(greenest(at(image, 0, 50))) << std::hex << at(image, 0, 50);
    EXPECT_FALSE(greenest(at(image, -25, 0)));
    EXPECT_FALSE(greenest(at(image, 0, -50)));
    // Between the hour gear's teeth and the dial's rim only the face shows.
    EXPECT_TRUE(purple(at(image, 0, -65))) << std::hex << at(image, 0, -65);
    for (const auto& [x, y] : {std::pair{2, 2}, {kSize - 3, 2}, {2, kSize - 3}, {kSize - 3, kSize - 3}})
        EXPECT_TRUE(black(image.pixel(x, y)));

    // 21:45 (and 09:45): the hour hand near nine, the minute hand at nine.
    image = draw(c, {21, 45, 0});
    EXPECT_TRUE(greenest(at(image, -50, 0))) << std::hex << at(image, -50, 0);
    EXPECT_FALSE(greenest(at(image, 25, 0)));
    EXPECT_FALSE(greenest(at(image, 0, 50)));
    EXPECT_EQ(draw(c, {9, 45, 0}), image);
}

TEST_F(ClockPixelTest, TransparentPartsLeaveNothingBehindForTheNextFrame)
{
    ClockColors colors = defaults();
    // The last part a frame draws; and the hands, drawn before opaque parts.
    colors[static_cast<std::size_t>(ClockPart::MinuteHourBar)][3] = 0.5f;
    colors[static_cast<std::size_t>(ClockPart::Pointer)][3] = 0.5f;
    ClockRenderer& c = clock(colors);
    draw(c, {10, 10, 30});
    const QImage moved = draw(c, {3, 0, 0});
    // The same frame after a clear of the depth buffer that nothing can have masked.
    glDepthMask(GL_TRUE);
    glClear(GL_DEPTH_BUFFER_BIT);
    EXPECT_EQ(draw(c, {3, 0, 0}), moved);
    // Opaque again: the same picture as a clock that never was transparent.
    c.setColors(defaults());
    EXPECT_EQ(draw(c, {10, 10, 30}), draw(clock(), {10, 10, 30}));
}

TEST_F(ClockPixelTest, ClocksInOneContextKeepTheirOwnLists)
{
    ClockColors blue = defaults();
    blue[static_cast<std::size_t>(ClockPart::Background)] = {0.0f, 0.0f, 1.0f, 1.0f};
    blue[static_cast<std::size_t>(ClockPart::Pointer)] = {0.0f, 0.0f, 0.4f, 1.0f};
    ClockRenderer& greenClock = clock();
    ClockRenderer& blueClock = clock(blue);
    EXPECT_NE(greenClock.listBase(), blueClock.listBase());
    QImage image = draw(greenClock, {3, 0, 0});
    EXPECT_TRUE(greenest(at(image, 25, 0)));
    EXPECT_TRUE(black(image.pixel(2, 2)));
    image = draw(blueClock, {3, 0, 0});
    EXPECT_EQ(qBlue(at(image, 25, 0)), 224) << std::hex << at(image, 25, 0);
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 255));
    // New colours for one clock leave the other as it was.
    blueClock.setColors(defaults());
    blueClock.release();
    image = draw(greenClock, {3, 0, 0});
    EXPECT_TRUE(greenest(at(image, 25, 0)));
}

TEST_F(ClockPixelTest, ViewpointMovesAndTurnsTheClock)
{
    ClockRenderer& c = clock();
    const QImage front = draw(c, {3, 0, 0});
    c.setViewpoint({0, 0, 36}); // half a turn about y: the hour gear hides dial and hands
    const QImage back = draw(c, {3, 0, 0});
    EXPECT_TRUE(yellow(at(back, -25, 0))) << std::hex << at(back, -25, 0);
    EXPECT_TRUE(yellow(at(back, 25, 0))) << std::hex << at(back, 25, 0);
    c.setViewpoint({20, 0, 0}); // 100 units nearer: everything larger
    const QImage near = draw(c, {3, 0, 0});
    EXPECT_TRUE(black(at(front, 0, -85)));
    EXPECT_FALSE(black(at(near, 0, -85)));
}
