#include "app/csvimportpreview.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/helpwindow.h"
#include "interchange/shipcsvimport.h"
#include "interchange/shipcsvsummary.h"
#include "model/brinnowdoc.h"
#include "model/messagenames.h"
#include "platform/codepage.h"

namespace {

QString ShownShip(const VxShip& ship, std::size_t row) {
    return QString::fromStdString(Cp1252ToUtf8(ShownName(ship.m_strName))) +
           QString("  (row %1)").arg(row);
}

}  // namespace

CsvImportPreview::CsvImportPreview(const ShipCsvImport& import, const QString& fileName,
                                   QWidget* parent)
    : BrinnowDialog(HelpContext::kCsvImport, parent), m_import(import) {
    setObjectName("csvImportPreview");
    setWindowTitle("Import Ships from CSV");
    const bool refused = import.RefusalCount() > 0;
    auto* summary = new QLabel(
        refused ? QString("%1 cannot be imported, and nothing will change:").arg(fileName)
                : QString("%1: %2.").arg(fileName, QString::fromStdString(ShipCsvCounts(import))));
    summary->setObjectName("summaryLabel");
    summary->setWordWrap(true);
    m_list = new QTreeWidget;
    m_list->setObjectName("importList");
    m_list->setColumnCount(1);
    m_list->setHeaderHidden(true);
    m_list->setUniformRowHeights(true);
    if (refused) {
        ListRefusals();
    } else {
        ListAdded();
        ListChanged();
        ListUnchanged();
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_list, 1);
    if (!refused && !import.AddedShips().empty()) {
        auto* note = new QLabel(kShipCsvRenameNote);
        note->setObjectName("renameNote");
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    auto* buttons = new QDialogButtonBox;
    m_importButton = buttons->addButton("&Import", QDialogButtonBox::AcceptRole);
    m_importButton->setObjectName("importButton");
    m_importButton->setEnabled(!refused && import.ChangesAnything());
    m_importButton->setDefault(m_importButton->isEnabled());
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(720, 480);
}

QTreeWidgetItem* CsvImportPreview::AddGroup(const QString& title, std::size_t count) {
    auto* group = new QTreeWidgetItem(m_list, {QString("%1 (%2)").arg(title).arg(count)});
    group->setExpanded(count > 0);
    return group;
}

void CsvImportPreview::AddMore(QTreeWidgetItem* group, std::size_t listed, std::size_t count) {
    if (count > listed) new QTreeWidgetItem(group, {QString("and %1 more").arg(count - listed)});
}

void CsvImportPreview::ListAdded() {
    const auto& added = m_import.AddedShips();
    QTreeWidgetItem* group = AddGroup("Added", added.size());
    const std::size_t listed = std::min(added.size(), kListedShips);
    for (std::size_t i = 0; i < listed; ++i) {
        new QTreeWidgetItem(group, {ShownShip(added[i].ship, added[i].row)});
    }
    AddMore(group, listed, added.size());
}

void CsvImportPreview::ListChanged() {
    const auto& changed = m_import.ChangedShips();
    QTreeWidgetItem* group = AddGroup("Changed", changed.size());
    const std::size_t listed = std::min(changed.size(), kListedShips);
    for (std::size_t i = 0; i < listed; ++i) {
        const VxShip& named = m_import.Document().m_ships[changed[i].index];
        auto* ship = new QTreeWidgetItem(group, {ShownShip(named, changed[i].row)});
        for (const ShipCsvImport::FieldChange& field : m_import.ChangedFields(changed[i])) {
            new QTreeWidgetItem(ship, {QString::fromStdString(field.column + ": " + field.before +
                                                              " \u2192 " + field.after)});
        }
        ship->setExpanded(true);
    }
    AddMore(group, listed, changed.size());
}

void CsvImportPreview::ListUnchanged() {
    const auto& unchanged = m_import.UnchangedShips();
    QTreeWidgetItem* group = AddGroup("Unchanged", unchanged.size());
    group->setExpanded(false);
    const std::size_t listed = std::min(unchanged.size(), kListedShips);
    const CBrinnowDoc& doc = m_import.Document();
    for (std::size_t i = 0; i < listed; ++i) {
        new QTreeWidgetItem(
            group,
            {QString::fromStdString(Cp1252ToUtf8(ShownName(doc.m_ships[unchanged[i]].m_strName)))});
    }
    AddMore(group, listed, unchanged.size());
}

void CsvImportPreview::ListRefusals() {
    const auto& refusals = m_import.Refusals();
    QTreeWidgetItem* group = AddGroup("Refused", m_import.RefusalCount());
    for (const std::string& refusal : refusals) {
        new QTreeWidgetItem(group, {QString::fromStdString(refusal)});
    }
    AddMore(group, refusals.size(), m_import.RefusalCount());
}
