// The flat maps' shared mouse logic: the place under a pixel, the part of a map under a zoom
// box, the background rectangle and picture size for it, the frame titles, and the zoom drag.
#include "views2d/MapExtent.h"
#include "views2d/MapMouse.h"
#include "views2d/MapTexts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kiv {
namespace {

const QSize kMap(720, 360);

// Drags a zoom box from a to b and returns what the release gave.
MapMouse::Release drag(MapMouse& mouse, QPoint a, QPoint b)
{
    mouse.setZoomMode(true);
    EXPECT_TRUE(mouse.press(MapMouse::Left, a));
    mouse.move(b);
    return mouse.release(MapMouse::Left);
}

TEST(MapExtent, PointsOfTheWholeWorld)
{
    const struct {
        QPointF pixel;
        GeoPoint expected;
    } cases[] = {
        {{360, 180}, {0.0, 0.0}},
        {{0, 0}, {90.0, 180.0}},
        {{540, 270}, {-45.0, -90.0}},
        {{720, 360}, {-90.0, -180.0}},
        {{1, 1}, {89.5, 179.5}}, // floating division
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapExtent{}.pointAt(c.pixel, kMap), c.expected) << c.pixel.x() << "," << c.pixel.y();
    // An empty picture gives the extent's corner, not a division by zero.
    EXPECT_EQ(MapExtent{}.pointAt({5, 5}, QSize(0, 0)), (GeoPoint{90.0, 180.0}));
}

TEST(MapExtent, PartUnderADraggedBoxInEitherDirection)
{
    MapMouse mouse;
    const MapMouse::Release forward = drag(mouse, {360, 90}, {540, 180});
    ASSERT_TRUE(forward.box);
    EXPECT_FALSE(mouse.zoomMode()); // one shot
    const MapMouse::Release backward = drag(mouse, {540, 180}, {360, 90});
    ASSERT_TRUE(backward.box);
    EXPECT_EQ(*forward.box, *backward.box);
    const MapExtent e = MapExtent{}.part(*forward.box, kMap);
    EXPECT_EQ(e, (MapExtent{0.0, -90.0, 45.0, 0.0}));
    EXPECT_EQ(sourceRect(e, {2048, 1024}), QRect(QPoint(1024, 256), QPoint(1535, 511)));
    EXPECT_EQ(pictureSize(e, 1920 * 50 / 100), QSize(960, 480));
}

TEST(MapExtent, PartOfAPartAndTheSmallestSpan)
{
    const MapExtent region{0.0, -90.0, 45.0, 0.0};
    // The left half of the region's upper half.
    EXPECT_EQ(region.part(QRect(0, 0, 360, 180), kMap), (MapExtent{0.0, -45.0, 45.0, 22.5}));
    // A box of no width grows to the smallest span about its line.
    const MapExtent thin = MapExtent{}.part(QRect(360, 90, 0, 90), kMap);
    EXPECT_NEAR(thin.left - thin.right, MapExtent::kMinSpan, 1e-12);
    EXPECT_NEAR((thin.left + thin.right) / 2.0, 0.0, 1e-12);
    EXPECT_TRUE(std::isfinite(pictureSize(thin, 960).height()));
}

TEST(MapExtent, PictureSizesStayWithinBounds)
{
    const struct {
        MapExtent extent;
        int width;
        QSize expected;
    } cases[] = {
        {{0.0, -90.0, 45.0, 0.0}, 960, {960, 480}},
        {{0.0, -90.0, 45.0, 0.0}, 0, {64, 32}},          // no view narrower than 64
        {{0.0, -90.0, 45.0, 0.0}, 100000, {8192, 4096}}, // nor wider than 8192
        {{0.0, -1.0, 90.0, -90.0}, 960, {45, 8192}},     // tall: the height caps, the width follows
        {{0.0, -90.0, 0.0, 0.0}, 960, {960, 1}},         // no height: at least one pixel
        {{180.0, -180.0, 90.0, -90.0}, 1000, {1000, 500}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pictureSize(c.extent, c.width), c.expected) << c.width;
}

TEST(MapExtent, RectOfTheDocumentsViewsRoundTrips)
{
    const MapExtent e{10.0, -20.0, 30.0, -40.0};
    EXPECT_EQ(e.toRect(), QRectF(10.0, 30.0, -30.0, -70.0));
    EXPECT_EQ(MapExtent::fromRect(e.toRect()), e);
}

TEST(MapTexts, PositionAndZoomTitles)
{
    const auto at = [](QPoint p) { return mapTexts::positionTitle(MapExtent{}.pointAt(p, kMap), p); };
    EXPECT_EQ(at({360, 180}), QString::fromUtf8("lat = 0.00° N/ lon = 0.00° W :: x = 360 y = 180"));
    EXPECT_EQ(at({0, 0}), QString::fromUtf8("lat = 90.00° N/ lon = 180.00° W :: x = 0 y = 0"));
    EXPECT_EQ(at({540, 270}), QString::fromUtf8("lat = 45.00° S/ lon = 90.00° E :: x = 540 y = 270"));
    // A hair west of zero rounds to zero without a minus sign.
    EXPECT_EQ(mapTexts::positionTitle({-0.001, -0.0}, {1, 2}), QString::fromUtf8("lat = 0.00° S/ lon = 0.00° W :: x = 1 y = 2"));
    EXPECT_EQ(mapTexts::zoomTitle({45.0, 0.0}, {-12.345, -90.0}),
              QString::fromUtf8("lat1 = 45.00° N/ lon1 = 0.00° W ::lat2 = 12.35° S/ lon2 = 90.00° E"));
}

TEST(MapMouse, SmallZoomBoxesAreDropped)
{
    const struct {
        QPoint a, b;
        bool kept;
    } cases[] = {
        {{100, 100}, {100, 100}, false}, // a click
        {{100, 100}, {102, 150}, false}, // under 3 px wide
        {{100, 100}, {150, 98}, false},  // under 3 px high
        {{100, 100}, {103, 103}, true},
        {{100, 100}, {97, 97}, true},
    };
    for (const auto& c : cases) {
        MapMouse mouse;
        const MapMouse::Release r = drag(mouse, c.a, c.b);
        EXPECT_TRUE(r.zoomEnded);
        EXPECT_EQ(r.box.has_value(), c.kept) << c.b.x() << "," << c.b.y();
        EXPECT_FALSE(mouse.zoomMode());
        EXPECT_FALSE(mouse.dragging());
    }
}

TEST(MapMouse, ButtonsCursorsAndVerticalSteps)
{
    MapMouse mouse;
    EXPECT_FALSE(mouse.press(MapMouse::Left, {10, 50})); // not in zoom mode: no zoom drag
    EXPECT_EQ(mouse.cursor(), MapCursor::Drag);
    EXPECT_EQ(mouse.move({10, 50}).dz, 0.0); // the first move is its own previous one
    EXPECT_EQ(mouse.move({10, 40}).dz, 10.0);
    mouse.press(MapMouse::Right, {10, 40});
    EXPECT_EQ(mouse.cursor(), MapCursor::Both);
    EXPECT_EQ(mouse.move({10, 45}).dz, -5.0);
    const MapMouse::Release r = mouse.release(MapMouse::Right); // both flags clear
    EXPECT_FALSE(r.zoomEnded);
    EXPECT_FALSE(mouse.left());
    EXPECT_EQ(mouse.cursor(), MapCursor::Arrow);
    // In zoom mode the left button shows the arrow; the right button does not end the drag.
    mouse.setZoomMode(true);
    EXPECT_TRUE(mouse.press(MapMouse::Left, {5, 5}));
    EXPECT_EQ(mouse.cursor(), MapCursor::Arrow);
    EXPECT_TRUE(mouse.move({50, 60}).zoomBoxMoved);
    EXPECT_EQ(mouse.zoomBox(), QRect(QPoint(5, 5), QPoint(50, 60)));
    EXPECT_FALSE(mouse.release(MapMouse::Right).zoomEnded);
    EXPECT_TRUE(mouse.zoomDragging());
    // Cancelling ends the drag and the mode with no box.
    const MapMouse::Release c = mouse.cancel();
    EXPECT_TRUE(c.zoomEnded);
    EXPECT_FALSE(c.box);
    EXPECT_FALSE(mouse.zoomMode());
}

TEST(MapMouse, ConfinedToTheClientRectangle)
{
    const QSize client(100, 50);
    EXPECT_EQ(MapMouse::confine({-10, 70}, client, 2), QPoint(-2, 51));
    EXPECT_EQ(MapMouse::confine({500, -3}, client, -2), QPoint(97, 2));
    EXPECT_EQ(MapMouse::confine({40, 20}, client, 2), QPoint(40, 20));
    EXPECT_EQ(MapMouse::confine({40, 20}, QSize(1, 1), -2), QPoint(2, 2)); // nothing left: a point
}

} // namespace
} // namespace kiv
