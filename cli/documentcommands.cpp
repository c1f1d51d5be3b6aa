// The commands that read and write documents and text, without drawing: they
// need nothing of Qt, which keeps them quick to start.
#include <sstream>

#include "cli/clicommands.h"
#include "cli/commandline.h"
#include "cli/commandsupport.h"
#include "export/textexport.h"
#include "interchange/campaignjsonexport.h"
#include "interchange/campaignjsonimport.h"
#include "interchange/shipcsv.h"

namespace {

// The commands that load FILE and write one export to OUT.
using DocumentExport = bool (*)(const CBrinnowDoc& doc, const std::string& path, std::string& error,
                                Progress& progress);
int LoadAndExport(const std::vector<std::string>& args, const char* usage, DocumentExport write) {
    std::vector<std::string> words;
    if (!Words(args, 2, words)) return UsageError(usage);
    CommandDocument doc;
    if (!Load(doc, words[0])) return kFailure;
    std::string error;
    if (!write(doc, words[1], error, CommandProgress())) return Fail(error);
    return 0;
}

}  // namespace

int CommandNew(const std::vector<std::string>& args) {
    std::vector<std::string> words;
    if (!Words(args, 1, words)) return UsageError("usage: brinnow-cli new OUT");
    CommandDocument doc;
    if (!doc.OnSaveDocument(words[0])) return Fail(doc.ErrorMessage());
    return 0;
}

int CommandInfo(const std::vector<std::string>& args) {
    std::vector<std::string> words;
    if (!Words(args, 1, words)) return UsageError("usage: brinnow-cli info FILE");
    CommandDocument doc;
    if (!Load(doc, words[0])) return kFailure;
    std::ostringstream counts;
    counts << "nations " << doc.m_nations.size() << "\n"
           << "armaments " << doc.m_armaments.size() << "\n"
           << "torpedoes " << doc.m_torpedoes.size() << "\n"
           << "ships " << doc.m_ships.size() << "\n"
           << "squadrons " << doc.m_squadrons.size() << "\n"
           << "scenarios " << doc.m_scenarios.size() << "\n";
    return PrintToStandardOutput(counts.str()) ? 0 : kFailure;
}

int CommandSaveAs(const std::vector<std::string>& args) {
    std::vector<std::string> words;
    if (!Words(args, 2, words)) return UsageError("usage: brinnow-cli save-as IN OUT");
    CommandDocument doc;
    if (!Load(doc, words[0])) return kFailure;
    if (!doc.OnSaveDocument(words[1], CommandProgress())) return Fail(doc.ErrorMessage());
    return 0;
}

int CommandExportText(const std::vector<std::string>& args) {
    return LoadAndExport(args, "usage: brinnow-cli export-text FILE OUT.txt", ExportShipsText);
}

int CommandExportJson(const std::vector<std::string>& args) {
    return LoadAndExport(args, "usage: brinnow-cli export-json FILE OUT.json", ExportCampaignJson);
}

int CommandImportJson(const std::vector<std::string>& args) {
    std::vector<std::string> words;
    if (!Words(args, 2, words)) return UsageError("usage: brinnow-cli import-json IN.json OUT.brn");
    CommandDocument doc;
    std::string error;
    if (!ImportCampaignJsonFile(words[0], doc, error, CommandProgress())) return Fail(error);
    if (!doc.OnSaveDocument(words[1], CommandProgress())) return Fail(doc.ErrorMessage());
    return 0;
}

int CommandExportCsv(const std::vector<std::string>& args) {
    const CommandLine line(args, {}, {"--raw"});
    if (!line.Ok() || line.Positional().size() != 2) {
        return UsageError("usage: brinnow-cli export-csv FILE OUT.csv [--raw]");
    }
    const auto& words = line.Positional();
    CommandDocument doc;
    if (!Load(doc, words[0])) return kFailure;
    std::string error;
    const CsvCells cells = line.Flag("--raw") ? CsvCells::Raw : CsvCells::Protected;
    if (!ExportShipsCsv(doc, words[1], error, cells, CommandProgress())) return Fail(error);
    return 0;
}
