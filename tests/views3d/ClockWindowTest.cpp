// Two clock windows side by side in one window, as the time dialog has them.
#include "tests/support/GlDriver.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "views3d/CClock3D.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

using namespace kiv;

namespace {

ClockColors withBackground(float r, float g, float b)
{
    ClockColors colors;
    std::copy(defaultClockColors().begin(), defaultClockColors().end(), colors.begin());
    colors[0] = {r, g, b, 1.0f};
    return colors;
}

void mouse(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

} // namespace

TEST(ClockWindow, EachClockKeepsItsColoursAndCanBeDragged)
{
    kiv::test::ScriptedMessageBoxes messages;
    QWidget window;
    window.resize(420, 200);
    auto* blue = new CClock3D(messages, withBackground(0.0f, 0.0f, 1.0f), &window);
    auto* red = new CClock3D(messages, withBackground(1.0f, 0.0f, 0.0f), &window);
    blue->setGeometry(0, 0, 200, 200);
    red->setGeometry(210, 0, 200, 200);
    window.show();
    blue->UpdateTime({3, 0, 0});
    red->UpdateTime({3, 0, 0});
    const QImage bluePicture = blue->grabFramebuffer();
    kiv::test::keepGlDriverLoaded();
    EXPECT_EQ(bluePicture.pixel(2, 2), qRgb(0, 0, 255));
    EXPECT_EQ(red->grabFramebuffer().pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_TRUE(messages.shown().empty());

    // New colours for one clock leave the other's lists alone (their contexts share list names).
    ClockColors green = withBackground(0.0f, 1.0f, 0.0f);
    green[static_cast<std::size_t>(ClockPart::Face)] = {0.0f, 1.0f, 0.0f, 1.0f};
    red->ChangeColors(green);
    EXPECT_EQ(red->grabFramebuffer().pixel(2, 2), qRgb(0, 255, 0));
    EXPECT_EQ(blue->grabFramebuffer(), bluePicture);
    blue->UpdateTime({9, 0, 0});
    EXPECT_NE(blue->grabFramebuffer(), bluePicture);

    mouse(*red, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    mouse(*red, QEvent::MouseMove, {30, 25}, Qt::NoButton, Qt::LeftButton);
    mouse(*red, QEvent::MouseButtonRelease, {30, 25}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(red->pos(), QPoint(230, 15));
    mouse(*red, QEvent::MouseMove, {60, 60}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(red->pos(), QPoint(230, 15)) << "moving without the button does not drag";
}
