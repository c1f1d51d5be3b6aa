// Whatever loads must also draw and export: every card on the recording
// surface and as an image, the card job's pages, the text export and the
// HTML page of every scenario. Nothing may crash or be undefined, whatever
// the numbers and texts of the file.
#include <QGuiApplication>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>

#include "export/htmlexport.h"
#include "export/textexport.h"
#include "model/brinnowdoc.h"
#include "platform/filesystemcalls.h"
#include "print/cardimage.h"
#include "print/shipcardjob.h"
#include "tests/support/recordingdc.h"

namespace {

// The HTML export draws and encodes every card but writes no file.
class NoFiles : public FileSystemCalls {
  public:
    int CreateNew(const std::string&) override {
        errno = EROFS;
        return -1;
    }
};

void DrawEveryCard(const CBrinnowDoc& doc) {
    RecordingDC dc;
    const double p = 23.6;
    for (const VxShip& ship : doc.m_ships) {
        for (const int mode : {0, 1}) {
            const int height = ship.GetCardHeight(dc, p, mode, 1000);
            ship.DrawCard(dc, p, 0, 0, doc.m_armaments, mode, 1000);
            if (height < 0) __builtin_trap();
        }
        dc.log.clear();
    }
    CardImage image;
    if (!doc.m_ships.empty())
        doc.m_ships.front().CreateCardBitmap(image, 5.9, doc.m_armaments, false);
}

void ExportEveryScenario(const CBrinnowDoc& doc) {
    for (const VxScenario& scenario : doc.m_scenarios) {
        HtmlExport html(doc.m_ships, doc.m_armaments, "/nowhere");
        ScenarioPage(scenario, html);
        html.WriteImages();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    static NoFiles noFiles;
    FileSystemCalls::Replace(&noFiles);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CBrinnowDoc doc;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!doc.LoadFromBytes(bytes, "fuzz")) return 0;
    DrawEveryCard(doc);
    RecordingDC printer;
    ShipCardJob(doc).Print(printer, "fuzz");
    ShipTextFile(doc);
    ExportEveryScenario(doc);
    return 0;
}
