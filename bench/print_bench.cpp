// The print jobs on a real PDF page: a multi print of 10,000 ships, a
// scenario of 1,000 ships, and a squadron of hostile size.
#include <benchmark/benchmark.h>

#include <QDir>

#include "bench/largedocument.h"
#include "model/brinnowdoc.h"
#include "platform/pdfsurface.h"
#include "print/multiprintjob.h"
#include "print/scenarioprintjob.h"
#include "print/squadronprintjob.h"

namespace {

std::string PdfPath() { return QDir::tempPath().toStdString() + "/brinnow_print_bench.pdf"; }

// Runs a job on a fresh A4 PDF at 600 dpi, written and replaced each time.
template <class Job>
void OnPdf(benchmark::State& state, Job job) {
    for (auto _ : state) {
        PdfSurface pdf(PdfPath(), QPageSize(QPageSize::A4), 600);
        job(pdf.Dc());
        if (!pdf.Finish()) state.SkipWithError(pdf.Error().c_str());
    }
}

void MultiPrintOfShips(benchmark::State& state) {
    MultiPrintSelection selection;
    for (int i = 0; i < state.range(0); ++i) {
        selection.ships.push_back(Campaign().m_ships[std::size_t(i)].m_strName);
    }
    selection.sortMode = kSortByAttackFactor;
    const MultiPrintJob job(Campaign(), selection);
    int pages = 0;
    OnPdf(state, [&](CDC& dc) { pages = job.Print(dc); });
    state.counters["pages"] = pages;
}

void ScenarioOfAThousandShips(benchmark::State& state) {
    VxScenario scenario;
    scenario.m_strName = "Thousand";
    scenario.m_forces.resize(2);
    const auto& ships = Campaign().m_ships;
    for (int s = 0; s < 10; ++s) {
        VxSquadron squadron;
        squadron.m_strName = "Squadron " + std::to_string(s);
        for (int i = 0; i < 90; ++i) {
            squadron.m_shipNames.push_back(ships[std::size_t(s * 90 + i)].m_strName);
        }
        scenario.m_forces[std::size_t(s % 2)].m_squadrons.push_back(squadron);
    }
    scenario.m_forces[1].m_ships.assign(ships.begin(), ships.begin() + 100);
    int pages = 0;
    OnPdf(state, [&](CDC& dc) {
        pages = RunScenarioPrintJob(dc, scenario, ships, Campaign().m_armaments);
    });
    state.counters["pages"] = pages;
}

void HostileSquadronPage(benchmark::State& state) {
    VxSquadron squadron;
    squadron.m_strName = std::string(1 << 20, 'N');
    squadron.m_strFlagship = Campaign().m_ships.front().m_strName;
    squadron.m_shipNames.assign(10000, squadron.m_strFlagship);
    squadron.m_strNotes = std::string(1 << 20, 'n');
    OnPdf(state, [&](CDC& dc) {
        RunSquadronPrintJob(dc, squadron, Campaign().m_ships, Campaign().m_armaments);
    });
}

}  // namespace

BENCHMARK(MultiPrintOfShips)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ScenarioOfAThousandShips)->Unit(benchmark::kMillisecond);
BENCHMARK(HostileSquadronPage)->Unit(benchmark::kMillisecond);
