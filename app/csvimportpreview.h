#pragma once

#include <cstddef>

#include "editors/brinnowdialog.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class ShipCsvImport;

// What an import of ships from CSV would do, before it does it: the ships
// added, the ships changed with each field's old and new value, the ships
// unchanged, and the refusals. Import (the default button) is offered only
// when nothing was refused and something changes.
class CsvImportPreview : public BrinnowDialog {
    Q_OBJECT
  public:
    // Ships listed under each heading; the rest are counted.
    static constexpr std::size_t kListedShips = 1000;

    CsvImportPreview(const ShipCsvImport& import, const QString& fileName, QWidget* parent);

    QTreeWidget* List() const { return m_list; }
    QPushButton* ImportButton() const { return m_importButton; }

  private:
    QTreeWidgetItem* AddGroup(const QString& title, std::size_t count);
    void AddMore(QTreeWidgetItem* group, std::size_t listed, std::size_t count);
    void ListAdded();
    void ListChanged();
    void ListUnchanged();
    void ListRefusals();

    const ShipCsvImport& m_import;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_importButton = nullptr;
};
