// Fitting a view's frame to its picture, and a picture to a printed page.
#include "views2d/ViewGeometry.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

const QMargins kInsets(4, 30, 5, 6); // left, top (title bar), right, bottom

TEST(ViewGeometry, PictureThatFitsGetsACentredFrame)
{
    const FrameFit fit = fitFrame({1200, 800}, kInsets, {1024, 512});
    EXPECT_TRUE(fit.unmaximise);
    EXPECT_EQ(fit.frame, QRect(88, 144, 1024 + 5 + 8, 512 + 30 + 12));
    // Equal to the area counts as fitting.
    EXPECT_TRUE(fitFrame({1024, 512}, kInsets, {1024, 512}).unmaximise);
    EXPECT_EQ(fitFrame({1024, 512}, kInsets, {1024, 512}).frame.topLeft(), QPoint(0, 0));
}

TEST(ViewGeometry, TooLargePictureTakesTheFullHeightAtTheCorner)
{
    for (const QSize base : {QSize(2048, 512), QSize(1024, 1024)}) {
        const FrameFit fit = fitFrame({1200, 800}, kInsets, base);
        EXPECT_FALSE(fit.unmaximise);
        EXPECT_EQ(fit.frame, QRect(0, 0, base.width() + 30 + 2, 800));
    }
}

TEST(ViewGeometry, PrintedPictureKeepsItsProportions)
{
    EXPECT_EQ(fitToPage({1024, 512}, QRect(0, 0, 4000, 6000)), QRect(0, 2000, 4000, 2000));
    EXPECT_EQ(fitToPage({100, 400}, QRect(10, 20, 1000, 1000)), QRect(385, 20, 250, 1000));
    EXPECT_TRUE(fitToPage({}, QRect(0, 0, 10, 10)).isEmpty());
}

} // namespace
} // namespace kiv
