// Find Ship per keystroke and one editing step, on a 100,000-ship campaign.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/largedocument.h"
#include "history/documentchange.h"
#include "model/brinnowdoc.h"
#include "model/shipsearch.h"

namespace {

const CBrinnowDoc& Campaign() {
    static const CBrinnowDoc doc = [] {
        CBrinnowDoc generated;
        GenerateDocument(generated, kLargeCampaign);
        return generated;
    }();
    return doc;
}

std::vector<std::size_t> AllRows(std::size_t count) {
    std::vector<std::size_t> rows(count);
    for (std::size_t i = 0; i < count; ++i) rows[i] = i;
    return rows;
}

// Each keystroke searches from the top. A text that matches nothing looks
// at every name, identifier and note: the slowest keystroke there is.
void FindKeystroke(benchmark::State& state, const char* text) {
    const CArray<VxShip>& ships = Campaign().m_ships;
    const std::vector<std::size_t> rows = AllRows(ships.size());
    for (auto _ : state) {
        const ShipSearch search(text);
        benchmark::DoNotOptimize(search.Next(ships, rows, std::nullopt, false));
    }
}
BENCHMARK_CAPTURE(FindKeystroke, no_match, "zqxjv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindKeystroke, one_letter, "e")->Unit(benchmark::kMillisecond);

// The history's work around an editor: start recording when the dialog
// opens, collect what changed when it closes.
void EditorStep(benchmark::State& state, bool changeOneShip) {
    CBrinnowDoc doc = Campaign();
    std::size_t cost = 0;
    for (auto _ : state) {
        doc.StartRecording();
        if (changeOneShip) doc.m_ships.Modify(50000).m_dDF += 1;
        const DocumentChange change = DocumentChange::Recorded(doc);
        cost = change.Cost();
    }
    state.counters["step_KB"] = double(cost) / 1024;
}
BENCHMARK_CAPTURE(EditorStep, unchanged, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EditorStep, one_ship, true)->Unit(benchmark::kMillisecond);

// Removing an armament moves references in most ships: the largest
// ordinary step, and what it costs to keep.
void ArmamentRemovalStep(benchmark::State& state) {
    std::size_t cost = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CBrinnowDoc doc = Campaign();
        doc.StartRecording();
        state.ResumeTiming();
        doc.RemoveArmament(0);
        const DocumentChange change = DocumentChange::Recorded(doc);
        cost = change.Cost();
    }
    state.counters["step_MB"] = double(cost) / (1 << 20);
}
BENCHMARK(ArmamentRemovalStep)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
