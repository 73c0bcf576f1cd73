// The map's glyphs and icons are drawn with Qt's fonts, and the views are widgets: one
// QApplication for the whole program.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Also when CTest lists the tests, without the test's environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
