#include "desktop/helpwindow.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QScreen>
#include <QUrl>

#include "desktop/messagebox.h"
#include "desktop/screenfit.h"
#include "platform/programfiles.h"

namespace {
constexpr QSize kPreferredSize(720, 640);
}  // namespace

void ShowHelp(int context) { HelpWindow::Instance()->ShowContext(context); }

HelpWindow* HelpWindow::Instance() {
    static QPointer<HelpWindow> window;
    if (!window) window = new HelpWindow;
    return window;
}

HelpWindow::HelpWindow()
    : m_manual(QString::fromStdString(ProgramFiles::OfRunningProgram().Manual())) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Brinnow Help");
    setOpenExternalLinks(true);
}

void HelpWindow::UseManual(const QString& path) { m_manual = path; }

void HelpWindow::ShowContext(int context) {
    QFile manual(m_manual);
    if (!manual.open(QIODevice::ReadOnly)) {
        AfxMessageBoxUnicode(
            QString("Cannot open the manual \"%1\": %2.").arg(m_manual, manual.errorString()));
        return;
    }
    const QString anchor = context == HelpContext::kIndex
                               ? QStringLiteral("index")
                               : QStringLiteral("context-%1").arg(context);
    setSource(AtAnchor(anchor));
    if (!toHtml().contains(anchor)) setSource(AtAnchor("index"));
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
    ::FitOnScreen(*this, kPreferredSize,
                  asking ? asking->screen() : QGuiApplication::primaryScreen());
}

QUrl HelpWindow::AtAnchor(const QString& anchor) const {
    QUrl url = QUrl::fromLocalFile(m_manual);
    url.setFragment(anchor);
    return url;
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
