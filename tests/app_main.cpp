// Widget tests run offscreen in one application.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include "platform/textformat.h"

namespace {

// BRINNOW_TEST_SCREENS="1366x768,1024x576" gives the offscreen platform those
// screens, side by side from the left, the first one primary.
QByteArray OffscreenPlatform(const QTemporaryDir& folder) {
    const QStringList sizes = qEnvironmentVariable("BRINNOW_TEST_SCREENS").split(',', Qt::SkipEmptyParts);
    if (sizes.isEmpty()) return "offscreen";
    QStringList screens;
    int x = 0;
    for (const QString& size : sizes) {
        const QStringList wh = size.split('x');
        screens << QStringLiteral("{\"name\": \"Screen %1\", \"x\": %2, \"y\": 0, \"width\": %3, "
                                  "\"height\": %4, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, "
                                  "\"dpr\": 1}")
                       .arg(screens.size() + 1)
                       .arg(x)
                       .arg(wh.value(0), wh.value(1));
        x += wh.value(0).toInt();
    }
    const QString path = folder.filePath("screens.json");
    QFile config(path);
    if (!config.open(QIODevice::WriteOnly)) return "offscreen";
    config.write("{\"screens\": [" + screens.join(", ").toUtf8() + "]}");
    return "offscreen:configfile=" + QFile::encodeName(path);
}

}  // namespace

int main(int argc, char** argv) {
    const QTemporaryDir screens;
    // scripts/window-check.sh runs the on-screen tests on a real X server.
    if (qEnvironmentVariableIsEmpty("BRINNOW_ON_SCREEN"))
        qputenv("QT_QPA_PLATFORM", OffscreenPlatform(screens));
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
