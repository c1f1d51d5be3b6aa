#include "editors/helpwindow.h"

#include <QUrl>

namespace {
constexpr const char* kManual = "qrc:/help/brinnow.html";
}  // namespace

void ShowHelp(int context) { HelpWindow::Instance()->ShowContext(context); }

HelpWindow* HelpWindow::Instance() {
    static QPointer<HelpWindow> window;
    if (!window) window = new HelpWindow;
    return window;
}

// The manual lives in this library's resources, which a static library must
// register itself.
static void RegisterManual() { Q_INIT_RESOURCE(help); }

HelpWindow::HelpWindow() {
    RegisterManual();
    setObjectName("helpWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Brinnow Help");
    setOpenExternalLinks(true);
    resize(720, 640);
}

void HelpWindow::ShowContext(int context) {
    const QString anchor = context == HelpContext::kIndex
                               ? QStringLiteral("index")
                               : QStringLiteral("context-%1").arg(context);
    setSource(QUrl(QString(kManual) + "#" + anchor));
    if (!toHtml().contains(anchor)) setSource(QUrl(QString(kManual) + "#index"));
    show();
    raise();
    activateWindow();
}
