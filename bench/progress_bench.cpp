// What reporting progress costs: each job unwatched (argument 0) and with
// the tool's progress line on standard error (argument 1), which is what the
// window's dialog costs too: a compare a unit, a clock read a thousandth.
// Run with 2>/dev/null.
#include <benchmark/benchmark.h>

#include <QDir>
#include <memory>

#include "bench/largedocument.h"
#include "cli/terminalprogress.h"
#include "interchange/campaignjsonexport.h"
#include "interchange/shipcsv.h"
#include "platform/pdfsurface.h"
#include "print/shipcardjob.h"

namespace {

std::unique_ptr<Progress> ProgressOf(const benchmark::State& state) {
    if (state.range(0) == 0) return std::make_unique<NoProgress>();
    return std::make_unique<TerminalProgress>(true);
}

std::string Target(const char* name) { return QDir::tempPath().toStdString() + "/" + name; }

// The reporting alone, as a job of 100,000 records does it.
void StepsOf100000Records(benchmark::State& state) {
    constexpr std::int64_t kRecords = 100000;
    for (auto _ : state) {
        const std::unique_ptr<Progress> progress = ProgressOf(state);
        for (std::int64_t done = 0; done <= kRecords; ++done)
            progress->Step(done, kRecords, "Writing ship");
    }
}

void CsvExportOf100000Ships(benchmark::State& state) {
    std::string error;
    for (auto _ : state) {
        ExportShipsCsv(Campaign(), Target("brinnow_bench.csv"), error, CsvCells::Protected,
                       *ProgressOf(state));
    }
}

void JsonExportOf100000Ships(benchmark::State& state) {
    std::string error;
    for (auto _ : state)
        ExportCampaignJson(Campaign(), Target("brinnow_bench.json"), error, *ProgressOf(state));
}

void CardPrintOf1000Ships(benchmark::State& state) {
    static const CBrinnowDoc thousand = [] {
        CBrinnowDoc doc;
        GenerateDocument(doc, {1000, 10, 1, 1, 4, 42});
        return doc;
    }();
    for (auto _ : state) {
        PdfSurface pdf(Target("brinnow_bench.pdf"), QPageSize(QPageSize::A4), 600);
        ShipCardJob(thousand).Print(pdf.Dc(), "Brinnow", *ProgressOf(state));
        pdf.Finish();
    }
}

}  // namespace

BENCHMARK(StepsOf100000Records)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(CsvExportOf100000Ships)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(JsonExportOf100000Ships)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(CardPrintOf1000Ships)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(5);
