#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>
#include <optional>

#include "desktop/editingpause.h"
#include "desktop/waitcursor.h"

#include "platform/progress.h"

class QWidget;

// The window's progress: the wait cursor, then, once the work has taken half
// a second, a dialog saying what is being done ("Printing page 312 of 905"),
// with a bar and Cancel under the usual pointer. The dialog stays above the
// window it belongs to and keeps its input; the window's commands are greyed
// until the work ends. The window repaints while the work runs, its events
// let through at most every 50 ms; Cancel stops the work at its next step.
class ProgressDialog : public Progress {
  public:
    ProgressDialog(QWidget* parent, const QString& title);

  protected:
    void Report(std::int64_t done, std::int64_t total, const char* what) override;

  private:
    // Before the dialog, which is no command of the window.
    EditingPause m_pause;
    QProgressDialog m_dialog;
    QElapsedTimer m_sinceEvents;
    std::optional<WaitCursor> m_waitCursor{std::in_place};
};

// Runs work under a progress dialog; false when the user cancelled it, which
// left whatever it was writing as it was.
template <class Work>
bool RunWithProgress(QWidget* parent, const QString& title, Work work) {
    ProgressDialog progress(parent, title);
    try {
        work(static_cast<Progress&>(progress));
        return true;
    } catch (const WorkCancelled&) {
        return false;
    }
}
