#pragma once

#include "editors/brinnowdialog.h"

class CBrinnowDoc;
class QComboBox;
class QListWidget;
class QPushButton;
class VxArmament;

// "Edit Armaments": the armament types of one nation at a time. Every change
// goes straight into the document, keeps the armament order and shifts the
// ships' armament references.
class CEditArmamentsDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    CEditArmamentsDlg(CBrinnowDoc& doc, QWidget* parent);

    int FirstRow() const { return m_nFirstRow; }
    // The document position of the selected row, or -1 when none is selected.
    int SelectedPosition() const;

    void FillArmamentList();
    void UpdateButtons();
    void OnAdd();
    void OnCopy();
    void OnEdit();
    void OnRemove();

  private:
    // Runs "Add Armament" on a new armament and inserts the result.
    void AddThroughDialog(const VxArmament& armament);

    CBrinnowDoc& m_doc;
    int m_nFirstRow = -1;
    QComboBox* m_nation;
    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_copy;
    QPushButton* m_remove;
};
