#include "desktop/progressdialog.h"

#include <QCoreApplication>
#include <QWidget>
#include <algorithm>
#include <climits>

#include "platform/stopsignals.h"

namespace {
constexpr int kShownAfterMs = 500;
constexpr qint64 kEventsEveryMs = 50;
}  // namespace

ProgressDialog::ProgressDialog(QWidget* parent, const QString& title)
    : m_pause(parent ? parent->window() : nullptr), m_dialog(parent ? parent->window() : nullptr) {
    m_dialog.setWindowTitle(title);
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(kShownAfterMs);
    m_dialog.setAutoReset(false);
}

void ProgressDialog::Report(std::int64_t done, std::int64_t total, const char* what) {
    if (m_sinceEvents.isValid() && !m_sinceEvents.hasExpired(kEventsEveryMs) && done < total)
        return;
    m_sinceEvents.start();
    // The bar counts in ints; a longer run is shown in proportion.
    const std::int64_t scale = std::max<std::int64_t>(1, total / INT_MAX + 1);
    m_dialog.setMaximum(int(std::max<std::int64_t>(total, 1) / scale));
    m_dialog.setLabelText(QString::fromStdString(Text(done, total, what)));
    m_dialog.setValue(int(done / scale));
    // Until the dialog shows, the window takes no input, so that nothing
    // changes under the work; once shown, the dialog keeps it from the window.
    if (!m_dialog.isVisible()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    else m_waitCursor.reset();
    // A logout or kill stops the work as Cancel does, so that no temporary
    // file is left behind when the window ends.
    if (m_dialog.wasCanceled() || StopSignals::Received() != 0) throw WorkCancelled();
}
