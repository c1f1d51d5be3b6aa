// Widget tests run offscreen in one application.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/textformat.h"

int main(int argc, char** argv) {
    // scripts/window-check.sh runs the on-screen tests on a real X server.
    if (qEnvironmentVariableIsEmpty("BRINNOW_ON_SCREEN")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName("BrinnowTests");
    QApplication::setApplicationName("Vexmoor Playing Aid");
    // Settings of their own, as ctest runs tests side by side.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    UseClassicNumberFormat();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
