#include "editors/listcommandsmenu.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QMenu>

void OfferListCommands(QAbstractItemView* list, const std::vector<ListCommand>& commands) {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(list, &QWidget::customContextMenuRequested, list,
                     [list, commands](const QPoint& at) {
                         const QModelIndex item = list->indexAt(at);
                         if (!item.isValid()) return;
                         list->setCurrentIndex(item);
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
