// The day and night maps at the window's size: scaled once per size and map, not per picture.
#include "views2d/ScaledMaps.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

QImage solid(QRgb colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(64, 32, format);
    image.fill(colour);
    return image;
}

TEST(ScaledMaps, RescalesOnlyWhenTheSizeOrAMapChanges)
{
    ScaledMaps maps;
    const QImage day = solid(qRgb(200, 0, 0)), night = solid(qRgb(0, 0, 200));
    EXPECT_TRUE(maps.update(day, night, {128, 64}));
    EXPECT_EQ(maps.day().size(), QSize(128, 64));
    EXPECT_EQ(maps.day().format(), QImage::Format_RGB32);
    EXPECT_EQ(maps.night().pixel(100, 50), qRgb(0, 0, 200));
    const qint64 key = maps.day().cacheKey();
    EXPECT_FALSE(maps.update(day, night, {128, 64}));
    EXPECT_EQ(maps.day().cacheKey(), key);
    EXPECT_TRUE(maps.update(day, night, {130, 65}));
    EXPECT_TRUE(maps.update(solid(qRgb(0, 200, 0)), night, {130, 65}));
    EXPECT_EQ(maps.day().pixel(1, 1), qRgb(0, 200, 0));
}

TEST(ScaledMaps, MissingMapsBecomePlainAndAnEmptySizeHoldsNothing)
{
    ScaledMaps maps;
    maps.update({}, {}, {16, 8});
    EXPECT_EQ(maps.night().pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_EQ(maps.day().size(), QSize(16, 8));
    maps.update({}, {}, {0, 0});
    EXPECT_TRUE(maps.day().isNull());
}

TEST(ScaledMaps, ANightMapOfSixteenBitsEndsSmoothScalingForGood)
{
    ScaledMaps maps;
    EXPECT_TRUE(maps.smooth());
    maps.update(solid(qRgb(1, 2, 3)), solid(qRgb(0, 0, 0), QImage::Format_RGB16), {128, 64});
    EXPECT_FALSE(maps.smooth());
    maps.update(solid(qRgb(1, 2, 3)), solid(qRgb(0, 0, 0)), {256, 128});
    EXPECT_FALSE(maps.smooth());
}

} // namespace
} // namespace kiv
