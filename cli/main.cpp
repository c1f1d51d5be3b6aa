// The command-line tool. Commands that only read and write documents run
// here, without Qt; the ones that draw hand the process over to the
// companion program, which starts Qt's GUI libraries for fonts and PDF.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli/clicommands.h"
#include "cli/commandsupport.h"
#include "platform/programfiles.h"
#include "platform/textformat.h"

namespace {

constexpr const char* kHelp =
    "Usage: brinnow-cli COMMAND [ARGUMENTS]\n"
    "Scripted access to Brinnow campaign documents.\n"
    "\n"
    "Commands:\n"
    "  new OUT                        write a new document with the default content\n"
    "  info FILE                      print the six lists with their counts\n"
    "  save-as IN OUT                 load IN and save it to OUT\n"
    "  print blank -o OUT.pdf         a page of blank ship record cards\n"
    "  print ships FILE -o OUT.pdf    every ship as a record card, by nation\n"
    "  print squadron FILE NAME -o OUT.pdf   one squadron's sheet with its notes\n"
    "  print scenario FILE NAME -o OUT.pdf   a scenario and a page per force\n"
    "  print selection FILE -o OUT.pdf       ships, squadrons and scenarios in one job\n"
    "      [--ship NAME]... [--squadron NAME]... [--scenario NAME]...\n"
    "      [--sort name|attack|defense|type] [--no-by-nation]\n"
    "    every print takes [--paper A4|Letter] [--dpi N]   (defaults: A4, 600 dpi)\n"
    "  card FILE SHIPNAME -o OUT.png  one ship's record card as an image\n"
    "      [--scale PX_PER_MM] [--blank]   (default scale 5.9)\n"
    "  export-text FILE OUT.txt       all ships as comma-delimited text\n"
    "  export-html FILE SCENARIO OUT.htm   a scenario page with card images\n"
    "  export-json FILE OUT.json      the whole campaign as JSON\n"
    "  import-json IN.json OUT.brn    a campaign from JSON, saved as a document\n"
    "  export-csv FILE OUT.csv        all ships as UTF-8 CSV for spreadsheets\n"
    "      [--raw]   texts as they are, even those a spreadsheet would take for a formula\n"
    "  import-csv FILE IN.csv         ships from CSV merged into FILE by name\n"
    "      [-o OUT.brn]   save to OUT.brn instead of over FILE\n"
    "      [--dry-run]   only print what would be added and changed\n"
    "      [--ignore-unknown-columns]   pass over columns the export does not write\n"
    "  check FILE [--json]            check the campaign, one finding a line\n"
    "                                 (exit 0: none, 1: findings, 2: FILE unreadable,\n"
    "                                 3: the findings could not be written)\n"
    "  compare FILE SCENARIO [--game GAME] [--json]\n"
    "                                 the scenario's forces side by side; from a game,\n"
    "                                 each force now and at the start\n"
    "  game new FILE SCENARIO -o GAME a game of the scenario, kept in its own file\n"
    "  game mark GAME --force N --ship NAME PLACE... [--turn N]\n"
    "                                 toggles marks on a ship's card; PLACE is\n"
    "                                 fire-control, damage-control, bridge, rudder,\n"
    "                                 aa, af1..af4, speed1..speed5, box1..box18, sunk\n"
    "  game show GAME                 each marked ship: force, name, its marks\n"
    "  game serve GAME [--listen ADDRESS] [--port N] [--qr]\n"
    "                                 shares the game with the players' browsers:\n"
    "                                 prints each seat and its link, serves until\n"
    "                                 SIGINT or SIGTERM (--port 0: any free port)\n"
    "    print scenario and export-html take [--game GAME] to draw its marks\n"
    "    export-html takes [--compare] for a section of charts of the forces\n"
    "\n"
    "Options:\n"
    "  --help      show this help\n"
    "  --version   show the version\n"
    "  --progress  show the progress of a long command on stderr even when that\n"
    "              is not a terminal (it is shown on a terminal anyway)\n"
    "  --quiet     show no progress\n"
    "  --          ends the options: every word after it is a name, even one\n"
    "              that begins with '-' (card FILE -o OUT.png -- -dash)\n"
    "\n"
    "An output file named - is the standard output; a pipe, FIFO or device is\n"
    "written to as it is, and every other file only once all of it was written.\n"
    "Ctrl+C, SIGTERM and SIGHUP stop a command and leave its output as it was\n"
    "(exit status 130, 143 and 129).\n";

int RunDrawingCommand(char* argv[]) {
    const ProgramFiles files = ProgramFiles::OfRunningProgram(argv[0]);
    if (!files.Known()) {
        std::cerr << "brinnow-cli: cannot find brinnow-cli-draw: the folder of this program is "
                     "unknown.\n";
        return 1;
    }
    const std::string program = files.DrawingCompanion();
    ::execv(program.c_str(), argv);
    std::cerr << "brinnow-cli: cannot start \"" << program << "\": " << std::strerror(errno)
              << ".\n";
    return 1;
}

int PrintText(const std::string& text, int exitCode) {
    return PrintToStandardOutput(text) ? exitCode : kFailure;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        return PrintText(kHelp, argc < 2 ? 2 : 0);
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        return PrintText(std::string("brinnow-cli ") + BRINNOW_VERSION + "\n", 0);
    }
    const std::set<std::string> drawing = {"print", "card", "export-html"};
    const bool serving = std::strcmp(argv[1], "game") == 0 && argc > 2 && std::strcmp(argv[2], "serve") == 0;
    if (drawing.count(argv[1]) || serving) return RunDrawingCommand(argv);
    UseClassicNumberFormat();

    const std::map<std::string, int (*)(const std::vector<std::string>&)> commands = {
        {"new", CommandNew},
        {"info", CommandInfo},
        {"save-as", CommandSaveAs},
        {"export-text", CommandExportText},
        {"export-json", CommandExportJson},
        {"import-json", CommandImportJson},
        {"export-csv", CommandExportCsv},
        {"import-csv", CommandImportCsv},
        {"check", CommandCheck},
        {"compare", CommandCompare},
        {"game", CommandGame},
    };
    const auto command = commands.find(argv[1]);
    if (command == commands.end()) {
        std::cerr << "brinnow-cli: unknown command \"" << argv[1]
                  << "\"\nTry 'brinnow-cli --help'.\n";
        return 2;
    }
    return RunCommand(command->second, std::vector<std::string>(argv + 2, argv + argc));
}
