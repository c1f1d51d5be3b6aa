// The HTML export of a scenario of 1,000 ships, its two costs (drawing the
// cards, encoding the GIFs), and the text export of 100,000 ships.
#include <benchmark/benchmark.h>

#include <QDir>

#include "bench/largedocument.h"
#include "export/gifencoder.h"
#include "export/htmlexport.h"
#include "export/textexport.h"
#include "model/brinnowdoc.h"
#include "print/cardimage.h"

namespace {

void HtmlExportOfAThousandShips(benchmark::State& state) {
    const VxScenario scenario = ThousandShipScenario(Campaign());
    const std::string folder = QDir::tempPath().toStdString() + "/brinnow_bench_html";
    QDir().mkpath(QString::fromStdString(folder));
    std::string error;
    for (auto _ : state) {
        if (!ExportScenarioHtml(Campaign(), scenario, folder + "/page.htm", error)) {
            state.SkipWithError(error.c_str());
        }
    }
    state.counters["ships"] = 1000;
}

void CardRendering(benchmark::State& state) {
    const VxShip& ship = Campaign().m_ships[3];
    for (auto _ : state) {
        CardImage card;
        ship.CreateCardBitmap(card, HtmlExport::kCardScale, Campaign().m_armaments, false);
        benchmark::DoNotOptimize(card.GreyPixels());
    }
}

void GifEncoding(benchmark::State& state) {
    CardImage card;
    Campaign().m_ships[3].CreateCardBitmap(card, HtmlExport::kCardScale, Campaign().m_armaments,
                                           false);
    const std::vector<std::uint8_t> pixels = card.GreyPixels();
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeGreyGif(pixels, card.Width(), card.Height(), 44, 22));
    }
}

void TextExportOf100000Ships(benchmark::State& state) {
    const std::string path = QDir::tempPath().toStdString() + "/brinnow_bench_ships.txt";
    std::string error;
    for (auto _ : state) ExportShipsText(Campaign(), path, error);
    state.counters["ships"] = double(Campaign().m_ships.size());
}

}  // namespace

BENCHMARK(HtmlExportOfAThousandShips)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(CardRendering)->Unit(benchmark::kMicrosecond);
BENCHMARK(GifEncoding)->Unit(benchmark::kMicrosecond);
BENCHMARK(TextExportOf100000Ships)->Unit(benchmark::kMillisecond)->MinTime(2);
