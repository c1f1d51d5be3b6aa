// The commands that draw: cards, printed pages and the HTML briefing. They run
// in the companion program that starts a GUI application for fonts and PDF.
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <cctype>
#include <iostream>

#include "cli/clicommands.h"
#include "cli/commandline.h"
#include "cli/commandsupport.h"
#include "cli/gamesupport.h"
#include "compare/comparesvg.h"
#include "export/htmlexport.h"
#include "platform/codepage.h"
#include "platform/filestore.h"
#include "platform/pdfsurface.h"
#include "print/blankform.h"
#include "print/cardimage.h"
#include "print/multiprintjob.h"
#include "print/scenarioprintjob.h"
#include "print/shipcardjob.h"
#include "print/squadronprintjob.h"

namespace {

constexpr double kDefaultCardScale = 5.9;
constexpr int kDefaultDpi = 600;

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

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

// Names as a selected list of "Print Elements" holds them: each once, sorted
// ignoring case. Names from the command line are UTF-8, the document's are
// Windows-1252.
CStringArray SelectedList(const std::vector<std::string>& utf8Names) {
    CStringArray names;
    for (const std::string& utf8 : utf8Names) {
        const CString name = Cp1252FromUtf8(utf8);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

// The names that match no record print a default one; say which.
template <class Record>
void WarnUnmatched(const std::vector<std::string>& utf8Names, const RecordList<Record>& records,
                   const char* kind) {
    for (const std::string& utf8 : utf8Names) {
        if (FindNamed(records, Cp1252FromUtf8(utf8)) == nullptr) {
            std::cerr << "brinnow-cli: there is no " << kind << " named \"" << utf8
                      << "\"; a default one is printed in its place.\n";
        }
    }
}

int SortModeFromWord(const std::string& word) {
    if (word == "name") return kSortByName;
    if (word == "attack") return kSortByAttackFactor;
    if (word == "defense") return kSortByDefenseFactor;
    if (word == "type") return kSortByShipType;
    return 0;
}

// The one squadron or scenario of that name, printed by its job once ready
// says that everything it needs is there.
template <class Record, class PrintJob, class Ready>
int PrintNamed(const PdfOptions& options, const std::string& path, const std::string& name,
               const char* kind, RecordList<Record> CBrinnowDoc::*list, PrintJob job, Ready ready) {
    CommandDocument doc;
    if (!Load(doc, path)) return kFailure;
    const Record* record = FindNamed(doc.*list, Cp1252FromUtf8(name));
    if (record == nullptr)
        return Fail(std::string("There is no ") + kind + " named \"" + name + "\".");
    if (!ready(*record, doc)) return kFailure;
    return PrintToPdf(options, [&](CDC& dc) { job(dc, *record, doc.m_ships, doc.m_armaments); });
}

// A scenario with the marks of a game, when one is given, on its cards.
int PrintScenario(const PdfOptions& options, const std::string& path, const std::string& name,
                  const std::optional<std::string>& gamePath) {
    Game game;
    const auto ready = [&](const VxScenario& scenario, const CBrinnowDoc& doc) {
        if (!gamePath) return true;
        if (!LoadGameFor(*gamePath, path, name, scenario, game)) return false;
        WarnUnmatchedNames(scenario, doc.m_ships);
        return true;
    };
    const auto job = [&](CDC& dc, const VxScenario& scenario, const CArray<VxShip>& ships,
                         const CArray<VxArmament>& armaments) {
        RunScenarioPrintJob(dc, scenario, ships, armaments, gamePath ? &game : nullptr,
                            CommandProgress());
    };
    return PrintNamed(options, path, name, "scenario", &CBrinnowDoc::m_scenarios, job, ready);
}

int PrintSelection(const PdfOptions& options, const CommandLine& line, const std::string& path) {
    MultiPrintSelection selection;
    selection.sortMode = SortModeFromWord(line.Value("--sort").value_or("name"));
    if (selection.sortMode == 0) {
        return UsageError("Unknown order \"" + *line.Value("--sort") +
                          "\": use name, attack, defense or type.");
    }
    selection.sortByNation = !line.Flag("--no-by-nation");
    selection.ships = SelectedList(line.Values("--ship"));
    selection.squadrons = SelectedList(line.Values("--squadron"));
    selection.scenarios = SelectedList(line.Values("--scenario"));
    CommandDocument doc;
    if (!Load(doc, path)) return kFailure;
    WarnUnmatched(line.Values("--ship"), doc.m_ships, "ship");
    WarnUnmatched(line.Values("--squadron"), doc.m_squadrons, "squadron");
    WarnUnmatched(line.Values("--scenario"), doc.m_scenarios, "scenario");
    return PrintToPdf(options,
                      [&](CDC& dc) { MultiPrintJob(doc, selection).Print(dc, CommandProgress()); });
}

bool SaveImage(const QImage& image, const std::string& path, std::string& error) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        error = "Cannot make the image for \"" + path + "\".";
        return false;
    }
    return WriteFileSafely(path, std::string_view(png.constData(), std::size_t(png.size())), error);
}

}  // namespace

int CommandPrint(const std::vector<std::string>& args) {
    const CommandLine line(
        args, {"-o", "--paper", "--dpi", "--ship", "--squadron", "--scenario", "--sort", "--game"},
        {"--no-by-nation"});
    if (!line.Ok()) return UsageError(line.Error());
    const auto& words = line.Positional();
    const bool scenario = words.size() == 3 && words[0] == "scenario";
    if (line.Value("--game") && !scenario) return UsageError("--game goes with print scenario.");
    PdfOptions options;
    std::string error;
    if (!ReadPdfOptions(line, options, error)) return UsageError(error);
    if (words.size() == 1 && words[0] == "blank") {
        return PrintToPdf(options, [](CDC& dc) { PrintBlankShipForm(dc); });
    }
    if (words.size() == 2 && words[0] == "ships") {
        CommandDocument doc;
        if (!Load(doc, words[1])) return kFailure;
        if (doc.m_ships.empty()) return Fail(kNoShipsToPrint);
        return PrintToPdf(
            options, [&doc](CDC& dc) { ShipCardJob(doc).Print(dc, "Brinnow", CommandProgress()); });
    }
    if (words.size() == 3 && words[0] == "squadron") {
        const auto job = [](CDC& dc, const VxSquadron& squadron, const CArray<VxShip>& ships,
                            const CArray<VxArmament>& armaments) {
            RunSquadronPrintJob(dc, squadron, ships, armaments, CommandProgress());
        };
        return PrintNamed(options, words[1], words[2], "squadron", &CBrinnowDoc::m_squadrons, job,
                          [](const VxSquadron&, const CBrinnowDoc&) { return true; });
    }
    if (scenario) return PrintScenario(options, words[1], words[2], line.Value("--game"));
    if (words.size() == 2 && words[0] == "selection")
        return PrintSelection(options, line, words[1]);
    return UsageError(
        "usage: brinnow-cli print blank|ships FILE|squadron FILE NAME|scenario FILE NAME|"
        "selection FILE -o OUT.pdf");
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
    const VxShip* ship = FindNamed(doc.m_ships, name);
    if (ship == nullptr) return Fail("There is no ship named \"" + line.Positional()[1] + "\".");
    CardImage card;
    ship->CreateCardBitmap(card, scale, doc.m_armaments, line.Flag("--blank"));
    std::string error;
    if (!SaveImage(card.Image(), *line.Value("-o"), error)) return Fail(error);
    return 0;
}

int CommandExportHtml(const std::vector<std::string>& args) {
    const CommandLine line(args, {"--game"}, {"--compare"});
    const auto& words = line.Positional();
    if (!line.Ok() || words.size() != 3) {
        return UsageError(
            "usage: brinnow-cli export-html FILE SCENARIO OUT.htm [--game GAME] [--compare]");
    }
    CommandDocument doc;
    const auto gamePath = line.Value("--game");
    Game game;
    const VxScenario* scenario = LoadScenarioAndGame(doc, words[0], words[1], gamePath, game);
    if (scenario == nullptr) return kFailure;
    if (gamePath) WarnUnmatchedNames(*scenario, doc.m_ships);
    const Game* played = gamePath ? &game : nullptr;
    const std::string compared =
        line.Flag("--compare")
            ? ForcesComparedSection(CompareForces(ScenarioSnapshot::Of(doc, *scenario), played))
            : std::string();
    std::string error;
    if (!ExportScenarioHtml(doc, *scenario, words[2], error, played, CommandProgress(), compared))
        return Fail(error);
    return 0;
}
