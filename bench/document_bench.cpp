// Loading and saving a large campaign against reading and writing the same
// number of bytes raw.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "bench/largedocument.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"

namespace {

const std::string kPath = "/tmp/brinnow_bench.brn";

const std::string& CampaignBytes() {
    static const std::string bytes = [] {
        CBrinnowDoc doc;
        GenerateDocument(doc, kLargeCampaign);
        return doc.SaveToBytes();
    }();
    return bytes;
}

void RawWrite(benchmark::State& state) {
    const std::string& bytes = CampaignBytes();
    std::string error;
    for (auto _ : state) WriteFileSafely(kPath, bytes, error);
    state.SetBytesProcessed(std::int64_t(state.iterations() * bytes.size()));
}

void DocumentSave(benchmark::State& state) {
    CBrinnowDoc doc;
    doc.LoadFromBytes(CampaignBytes(), "bench");
    for (auto _ : state) doc.OnSaveDocument(kPath);
    state.SetBytesProcessed(std::int64_t(state.iterations() * CampaignBytes().size()));
}

void RawRead(benchmark::State& state) {
    std::string error;
    WriteFileSafely(kPath, CampaignBytes(), error);
    for (auto _ : state) {
        std::string bytes;
        ReadWholeFile(kPath, bytes, error);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * CampaignBytes().size()));
}

void DocumentOpen(benchmark::State& state) {
    std::string error;
    WriteFileSafely(kPath, CampaignBytes(), error);
    for (auto _ : state) {
        CBrinnowDoc doc;
        doc.OnOpenDocument(kPath);
        benchmark::DoNotOptimize(doc.m_ships.Records().data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * CampaignBytes().size()));
}

// Opening into a document that already holds the campaign overwrites in place.
void DocumentReopen(benchmark::State& state) {
    std::string error;
    WriteFileSafely(kPath, CampaignBytes(), error);
    CBrinnowDoc doc;
    doc.OnOpenDocument(kPath);
    for (auto _ : state) doc.OnOpenDocument(kPath);
    state.SetBytesProcessed(std::int64_t(state.iterations() * CampaignBytes().size()));
}

}  // namespace

BENCHMARK(RawWrite)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(DocumentSave)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(RawRead)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(DocumentOpen)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(DocumentReopen)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_MAIN();
