// The image preview's visible window: zoom and pan by the pointer, the edge setters, the double
// click and the source rectangle, without a window.
#include "dialogs/PreviewWindow.h"

#include <gtest/gtest.h>

using namespace kiv;

namespace {

void expectWindow(const PreviewWindow& w, double left, double top, double right, double bottom)
{
    EXPECT_NEAR(w.left(), left, 1e-6);
    EXPECT_NEAR(w.top(), top, 1e-6);
    EXPECT_NEAR(w.right(), right, 1e-6);
    EXPECT_NEAR(w.bottom(), bottom, 1e-6);
}

// The zoom cursor, the first position already seen.
PreviewWindow zooming()
{
    PreviewWindow w;
    w.OnRButtonDown();
    w.OnMouseMove(100, 100);
    return w;
}

} // namespace

TEST(PreviewWindowTest, ZoomTextCountsPicturePixelsPerScreenPixel)
{
    PreviewWindow w;
    EXPECT_EQ(w.zoomText(1024, 256), "ZOOM : 4.000");
    EXPECT_EQ(w.zoomText(300, 400), "ZOOM : 0.750");
}

TEST(PreviewWindowTest, ZoomingInNarrowsEverySideAndZoomingOutWidensThemBack)
{
    PreviewWindow w = zooming();
    for (int i = 1; i <= 30; ++i)
        w.OnMouseMove(100 + i, 100 + i); // down, and a little to the right, which does nothing
    EXPECT_NEAR(w.left(), 0.30, 1e-9);
    EXPECT_NEAR(w.top(), 0.30, 1e-9);
    EXPECT_NEAR(w.right(), 0.70, 1e-9);
    EXPECT_NEAR(w.bottom(), 0.70, 1e-9);
    for (int i = 29; i >= 0; --i)
        w.OnMouseMove(100, 100 + i);
    expectWindow(w, 0.0, 0.0, 1.0, 1.0);

    // Far down the window stops before its sides meet.
    for (int i = 1; i <= 80; ++i)
        w.OnMouseMove(100, 100 + i);
    EXPECT_LT(w.left(), w.right());
    EXPECT_LT(w.top(), w.bottom());
}

TEST(PreviewWindowTest, ZoomingOutOfTheWholePictureKeepsIt)
{
    PreviewWindow w = zooming();
    w.OnMouseMove(100, 90);
    expectWindow(w, 0.0, 0.0, 1.0, 1.0);
}

TEST(PreviewWindowTest, EdgeSettersMoveThePartnerOrResetTheWindow)
{
    const struct {
        const char* what;
        void (PreviewWindow::*first)(float);
        float firstValue;
        void (PreviewWindow::*set)(float);
        float value;
        double left, top, right, bottom;
    } cases[] = {
        {"inside", nullptr, 0, &PreviewWindow::SetLeft, 0.25f, 0.25, 0, 1, 1},
        {"left past 1 pulls right in", &PreviewWindow::SetRight, 0.8f, &PreviewWindow::SetLeft, 1.5f, 1.0, 0, 0.79, 1},
        {"right below 0 pushes left out", &PreviewWindow::SetLeft, 0.3f, &PreviewWindow::SetRight, -0.5f, 0.31, 0, 0.0, 1},
        {"top below 0 with no room resets", nullptr, 0, &PreviewWindow::SetTop, -0.01f, 0, 0, 1, 1},
        {"bottom past 1 pulls top in", &PreviewWindow::SetTop, 0.5f, &PreviewWindow::SetBottom, 1.2f, 0, 0.49, 1, 1.0},
        {"bottom past 1 with top at 0 resets", &PreviewWindow::SetBottom, 0.5f, &PreviewWindow::SetBottom, 1.2f, 0, 0,
         1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PreviewWindow w;
        if (c.first)
            (w.*c.first)(c.firstValue);
        (w.*c.set)(c.value);
        expectWindow(w, c.left, c.top, c.right, c.bottom);
    }
}

TEST(PreviewWindowTest, PanningTestsTheEdgeBeforeEachStep)
{
    PreviewWindow w;
    w.OnLButtonDown();
    EXPECT_EQ(w.cursor(), PreviewCursor::Pan);
    w.OnMouseMove(50, 50);
    for (int i = 1; i <= 5; ++i)
        w.OnMouseMove(50 + i, 50); // right: the right edge is at 1 already
    expectWindow(w, 0.0, 0.0, 1.0, 1.0);
    for (int i = 4; i >= 0; --i)
        w.OnMouseMove(50 + i, 50); // left: one step past 0, then no more
    expectWindow(w, -0.01, 0.0, 0.99, 1.0);
    for (int i = 1; i <= 3; ++i)
        w.OnMouseMove(50, 50 - i); // up, likewise
    expectWindow(w, -0.01, -0.01, 0.99, 0.99);
    w.OnMouseMove(50, 60);
    expectWindow(w, -0.01, 0.0, 0.99, 1.0);
}

TEST(PreviewWindowTest, ButtonsChooseTheCursor)
{
    const struct {
        bool leftFirst, second;
        PreviewCursor cursor;
    } cases[] = {{true, false, PreviewCursor::Pan}, {true, true, PreviewCursor::Pan}, {false, false, PreviewCursor::Zoom},
                 {false, true, PreviewCursor::Zoom}};
    for (const auto& c : cases) {
        PreviewWindow w;
        if (c.leftFirst)
            w.OnLButtonDown();
        else
            w.OnRButtonDown();
        if (c.second) // the other button too: left after right zooms, right after left as well
            c.leftFirst ? w.OnRButtonDown() : w.OnLButtonDown();
        EXPECT_EQ(w.cursor(), c.second ? PreviewCursor::Zoom : c.cursor);
        EXPECT_TRUE(w.buttonDown());
        w.OnButtonUp();
        EXPECT_EQ(w.cursor(), PreviewCursor::Arrow);
        EXPECT_FALSE(w.buttonDown());
        w.OnMouseMove(1, 1);
        w.OnMouseMove(1, 9); // the arrow changes nothing
        expectWindow(w, 0, 0, 1, 1);
    }
}

TEST(PreviewWindowTest, DoubleClickShowsOnePicturePixelPerScreenPixel)
{
    PreviewWindow w;
    w.OnLButtonDblClk({512, 256}, {256, 128});
    expectWindow(w, 0.0, 0.0, 0.5, 0.5);
    EXPECT_EQ(w.zoomText(512, 256), "ZOOM : 1.000");

    // Near the right and bottom edges the window ends there.
    PreviewWindow edge;
    edge.SetLeft(0.8f);
    edge.SetTop(0.9f);
    edge.OnLButtonDblClk({1000, 1000}, {250, 250});
    expectWindow(edge, 0.75, 0.75, 1.0, 1.0);
}

TEST(PreviewWindowTest, SourceRectangleIsCutTowardZero)
{
    PreviewWindow w;
    EXPECT_EQ(w.sourceRect({1024, 512}), QRect(0, 0, 1024, 512));
    w.SetLeft(0.333f);
    w.SetTop(0.25f);
    w.SetRight(0.6f);
    EXPECT_EQ(w.sourceRect({1000, 100}), QRect(333, 25, 267, 75));
    PreviewWindow panned;
    panned.OnLButtonDown();
    panned.OnMouseMove(10, 10);
    panned.OnMouseMove(9, 10);
    EXPECT_EQ(panned.sourceRect({1000, 100}).left(), -10); // past the edge: black there
}
