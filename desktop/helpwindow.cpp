#include "desktop/helpwindow.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QUrl>
#include <algorithm>

namespace {
constexpr const char* kManual = "qrc:/help/brinnow.html";
constexpr QSize kPreferredSize(720, 640);
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
    resize(kPreferredSize);
}

void HelpWindow::ShowContext(int context) {
    const QString anchor = context == HelpContext::kIndex
                               ? QStringLiteral("index")
                               : QStringLiteral("context-%1").arg(context);
    setSource(QUrl(QString(kManual) + "#" + anchor));
    if (!toHtml().contains(anchor)) setSource(QUrl(QString(kManual) + "#index"));
    StayUsableBeside(QApplication::activeModalWidget());
    if (!isVisible()) FitOnScreen();
    show();
    raise();
    activateWindow();
}

// Wholly on the screen of the window that asks for help, however small or
// scaled that screen is; the user's own size and place stay while it is open.
void HelpWindow::FitOnScreen() {
    const QWidget* asking = QApplication::activeWindow();
    const QScreen* screen = asking ? asking->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    resize(kPreferredSize.boundedTo(available.size() - (frameGeometry().size() - size())));
    QRect placed = frameGeometry();
    placed.moveLeft(
        std::clamp(placed.left(), available.left(), available.right() - placed.width() + 1));
    placed.moveTop(
        std::clamp(placed.top(), available.top(), available.bottom() - placed.height() + 1));
    move(placed.topLeft());
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
