// The table window on a scenario of 500 ships from the 100,000-ship campaign:
// opening it until its first picture is on screen, and a mark until the
// card shows it. Goals: under 300 ms to open, under 16 ms a mark (a frame).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "bench/largedocument.h"
#include "platform/textformat.h"
#include "table/tableview.h"
#include "table/tablewindow.h"

namespace {

// The first half of the "Thousand" scenario's squadrons with their single
// ships: 5 squadrons of 90 ships and 50 single ships.
VxScenario FiveHundredShipScenario() {
    VxScenario scenario = ThousandShipScenario(Campaign());
    scenario.m_strName = "Five Hundred";
    for (VxForce& force : scenario.m_forces) force.m_squadrons.resize(force.m_squadrons.size() / 2);
    scenario.m_forces[1].m_ships.resize(scenario.m_forces[1].m_ships.size() / 2);
    return scenario;
}

std::unique_ptr<TableWindow> OpenTable(const VxScenario& scenario, const std::string& gamePath) {
    auto window = std::make_unique<TableWindow>(ScenarioSnapshot::Of(Campaign(), scenario),
                                                GameSession(Game(), gamePath), "");
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->resize(1400, 900);
    window->show();
    window->View().viewport()->repaint();
    return window;
}

void OpenFiveHundredShips(benchmark::State& state) {
    const VxScenario scenario = FiveHundredShipScenario();
    const QTemporaryDir dir;
    const std::string gamePath = dir.filePath("bench.game.json").toStdString();
    for (auto _ : state) {
        auto window = OpenTable(scenario, gamePath);
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["ships"] = double(ScenarioRoster(scenario).size());
}

// A click's work: the mark, the game file written through the safe writer,
// the card drawn again and the window repainted.
void MarkAndRepaint(benchmark::State& state) {
    const QTemporaryDir dir;
    auto window =
        OpenTable(FiveHundredShipScenario(), dir.filePath("bench.game.json").toStdString());
    int place = 0;
    for (auto _ : state) {
        window->ToggleMark(0, CardMark(place++ % int(kCardPlaceCount)));
        window->View().viewport()->repaint();
    }
}

// The same without the file: the drawing alone.
void RepaintAfterAMark(benchmark::State& state) {
    const QTemporaryDir dir;
    auto window =
        OpenTable(FiveHundredShipScenario(), dir.filePath("bench.game.json").toStdString());
    for (auto _ : state) {
        window->View().CardChanged(0);
        window->View().viewport()->repaint();
    }
}

}  // namespace

BENCHMARK(OpenFiveHundredShips)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(MarkAndRepaint)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(RepaintAfterAMark)->Unit(benchmark::kMillisecond)->Iterations(200);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseClassicNumberFormat();
    Campaign();  // generated before any timing
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
