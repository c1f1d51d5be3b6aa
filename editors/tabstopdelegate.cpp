#include "editors/tabstopdelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QPainter>

TabStopDelegate::TabStopDelegate(QWidget* list, QList<QLabel*> headings)
    : QStyledItemDelegate(list), m_list(list), m_headings(std::move(headings)) {}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &background, painter,
                                       option.widget);

    const auto* view = qobject_cast<const QAbstractItemView*>(m_list.data());
    const QWidget* viewport = view ? view->viewport() : m_list.data();
    const QStringList columns = index.data().toString().split('\t');
    painter->save();
    painter->setPen(option.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    for (int column = 0; column < columns.size(); ++column) {
        int left = option.rect.left() + 4;
        if (column > 0 && column <= m_headings.size() && viewport) {
            const QLabel* heading = m_headings.at(column - 1);
            left = heading->mapTo(m_list->window(), QPoint(0, 0)).x() -
                   viewport->mapTo(m_list->window(), QPoint(0, 0)).x();
        }
        const QRect cell(left, option.rect.top(), option.rect.right() - left, option.rect.height());
        painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, columns.at(column));
    }
    painter->restore();
}
