// The weather picture's place on the background map, the refused bounds and sizes, and the
// composed pixels.
#include "imaging/WeatherOverlay.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kiv;

namespace {
const OverlayBounds kWide{70.0, 180.0, -70.0, -180.0};

QImage filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}
} // namespace

TEST(WeatherOverlayTest, SizeAndPlacementFollowTheBounds)
{
    const struct {
        OverlayBounds bounds;
        QSize weather;
        QSize requested;
        QSize map;
        QRect placement;
    } cases[] = {
        // The picture's own scale: 360 / 360 x 1000 and trunc(180 / 140 x 400); rows 57 to 456.
        {kWide, {1000, 400}, {0, 0}, {1000, 514}, {0, 57, 1000, 399}},
        // A given size: rows trunc(512 / 180 x 20) = 56 to trunc(512 / 180 x 160) = 455.
        {kWide, {100, 40}, {1024, 512}, {1024, 512}, {0, 56, 1024, 399}},
        // A quarter of the earth east of Greenwich and north of the equator.
        {{90.0, 0.0, 0.0, -90.0}, {10, 10}, {360, 180}, {360, 180}, {180, 0, 90, 90}},
    };
    for (const auto& c : cases) {
        const OverlayPlan plan = planOverlay(c.bounds, c.weather, c.requested);
        ASSERT_TRUE(plan.ok());
        EXPECT_EQ(plan.mapSize, c.map);
        EXPECT_EQ(plan.placement, c.placement);
    }
}

TEST(WeatherOverlayTest, UnusableBoundsAndSizesAreRefusedWithAReason)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        OverlayBounds bounds;
        QSize weather;
        QSize requested;
        OverlayPlan::Error error;
    } cases[] = {
        {"equal longitudes", {70, 30, -70, 30}, {100, 40}, {0, 0}, OverlayPlan::Error::Bounds},
        {"equal latitudes", {10, 180, 10, -180}, {100, 40}, {0, 0}, OverlayPlan::Error::Bounds},
        {"longitudes reversed", {70, -180, -70, 180}, {100, 40}, {1024, 512}, OverlayPlan::Error::Bounds},
        {"latitudes reversed", {-70, 180, 70, -180}, {100, 40}, {1024, 512}, OverlayPlan::Error::Bounds},
        {"not a number", {nan, 180, -70, -180}, {100, 40}, {1024, 512}, OverlayPlan::Error::Bounds},
        {"ten degrees of 4000 pixels", {70, 5, -70, -5}, {4000, 400}, {0, 0}, OverlayPlan::Error::Size},
        {"only the width zero", kWide, {100, 40}, {0, 512}, OverlayPlan::Error::Size},
        {"only the height zero", kWide, {100, 40}, {1024, 0}, OverlayPlan::Error::Size},
        {"negative", kWide, {100, 40}, {-5, 512}, OverlayPlan::Error::Size},
        {"too high", kWide, {100, 40}, {1024, 8193}, OverlayPlan::Error::Size},
        {"empty picture at its own scale", kWide, {0, 0}, {0, 0}, OverlayPlan::Error::Size},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const OverlayPlan plan = planOverlay(c.bounds, c.weather, c.requested);
        EXPECT_EQ(plan.error, c.error);
        EXPECT_FALSE(overlayErrorText(plan, true).isEmpty());
        EXPECT_FALSE(overlayErrorText(plan, false).isEmpty());
        EXPECT_TRUE(composeOverlay(filled(8, 8, 0xff0000ff), filled(2, 2, 0xffff0000), plan).isNull());
    }
    EXPECT_TRUE(overlayErrorText(planOverlay({70, 5, -70, -5}, {4000, 400}, {0, 0}), true).contains(QStringLiteral("144000 x 514")));
    // The map fits the 512 MiB budget beside GL's copy of it, 4 bytes a texel on sides of powers of
    // two not above a side + 1, and beside the pictures held meanwhile: just inside and just outside.
    constexpr qint64 kMiB = 1 << 20;
    EXPECT_TRUE(planOverlay(kWide, {100, 40}, {16384, 4096}).ok());
    EXPECT_EQ(planOverlay(kWide, {100, 40}, {16384, 4097}).error, OverlayPlan::Error::Budget);
    EXPECT_EQ(planOverlay(kWide, {100, 40}, {16384, 8192}).error, OverlayPlan::Error::Budget);
    EXPECT_TRUE(planOverlay(kWide, {100, 40}, {1024, 512}, 256 * kMiB).ok());
    EXPECT_TRUE(planOverlay(kWide, {100, 40}, {8192, 8192}, 256 * kMiB).ok());
    EXPECT_EQ(planOverlay(kWide, {100, 40}, {8192, 8192}, 256 * kMiB + 1).error, OverlayPlan::Error::Budget);
    EXPECT_TRUE(overlayErrorText(planOverlay(kWide, {100, 40}, {16384, 8192}), true).contains(QStringLiteral("512 MiB")));
}

TEST(WeatherOverlayTest, TheWeatherPictureReplacesTheBackgroundInItsRows)
{
    const QImage map =
        composeOverlay(filled(512, 256, 0xff0000ff), filled(100, 40, 0xffff0000), planOverlay(kWide, {100, 40}, {1024, 512}));
    ASSERT_EQ(map.size(), QSize(1024, 512));
    for (int y = 0; y < 512; ++y) {
        const QRgb expected = y >= 56 && y <= 454 ? 0xffff0000 : 0xff0000ff;
        for (const int x : {0, 1, 511, 512, 1022, 1023})
            ASSERT_EQ(map.pixel(x, y), expected) << x << "," << y;
    }
}
