#include "editors/listcommandsmenu.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QMenu>

void OfferListCommands(QListWidget* list, const std::vector<ListCommand>& commands) {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(list, &QWidget::customContextMenuRequested, list,
                     [list, commands](const QPoint& at) {
                         QListWidgetItem* item = list->itemAt(at);
                         if (!item) return;
                         list->setCurrentItem(item);
                         QMenu menu(list);
                         for (const ListCommand& command : commands) {
                             QAction* action = menu.addAction(command.text);
                             action->setEnabled(command.button->isEnabled());
                             QObject::connect(action, &QAction::triggered, command.button,
                                              &QAbstractButton::click);
                         }
                         menu.exec(list->viewport()->mapToGlobal(at));
                     });
}
