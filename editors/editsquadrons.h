#pragma once

#include <optional>
#include <string>

#include "editors/recordeditordlg.h"
#include "model/armament.h"
#include "model/nation.h"
#include "model/recordlist.h"
#include "model/scenario.h"
#include "model/ship.h"
#include "model/shipnameindex.h"
#include "model/squadron.h"
#include "model/torpedo.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// "Edit Squadrons": one squadron at a time in a working copy, written back
// into the document's squadron list when the user moves on or closes. A
// squadron's ships are chosen from the ships of its nation, and of nation 0
// (the neutrals) when asked. Names that no ship bears are shown marked.
class CEditSquadronsDlg : public RecordEditorDlg {
    Q_OBJECT
  public:
    // The ship list is edited by the ship editor that "Ships" opens. Print
    // proposes its PDF file beside the document at documentPath.
    CEditSquadronsDlg(const CArray<VxNation>& nations, RecordList<VxShip>& ships,
                      RecordList<VxSquadron>& squadrons, RecordList<VxScenario>& scenarios,
                      const CArray<VxArmament>& armaments,
                      const CArray<VxTorpedo>& torpedoes, std::string documentPath,
                      QWidget* parent);

    const VxSquadron& WorkingSquadron() const { return m_squadron; }
    // Shows this squadron of the list without storing the one shown: how
    // the dialog opens at a squadron other than the first.
    void ShowSquadron(int index);

    // The buttons and notifications, callable as the user would cause them.
    void OnCancelAdd() override;
    void OnFind();
    void OnDelete();
    void OnShips();
    void OnPrint();
    void OnClose();
    void OnNationChanged();
    void OnIncludeNeutralsToggled();
    void OnAddMember();
    void OnRemoveMember();
    void OnMemberUp();
    void OnMemberDown();
    void OnAddAttachment();
    void OnRemoveAttachment();
    void OnAttachmentUp();
    void OnAttachmentDown();

  private:
    // The member list or the attachment list, with its controls.
    struct ShipListControls {
        CStringArray VxSquadron::*names = nullptr;
        QListWidget* list = nullptr;
        QPushButton* add = nullptr;
        QPushButton* remove = nullptr;
        QPushButton* up = nullptr;
        QPushButton* down = nullptr;
    };

    void BuildForm();
    QWidget* BuildShipListColumn(ShipListControls& controls, const QString& caption,
                                 const QString& objectPrefix);
    QWidget* BuildButtonRow();
    void Gather();
    void Store();
    void Load();
    void ShowWorkingCopy();
    void ShowNames(const ShipListControls& controls);
    // The flagship that the list cannot offer (a missing ship, another
    // nation's) shows as the list's placeholder.
    void ShowFlagshipPlaceholder();
    void RefillAvailableShips();
    void RefillFlagship();
    void ChangeNation(bool ask);
    bool ListsShowShips() const;
    void MoveTo(int index) override;
    void OnAdd() override;
    void OnSave() override;
    QLineEdit* NameField() const override { return m_name; }
    bool HasUnsavedEdits() override;
    void AddSelectedShip(ShipListControls& controls);
    void RemoveSelectedShip(ShipListControls& controls);
    void MoveSelectedShip(ShipListControls& controls, int step);
    void UpdateListButtons();
    void UpdateButtons();

    const CArray<VxNation>& m_nations;
    RecordList<VxShip>& m_ships;
    RecordList<VxSquadron>& m_squadrons;
    RecordList<VxScenario>& m_scenarios;  // for the ship editor it opens
    const CArray<VxArmament>& m_armaments;
    const CArray<VxTorpedo>& m_torpedoes;
    std::string m_documentPath;
    // The nation whose ships the lists offer.
    int m_nShownNation = 0;
    VxSquadron m_squadron;
    // The ships by name, for the marks: built again when the ships change.
    std::optional<ShipNameIndex> m_shipIndex;

    QLineEdit* m_name;
    QLineEdit* m_commander;
    QComboBox* m_nation;
    QComboBox* m_flagship;
    QListWidget* m_available;
    QCheckBox* m_includeNeutrals;
    ShipListControls m_members;
    ShipListControls m_attachments;
    QPlainTextEdit* m_notes;
    QPushButton* m_find;
    QPushButton* m_delete;
    QPushButton* m_shipsButton;
    QPushButton* m_print;
    QPushButton* m_close;
};
