#include "cli/clicommands.h"

#include <QImageWriter>
#include <QSaveFile>
#include <cstdio>
#include <iostream>

#include "cli/commandline.h"
#include "export/htmlexport.h"
#include "export/textexport.h"
#include "model/brinnowdoc.h"
#include "platform/codepage.h"
#include "platform/pdfsurface.h"
#include "print/blankform.h"
#include "print/cardimage.h"
#include "print/shipcardjob.h"

namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 2;
constexpr double kDefaultCardScale = 5.9;
constexpr int kDefaultDpi = 600;

int Fail(const std::string& message) {
    std::cerr << "brinnow-cli: " << message << "\n";
    return kFailure;
}

int UsageError(const std::string& message) {
    std::cerr << "brinnow-cli: " << message << "\nTry 'brinnow-cli --help'.\n";
    return kUsage;
}

// A command's document: when the command ends, its records are left to the
// process's exit, which is about to come.
class CommandDocument : public CBrinnowDoc {
  public:
    ~CommandDocument() { LeaveRecordsToExit(); }
};

bool Load(CBrinnowDoc& doc, const std::string& path) {
    if (doc.OnOpenDocument(path)) return true;
    Fail(doc.ErrorMessage());
    return false;
}

bool ParseNumber(const std::string& text, double low, double high, double& value) {
    try {
        std::size_t used = 0;
        value = std::stod(text, &used);
        return used == text.size() && value >= low && value <= high;
    } catch (const std::exception&) {
        return false;
    }
}

// The PDF page a "print" command draws on, from --paper and --dpi.
struct PdfOptions {
    std::string output;
    QPageSize pageSize{QPageSize::A4};
    int dpi = kDefaultDpi;
};

bool ReadPdfOptions(const CommandLine& line, PdfOptions& options, std::string& error) {
    if (!line.Value("-o")) {
        error = "An output file is needed: -o OUT.pdf.";
        return false;
    }
    options.output = *line.Value("-o");
    const std::string paper = line.Value("--paper").value_or("A4");
    if (paper == "Letter") {
        options.pageSize = QPageSize(QPageSize::Letter);
    } else if (paper != "A4") {
        error = "Unknown paper \"" + paper + "\": use A4 or Letter.";
        return false;
    }
    double dpi = kDefaultDpi;
    if (line.Value("--dpi") && !ParseNumber(*line.Value("--dpi"), 72, 2400, dpi)) {
        error = "The resolution must be a whole number of dots per inch from 72 to 2400.";
        return false;
    }
    options.dpi = static_cast<int>(dpi);
    return true;
}

template <class Job>
int PrintToPdf(const PdfOptions& options, Job job) {
    PdfSurface pdf(options.output, options.pageSize, options.dpi);
    if (!pdf.IsOpen()) return Fail(pdf.Error());
    job(pdf.Dc());
    if (!pdf.Finish()) return Fail(pdf.Error());
    return 0;
}

const VxShip* FindShip(const CBrinnowDoc& doc, const std::string& name) {
    for (const VxShip& ship : doc.m_ships) {
        if (ship.m_strName == name) return &ship;
    }
    return nullptr;
}

bool SaveImage(const QImage& image, const std::string& path, std::string& error) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        error = "Cannot write \"" + path + "\": " + file.errorString().toStdString() + ".";
        return false;
    }
    return true;
}

}  // namespace

int CommandNew(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError("usage: brinnow-cli new OUT");
    CommandDocument doc;
    if (!doc.OnSaveDocument(args[0])) return Fail(doc.ErrorMessage());
    return 0;
}

int CommandInfo(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError("usage: brinnow-cli info FILE");
    CommandDocument doc;
    if (!Load(doc, args[0])) return kFailure;
    std::cout << "nations " << doc.m_nations.size() << "\n"
              << "armaments " << doc.m_armaments.size() << "\n"
              << "torpedoes " << doc.m_torpedoes.size() << "\n"
              << "ships " << doc.m_ships.size() << "\n"
              << "squadrons " << doc.m_squadrons.size() << "\n"
              << "scenarios " << doc.m_scenarios.size() << "\n";
    return 0;
}

int CommandSaveAs(const std::vector<std::string>& args) {
    if (args.size() != 2) return UsageError("usage: brinnow-cli save-as IN OUT");
    CommandDocument doc;
    if (!Load(doc, args[0])) return kFailure;
    if (!doc.OnSaveDocument(args[1])) return Fail(doc.ErrorMessage());
    return 0;
}

int CommandPrint(const std::vector<std::string>& args) {
    const CommandLine line(args, {"-o", "--paper", "--dpi"}, {});
    if (!line.Ok()) return UsageError(line.Error());
    const auto& words = line.Positional();
    PdfOptions options;
    std::string error;
    if (!ReadPdfOptions(line, options, error)) return UsageError(error);
    if (words.size() == 1 && words[0] == "blank") {
        return PrintToPdf(options, [](CDC& dc) { PrintBlankShipForm(dc); });
    }
    if (words.size() == 2 && words[0] == "ships") {
        CommandDocument doc;
        if (!Load(doc, words[1])) return kFailure;
        return PrintToPdf(options, [&doc](CDC& dc) { ShipCardJob(doc).Print(dc, "Brinnow"); });
    }
    return UsageError("usage: brinnow-cli print blank|ships [FILE] -o OUT.pdf");
}

int CommandCard(const std::vector<std::string>& args) {
    const CommandLine line(args, {"-o", "--scale"}, {"--blank"});
    if (!line.Ok()) return UsageError(line.Error());
    if (line.Positional().size() != 2 || !line.Value("-o")) {
        return UsageError("usage: brinnow-cli card FILE SHIPNAME -o OUT.png [--scale P] [--blank]");
    }
    double scale = kDefaultCardScale;
    if (line.Value("--scale") && !ParseNumber(*line.Value("--scale"), 1, 100, scale)) {
        return UsageError("The scale must be a number of pixels per millimetre from 1 to 100.");
    }
    CommandDocument doc;
    if (!Load(doc, line.Positional()[0])) return kFailure;
    const std::string name = Cp1252FromUtf8(line.Positional()[1]);
    const VxShip* ship = FindShip(doc, name);
    if (ship == nullptr) return Fail("There is no ship named \"" + line.Positional()[1] + "\".");
    CardImage card;
    ship->CreateCardBitmap(card, scale, doc.m_armaments, line.Flag("--blank"));
    std::string error;
    if (!SaveImage(card.Image(), *line.Value("-o"), error)) return Fail(error);
    return 0;
}

int CommandExportText(const std::vector<std::string>& args) {
    if (args.size() != 2) return UsageError("usage: brinnow-cli export-text FILE OUT.txt");
    CommandDocument doc;
    if (!Load(doc, args[0])) return kFailure;
    std::string error;
    if (!ExportShipsText(doc, args[1], error)) return Fail(error);
    return 0;
}

int CommandExportHtml(const std::vector<std::string>& args) {
    if (args.size() != 3) return UsageError("usage: brinnow-cli export-html FILE SCENARIO OUT.htm");
    CommandDocument doc;
    if (!Load(doc, args[0])) return kFailure;
    const std::string name = Cp1252FromUtf8(args[1]);
    for (const VxScenario& scenario : doc.m_scenarios) {
        if (scenario.m_strName != name) continue;
        std::string error;
        if (!ExportScenarioHtml(doc, scenario, args[2], error)) return Fail(error);
        return 0;
    }
    return Fail("There is no scenario named \"" + args[1] + "\".");
}
