// Runs the GoogleTest cases of Qt code inside a QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/main_frame.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // CTest lists the cases by running the program without the tests' environment; without a display
    // the application could not start then.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "1");
    QApplication app(argc, argv);
    UseQtHost();
    return RUN_ALL_TESTS();
}
