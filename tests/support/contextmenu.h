#pragma once

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// Right-clicks widget at a point and reads the menu that opens: its entries,
// a disabled one followed by " (off)". The entry captioned choice is chosen;
// with none, the menu is closed. Empty when no menu opened.
inline QStringList RightClick(QWidget* widget, const QPoint& at, const QString& choice = {}) {
    QStringList entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            entries << action->text() + (action->isEnabled() ? "" : " (off)");
            if (action->text() == choice) chosen = action;
        }
        menu->close();
        if (chosen) chosen->trigger();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &click);
    QApplication::processEvents();
    return entries;
}
