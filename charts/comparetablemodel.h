#pragma once

#include <QAbstractTableModel>

#include "compare/comparetable.h"

// The table of figures for a view: a column per force (two from a game), a
// row per figure, the labels as headers.
class CompareTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetTable(CompareTable table);
    const CompareTable& Table() const { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    CompareTable m_table;
};
