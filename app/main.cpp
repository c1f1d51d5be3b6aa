#include <QApplication>
#include <QSocketNotifier>
#include <cstring>
#include <iostream>

#include "app/desktopidentity.h"
#include "app/mainframe.h"
#include "desktop/messagebox.h"
#include "platform/stopsignals.h"
#include "platform/textformat.h"

namespace {

constexpr const char* kUsage =
    "Usage: brinnow [FILE]\n"
    "The Vexmoor Playing Aid: opens the Brinnow campaign FILE, or a new campaign.\n"
    "\n"
    "  --help      show this help\n"
    "  --version   show the version\n";

}  // namespace

int main(int argc, char* argv[]) {
    // Answered before the window system is reached, so that they work
    // without a display.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "brinnow " << BRINNOW_VERSION << "\n";
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Brinnow");
    QApplication::setApplicationName("Vexmoor Playing Aid");
    QApplication::setApplicationVersion(BRINNOW_VERSION);
    UseDesktopIdentity();
    UseClassicNumberFormat();
    StopSignals::Catch();

    CMainFrame frame;
    QSocketNotifier stopSignal(StopSignals::WakeDescriptor(), QSocketNotifier::Read);
    QObject::connect(&stopSignal, &QSocketNotifier::activated, &frame, [&frame, &stopSignal] {
        stopSignal.setEnabled(false);
        frame.KeepWorkBeforeStop();
        QCoreApplication::exit(StopSignals::ExitStatus());
    });
    const QStringList args = QApplication::arguments();
    // No argument: a new document. A file that cannot be opened ends the
    // program after its message.
    if (args.size() > 1 && !frame.OpenDocumentFile(args.at(1))) return 1;
    frame.show();
    frame.OfferRecovery();
    const int result = QApplication::exec();
    frame.Document().LeaveRecordsToExit();
    return result;
}
