#include "app/findingsmodel.h"

#include "platform/qtstrings.h"

namespace {

// "Squadron: 1st Battlecruiser Squadron".
QString RecordText(const Finding& finding) {
    QString type = PlaceType(finding.place);
    type[0] = type[0].toUpper();
    return type + ": " + ToQt(finding.record);
}

}  // namespace

void FindingsModel::SetFindings(std::vector<Finding> findings) {
    beginResetModel();
    m_findings = std::move(findings);
    endResetModel();
}

int FindingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_findings.size());
}

int FindingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || std::size_t(index.row()) >= m_findings.size()) return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    const Finding& finding = m_findings[std::size_t(index.row())];
    switch (index.column()) {
        case kKind:
            return QString(KindTitle(finding.kind));
        case kRecord:
            return RecordText(finding);
        case kProblem:
            return ToQt(finding.problem);
        default:
            return {};
    }
}

QVariant FindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kHeadings[kColumns] = {"Kind", "Record", "Problem"};
    return section >= 0 && section < kColumns ? QString(kHeadings[section]) : QVariant();
}
