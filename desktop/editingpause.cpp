#include "desktop/editingpause.h"

#include <QAction>
#include <QWidget>

EditingPause::EditingPause(QWidget* window) {
    if (!window) return;
    for (QAction* action : window->findChildren<QAction*>()) {
        if (!action->isEnabled()) continue;
        action->setEnabled(false);
        m_paused.append(action);
    }
}

EditingPause::~EditingPause() {
    for (const QPointer<QAction>& action : m_paused) {
        if (action) action->setEnabled(true);
    }
}
