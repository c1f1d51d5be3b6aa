// The JSON and CSV forms of the large campaign against the operations they
// stand beside, each as the command-line tool runs it (from a file to a file):
// save-as for export-json and import-json, export-text for export-csv,
// export-csv for import-csv.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/largedocument.h"
#include "export/textexport.h"
#include "interchange/campaignjsonexport.h"
#include "interchange/campaignjsonimport.h"
#include "interchange/shipcsv.h"
#include "interchange/shipcsvimport.h"
#include "model/brinnowdoc.h"

namespace {

const std::string kDocument = "/tmp/brinnow_bench_interchange.brn";
const std::string kJson = "/tmp/brinnow_bench_interchange.json";
const std::string kOutput = "/tmp/brinnow_bench_interchange.out";
const std::string kCsv = "/tmp/brinnow_bench_interchange.csv";

// The campaign's own CSV reads back without a change; a CSV in which every
// ship has a new DF and a new first turn speed is what the import is timed on.
bool PrepareCsv(const CBrinnowDoc& doc) {
    ShipCsvImport same(doc);
    if (!same.Read(ShipsCsv(doc)) || same.ChangesAnything() ||
        same.UnchangedShips().size() != doc.m_ships.size()) {
        return false;
    }
    CBrinnowDoc refitted = doc;
    for (std::size_t i = 0; i < refitted.m_ships.size(); ++i) {
        VxShip& ship = refitted.m_ships.Modify(i);
        ship.m_dDF += 0.5;
        ++ship.m_nTurnSpeed[0];
    }
    std::string error;
    return ExportShipsCsv(refitted, kCsv, error);
}

// Writes the campaign and its JSON once, for every benchmark to read.
void PrepareFiles() {
    static const bool prepared = [] {
        CBrinnowDoc doc;
        GenerateDocument(doc, kLargeCampaign);
        std::string error;
        return doc.OnSaveDocument(kDocument) && ExportCampaignJson(doc, kJson, error) &&
               PrepareCsv(doc);
    }();
    if (!prepared) std::abort();
}

template <class Export>
void FromDocument(benchmark::State& state, Export exportTo) {
    PrepareFiles();
    for (auto _ : state) {
        CBrinnowDoc doc;
        std::string error;
        if (!doc.OnOpenDocument(kDocument) || !exportTo(doc, error)) state.SkipWithError("failed");
    }
}

void SaveAs(benchmark::State& state) {
    FromDocument(state, [](CBrinnowDoc& doc, std::string&) { return doc.OnSaveDocument(kOutput); });
}

void ExportJson(benchmark::State& state) {
    FromDocument(state, [](CBrinnowDoc& doc, std::string& error) {
        return ExportCampaignJson(doc, kOutput, error);
    });
}

void ImportJson(benchmark::State& state) {
    PrepareFiles();
    for (auto _ : state) {
        CBrinnowDoc doc;
        std::string error;
        if (!ImportCampaignJsonFile(kJson, doc, error) || !doc.OnSaveDocument(kOutput)) {
            state.SkipWithError("failed");
        }
    }
}

void ExportText(benchmark::State& state) {
    FromDocument(state, [](CBrinnowDoc& doc, std::string& error) {
        return ExportShipsText(doc, kOutput, error);
    });
}

void ExportCsv(benchmark::State& state) {
    FromDocument(state, [](CBrinnowDoc& doc, std::string& error) {
        return ExportShipsCsv(doc, kOutput, error);
    });
}

// As brinnow-cli import-csv FILE IN.csv -o OUT runs it: every row an update.
void ImportCsv(benchmark::State& state) {
    FromDocument(state, [](CBrinnowDoc& doc, std::string& error) {
        ShipCsvImport import(doc);
        if (!import.ReadFile(kCsv, error) || import.ChangedShips().size() != doc.m_ships.size()) {
            return false;
        }
        import.Apply(doc);
        return doc.OnSaveDocument(kOutput);
    });
}

// The two halves of the JSON work in memory, without files.
void JsonTextOnly(benchmark::State& state) {
    CBrinnowDoc doc;
    GenerateDocument(doc, kLargeCampaign);
    for (auto _ : state) benchmark::DoNotOptimize(CampaignJson(doc).size());
}

void JsonParseOnly(benchmark::State& state) {
    CBrinnowDoc source;
    GenerateDocument(source, kLargeCampaign);
    const std::string json = CampaignJson(source);
    for (auto _ : state) {
        CBrinnowDoc doc;
        std::string error;
        if (!ImportCampaignJson(json, "bench", doc, error)) state.SkipWithError(error.c_str());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * json.size()));
}

}  // namespace

BENCHMARK(SaveAs)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(ExportJson)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(ImportJson)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(ExportText)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(ExportCsv)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(ImportCsv)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(JsonTextOnly)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(JsonParseOnly)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_MAIN();
