// The table window on a scenario of 500 ships from the 100,000-ship campaign:
// opening it until its first picture is on screen, and a mark until the
// card shows it. Goals: under 300 ms to open, under 16 ms a mark (a frame).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWindow>

#include "bench/largedocument.h"
#include "platform/textformat.h"
#include "table/tableview.h"
#include "table/tablewindow.h"

namespace {

// Half the "Thousand" scenario: 5 squadrons of 90 ships (3 in the first
// force, 2 in the second) and 50 single ships.
VxScenario FiveHundredShipScenario() {
    VxScenario scenario = ThousandShipScenario(Campaign());
    scenario.m_strName = "Five Hundred";
    scenario.m_forces[0].m_squadrons.resize(3);
    scenario.m_forces[1].m_squadrons.resize(2);
    scenario.m_forces[1].m_ships.resize(50);
    return scenario;
}

std::unique_ptr<TableWindow> OpenTable(const VxScenario& scenario, const std::string& gamePath) {
    auto window = std::make_unique<TableWindow>(ScenarioSnapshot::Of(Campaign(), scenario),
                                                GameSession(Game(), gamePath), "");
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->resize(1400, 900);
    window->show();
    while (!window->windowHandle()->isExposed()) QApplication::processEvents();
    // The first picture of the cards, drawn now rather than when the event
    // loop comes round to it.
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

// A click's work: the mark, the card drawn again and the table repainted,
// then the game file written through the safe writer and synced.
void MarkAndRepaint(benchmark::State& state) {
    const QTemporaryDir dir;
    auto window =
        OpenTable(FiveHundredShipScenario(), dir.filePath("bench.game.json").toStdString());
    int place = 0;
    for (auto _ : state) {
        window->ToggleMark(0, CardMark(place++ % int(kCardPlaceCount)));
    }
}

// What the window does before it writes the file: the card drawn again with
// its mark and the table repainted. This is when the mark shows.
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
