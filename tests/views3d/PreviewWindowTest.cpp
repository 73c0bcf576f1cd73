// The style preview as a window: it shows the look it is given, in a context of its own.
#include "tests/support/GlDriver.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "views3d/CSatellitePreview.h"

#include <gtest/gtest.h>

using namespace kiv;

TEST(PreviewWindow, ShowsTheLookItIsGivenAndTakesANewOne)
{
    kiv::test::ScriptedMessageBoxes messages;
    QWidget window;
    auto* preview = new CSatellitePreview(messages, &window);
    preview->setGeometry(0, 0, 120, 120);
    PreviewLook nothing;
    preview->SetLook(nothing); // before the context: kept for the set-up
    window.show();
    const QImage empty = preview->grabFramebuffer();
    kiv::test::keepGlDriverLoaded();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(empty.pixel(60, 60) & 0xFFFFFF, 0u);

    PreviewLook sphere;
    sphere.body.style = kSphereBody;
    preview->SetLook(sphere);
    EXPECT_NE(preview->grabFramebuffer().pixel(60, 60) & 0xFFFFFF, 0u);
}
