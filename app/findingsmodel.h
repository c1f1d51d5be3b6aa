#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "model/campaigncheck.h"

// The findings of the campaign check as a table of kind, record and
// problem. Thousands of findings cost nothing until their rows are shown.
class FindingsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { kKind, kRecord, kProblem, kColumns };

    explicit FindingsModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void SetFindings(std::vector<Finding> findings);
    const std::vector<Finding>& Findings() const { return m_findings; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<Finding> m_findings;
};
