// Ships from a spreadsheet, merged into a campaign by name.
#include "cli/clicommands.h"
#include "cli/commandline.h"
#include "cli/commandsupport.h"
#include "interchange/shipcsvimport.h"
#include "interchange/shipcsvsummary.h"

int CommandImportCsv(const std::vector<std::string>& args) {
    const CommandLine line(args, {"-o"}, {"--dry-run", "--ignore-unknown-columns"});
    if (!line.Ok() || line.Positional().size() != 2) {
        return UsageError(
            "usage: brinnow-cli import-csv FILE IN.csv [-o OUT.brn] [--dry-run] "
            "[--ignore-unknown-columns]");
    }
    const auto& words = line.Positional();
    CommandDocument doc;
    if (!Load(doc, words[0])) return kFailure;
    ShipCsvImport import(doc, {line.Flag("--ignore-unknown-columns")});
    std::string error;
    if (!import.ReadFile(words[1], error, CommandProgress())) {
        return Fail(error.empty() ? ShipCsvRefusal(import, words[1]) : error);
    }
    if (!PrintToStandardOutput(ShipCsvSummary(import))) return kFailure;
    if (line.Flag("--dry-run")) return 0;
    import.Apply(doc);
    if (!doc.OnSaveDocument(line.Value("-o").value_or(words[0]), CommandProgress())) {
        return Fail(doc.ErrorMessage());
    }
    return 0;
}
