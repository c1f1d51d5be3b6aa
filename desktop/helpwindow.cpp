#include "desktop/helpwindow.h"

#include <QApplication>
#include <QEvent>
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
    StayUsableBeside(QApplication::activeModalWidget());
    show();
    raise();
    activateWindow();
}

void HelpWindow::StayUsableBeside(QWidget* modal) {
    if (modal == this || parentWidget() == modal) return;
    if (parentWidget()) parentWidget()->removeEventFilter(this);
    const QRect placed = geometry();
    const bool wasShown = isVisible();
    setParent(modal, Qt::Window);
    if (wasShown) setGeometry(placed);
    if (modal) modal->installEventFilter(this);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // The dialog is closing: keep the manual open on its own (or beside the
    // dialog below it), where the user left it.
    if (watched == parentWidget() && event->type() == QEvent::Hide) {
        const bool shown = isVisible();
        QWidget* below = parentWidget()->parentWidget();
        below = below ? below->window() : nullptr;
        StayUsableBeside(below && below->isModal() ? below : nullptr);
        if (shown) show();
    }
    return QTextBrowser::eventFilter(watched, event);
}
