#pragma once

#include <QList>
#include <QPointer>
#include <QStyledItemDelegate>

class QLabel;

// Draws a list row's tab-separated columns under the column headings placed
// above the list, as a list box with tab stops does.
class TabStopDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    TabStopDelegate(QWidget* list, QList<QLabel*> headings);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    QPointer<QWidget> m_list;
    QList<QLabel*> m_headings;
};
