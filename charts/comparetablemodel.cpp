#include "charts/comparetablemodel.h"

#include "platform/qtstrings.h"

void CompareTableModel::SetTable(CompareTable table) {
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int CompareTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_table.rows.size());
}

int CompareTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || m_table.header.empty() ? 0 : int(m_table.header.size()) - 1;
}

QVariant CompareTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    return ToQt(m_table.rows[std::size_t(index.row())].cells[std::size_t(index.column())]);
}

QVariant CompareTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical) return ToQt(m_table.rows[std::size_t(section)].label);
    const std::size_t column = std::size_t(section) + 1;
    QString text = ToQt(m_table.header[column]);
    if (!m_table.subheader.empty()) text += "\n" + ToQt(m_table.subheader[column]);
    return text;
}
