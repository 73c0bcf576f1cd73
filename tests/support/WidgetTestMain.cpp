// Widget tests need one QApplication for the whole program, on the offscreen platform also
// when CTest lists the tests (its environment applies to the runs only).
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Offscreen means without OpenGL, whatever the caller's environment: where DISPLAY names an
    // X server, the platform would open it for OpenGL and load its driver, whose allocations
    // outlive the program, and the widgets would draw otherwise than they do on a machine
    // without one. The tests that want OpenGL run on the display's platform.
    if (qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"))
        qputenv("QT_QPA_OFFSCREEN_NO_GLX", "1");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
