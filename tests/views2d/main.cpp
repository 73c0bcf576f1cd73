// The map's glyphs and icons are drawn with Qt's fonts, which need a GUI application.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Also when CTest lists the tests, without the test's environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
