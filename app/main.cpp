#include <QApplication>
#include <QIcon>

#include "app/mainframe.h"
#include "desktop/messagebox.h"
#include "platform/textformat.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(icons);
    QApplication::setOrganizationName("Brinnow");
    QApplication::setApplicationName("Vexmoor Playing Aid");
    QApplication::setApplicationVersion(BRINNOW_VERSION);
    QApplication::setWindowIcon(QIcon(":/icons/brinnow.png"));
    UseClassicNumberFormat();

    CMainFrame frame;
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
