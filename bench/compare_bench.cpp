// Compare Forces on a scenario of 2,000 forces of the 100,000-ship campaign:
// the figures, their table and JSON, the HTML section, and the window opened
// and shown as the user sees it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>

#include "bench/largedocument.h"
#include "charts/comparewindow.h"
#include "compare/comparejson.h"
#include "compare/comparesvg.h"
#include "compare/comparetable.h"
#include "platform/textformat.h"

namespace {

constexpr int kForces = 2000;

const VxScenario& Scenario() {
    static const VxScenario scenario = ManyForceScenario(Campaign(), kForces);
    return scenario;
}

void CompareTwoThousandForces(benchmark::State& state) {
    for (auto _ : state) {
        const auto forces = CompareForces(ScenarioSnapshot::Of(Campaign(), Scenario()));
        benchmark::DoNotOptimize(forces.data());
    }
}
BENCHMARK(CompareTwoThousandForces)->Unit(benchmark::kMillisecond);

void TableTextAndJson(benchmark::State& state) {
    const auto forces = CompareForces(ScenarioSnapshot::Of(Campaign(), Scenario()));
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string json;
        JsonWriter writer([&json](const char* data, std::size_t size) { json.append(data, size); });
        WriteCompareJson(writer, Scenario().m_strName, forces);
        bytes = CompareTable::Of(forces).Text().size() + json.size();
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(TableTextAndJson)->Unit(benchmark::kMillisecond);

void HtmlSection(benchmark::State& state) {
    const auto forces = CompareForces(ScenarioSnapshot::Of(Campaign(), Scenario()));
    for (auto _ : state) benchmark::DoNotOptimize(ForcesComparedSection(forces).size());
}
BENCHMARK(HtmlSection)->Unit(benchmark::kMillisecond);

// From the menu command to the window painted: the figures, the chart, the
// table and the first paint.
void OpenWindow(benchmark::State& state) {
    Campaign();
    Scenario();
    for (auto _ : state) {
        auto* window = new CompareWindow(Scenario().m_strName, "", [] {
            return CompareForces(ScenarioSnapshot::Of(Campaign(), Scenario()));
        });
        window->show();
        window->grab();
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(OpenWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseClassicNumberFormat();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
