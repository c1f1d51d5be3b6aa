// The main of the benchmarks that draw: Qt's fonts need a GUI application,
// and numbers are formatted as the document expects whatever the locale.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "platform/textformat.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    UseClassicNumberFormat();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
