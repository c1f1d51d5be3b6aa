#pragma once

#include <QList>
#include <QPointer>

class QAction;
class QWidget;

// While a window's document is being printed or exported, the window's
// commands are greyed, so that nothing edits what is being written; they
// come back as they were when the work ends.
class EditingPause {
  public:
    explicit EditingPause(QWidget* window);
    ~EditingPause();
    EditingPause(const EditingPause&) = delete;
    EditingPause& operator=(const EditingPause&) = delete;

  private:
    QList<QPointer<QAction>> m_paused;
};
