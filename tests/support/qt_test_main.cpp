// Test main: a Qt application object, so that posted messages reach their
// targets while a test waits and windows can be made.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Windows are drawn off screen, also when the build lists the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
