// The drawing half of brinnow-cli, started by it for the commands that need
// fonts and PDF pages: a GUI application without a display.
#include <QGuiApplication>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/clicommands.h"
#include "cli/commandsupport.h"
#include "platform/textformat.h"

namespace {

// The tool reports its own errors; Qt's notes about the environment are noise.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::map<std::string, int (*)(const std::vector<std::string>&)> commands = {
        {"print", CommandPrint},
        {"card", CommandCard},
        {"export-html", CommandExportHtml},
        {"game", CommandServeGame},
    };
    const auto command = argc < 2 ? commands.end() : commands.find(argv[1]);
    if (command == commands.end()) {
        std::cerr << "brinnow-cli-draw: runs brinnow-cli's print, card, export-html and game serve; "
                     "use brinnow-cli.\n";
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app(argc, argv);
    UseClassicNumberFormat();
    return RunCommand(command->second, std::vector<std::string>(argv + 2, argv + argc));
}
