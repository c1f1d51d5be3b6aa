// Tests that draw text need a GUI application for fonts.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "platform/textformat.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    UseClassicNumberFormat();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
