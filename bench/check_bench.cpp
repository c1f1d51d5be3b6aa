// The campaign check on the 100,000-ship campaign: what Tools > Check
// Campaign pays after every edit, and the name index a print's warning and
// the squadron editor's marks build.
#include <benchmark/benchmark.h>

#include "bench/largedocument.h"
#include "model/campaigncheck.h"
#include "model/shipnameindex.h"

namespace {

void CheckLargeCampaign(benchmark::State& state) {
    const CBrinnowDoc& doc = Campaign();
    std::size_t findings = 0;
    for (auto _ : state) {
        findings = CheckCampaign(doc).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = double(findings);
}
BENCHMARK(CheckLargeCampaign)->Unit(benchmark::kMillisecond);

void IndexShipNames(benchmark::State& state) {
    const CBrinnowDoc& doc = Campaign();
    for (auto _ : state) {
        const ShipNameIndex index(doc.m_ships);
        benchmark::DoNotOptimize(index.Find("Ship 5"));
    }
}
BENCHMARK(IndexShipNames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
