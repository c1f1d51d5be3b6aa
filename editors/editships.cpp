#include "editors/editships.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "editors/lastnation.h"
#include "editors/recordbrowser.h"
#include "editors/selectship.h"
#include "editors/shipreferencequestions.h"
#include "editors/storeworkingcopy.h"
#include "editors/textboxes.h"
#include "history/documentnotice.h"
#include "model/listlookup.h"
#include "model/putinorder.h"
#include "model/shiptables.h"
#include "platform/qtstrings.h"

namespace {

constexpr const char* kNewShipName = "New Ship";

// A stored position selects its row; one outside the list selects none.
void SelectRow(QComboBox* combo, int row) {
    combo->setCurrentIndex(row >= 0 && row < combo->count() ? row : -1);
}

}  // namespace

CEditShipsDlg::CEditShipsDlg(const CArray<VxNation>& nations, const CArray<VxArmament>& armaments,
                             const CArray<VxTorpedo>& torpedoes, RecordList<VxShip>& ships,
                             RecordList<VxSquadron>& squadrons, RecordList<VxScenario>& scenarios,
                             QWidget* parent)
    : RecordEditorDlg(HelpContext::kShips, kNewShipName, "Abandon Changes to ship?", parent),
      m_nations(nations),
      m_armaments(armaments),
      m_torpedoes(torpedoes),
      m_ships(ships),
      m_squadrons(squadrons),
      m_scenarios(scenarios) {
    setObjectName("editShipsDialog");
    setWindowTitle("Edit Ships");
    BuildForm();
    FillLists();
    m_browser->SetCount(static_cast<int>(m_ships.size()));
    LoadCurrent();
    UpdateButtons();
}

void CEditShipsDlg::FillLists() {
    for (const VxNation& nation : m_nations) m_nation->addItem(ToQt(nation.m_strName));
    FillArmaments();
    for (const VxTorpedo& torpedo : m_torpedoes) m_torpedo->addItem(ToQt(torpedo.GetLabel()));
    for (const char* rating : AARatingTable) m_aaRating->addItem(rating);
    for (const ShipType& type : ShipTypeTable) {
        m_shipType->addItem(QString("%1 - %2").arg(type.abbreviation, type.name));
    }
}

void CEditShipsDlg::LoadCurrent() {
    if (!m_browser->HasRecords()) {
        m_ship.Reset();
        m_ship.m_strName.clear();
    } else {
        m_ship = m_ships[std::size_t(Current())];
    }
    LoadForm();
    m_loadedForm = FormState();
}

void CEditShipsDlg::LoadForm() {
    SetBoxText(m_name, m_ship.m_strName);
    m_df->setText(NumberText(m_ship.m_dDF));
    SetBoxText(m_identifier, m_ship.m_strIdentifier);
    SetBoxText(m_notes, m_ship.m_strNotes);
    for (std::size_t i = 0; i < 4; ++i) {
        m_mainAF[i]->setText(NumberText(m_ship.m_dMainAF[i]));
        m_secondaryAF[i]->setText(NumberText(m_ship.m_dSecondaryAF[i]));
        m_torpedoAF[i]->setText(QString::number(m_ship.m_nTorpedoAF[i]));
    }
    for (std::size_t i = 0; i < 5; ++i)
        m_turnSpeed[i]->setText(QString::number(m_ship.m_nTurnSpeed[i]));
    m_wingTurrets->setChecked(m_ship.m_bWingTurrets);
    m_poorUP->setChecked(m_ship.m_bPoorUP);
    m_flotilla->setChecked(m_ship.m_bFlotilla);
    SelectRow(m_nation, m_ship.m_nNation);
    FillArmaments();
    SelectRow(m_torpedo, m_ship.m_nTorpedo);
    SelectRow(m_secondaryArmament, m_ship.m_nSecondaryArmament - m_nFirstArmament);
    SelectRow(m_mainArmament, m_ship.m_nMainArmament - m_nFirstArmament);
    SelectRow(m_shipType, m_ship.m_nShipType);
    SelectRow(m_aaRating, m_ship.m_nAARating);
}

bool CEditShipsDlg::ReadForm() {
    // Every number is read before anything is stored, so a malformed entry
    // leaves the working ship as it was.
    double df = 0;
    std::array<double, 4> mainAF{}, secondaryAF{};
    std::array<int, 4> torpedoAF{};
    std::array<int, 5> speeds{};
    if (!ReadNumber(m_df, "DF", df)) return false;
    for (std::size_t i = 0; i < 5; ++i) {
        if (!ReadInteger(m_turnSpeed[i], QString("Turn Speed %1").arg(i + 1), speeds[i]))
            return false;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        if (!ReadNumber(m_mainAF[i], QString("Main Armament AF %1").arg(i + 1), mainAF[i]))
            return false;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const QString name = QString("Secondary Armament AF %1").arg(i + 1);
        if (!ReadNumber(m_secondaryAF[i], name, secondaryAF[i])) return false;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const QString name = QString("Torpedo Armament AF %1").arg(i + 1);
        if (!ReadInteger(m_torpedoAF[i], name, torpedoAF[i])) return false;
    }
    m_ship.m_dDF = df;
    m_ship.m_strIdentifier = BoxText(m_identifier);
    m_ship.m_strName = BoxText(m_name);
    m_ship.m_strNotes = BoxText(m_notes);
    m_ship.m_bWingTurrets = m_wingTurrets->isChecked();
    m_ship.m_nTurnSpeed = speeds;
    m_ship.m_bPoorUP = m_poorUP->isChecked();
    m_ship.m_dMainAF = mainAF;
    m_ship.m_dSecondaryAF = secondaryAF;
    m_ship.m_nTorpedoAF = torpedoAF;
    m_ship.m_bFlotilla = m_flotilla->isChecked();
    m_ship.m_nNation = m_nation->currentIndex();
    m_ship.m_nMainArmament = m_nFirstArmament + m_mainArmament->currentIndex();
    m_ship.m_nSecondaryArmament = m_nFirstArmament + m_secondaryArmament->currentIndex();
    m_ship.m_nTorpedo = m_torpedo->currentIndex();
    m_ship.m_nShipType = m_shipType->currentIndex();
    m_ship.m_nAARating = m_aaRating->currentIndex();
    return true;
}

void CEditShipsDlg::FillArmaments() {
    m_mainArmament->clear();
    m_secondaryArmament->clear();
    const int nation = m_nation->currentIndex();
    m_nFirstArmament = -1;
    if (nation < 0) return;
    for (std::size_t i = 0; i < m_armaments.size(); ++i) {
        const VxArmament& armament = m_armaments[i];
        if (armament.m_nNation != nation) continue;
        if (m_nFirstArmament < 0) m_nFirstArmament = static_cast<int>(i);
        const QString text = ToQt(armament.GetDisplayName(TRUE));
        m_mainArmament->addItem(text);
        m_secondaryArmament->addItem(text);
    }
    if (IsAdding()) {
        SelectRow(m_mainArmament, 0);
        SelectRow(m_secondaryArmament, 0);
        return;
    }
    m_ship.m_nMainArmament = std::max(m_ship.m_nMainArmament, m_nFirstArmament);
    m_ship.m_nSecondaryArmament = std::max(m_ship.m_nSecondaryArmament, m_nFirstArmament);
    SelectRow(m_mainArmament, m_ship.m_nMainArmament - m_nFirstArmament);
    SelectRow(m_secondaryArmament, m_ship.m_nSecondaryArmament - m_nFirstArmament);
}

bool CEditShipsDlg::SaveCurrent() {
    if (!m_browser->HasRecords()) return true;
    if (!ReadForm() || !ValidateArmament()) return false;
    const std::size_t current = std::size_t(Current());
    const CString storedName = m_ships[current].m_strName;
    StoreWorkingCopy(m_ships, current, m_ship);
    if (m_ship.m_strName != storedName) FollowRename(storedName);
    return true;
}

void CEditShipsDlg::FollowRename(const CString& from) {
    // The squadrons never found this ship under its old name when an
    // earlier ship bears it.
    if (!FoundByName(std::size_t(Current()), from)) return;
    const int nation = m_ship.m_nNation;
    const ShipNameUses uses = FindShipNameUses(m_squadrons, m_scenarios, from, nation);
    if (uses.Empty() || !AskRenameReferences(uses, m_scenarios)) return;
    RenameShipUses(m_squadrons, m_scenarios, uses, from, m_ship.m_strName, nation);
    PostDocumentChangedNotice();
}

bool CEditShipsDlg::FoundByName(std::size_t index, const CString& name) const {
    return std::none_of(m_ships.begin(), m_ships.begin() + std::ptrdiff_t(index),
                        [&](const VxShip& ship) { return ship.m_strName == name; });
}

bool CEditShipsDlg::ValidateArmament() {
    if (m_ship.m_dSecondaryAF[0] > 0 && m_ship.m_dMainAF[0] == 0) {
        AfxMessageBox("To have secondary armament, you must have main armament", MB_OK);
        return false;
    }
    const VxArmament* main = m_ship.MainArmamentIn(m_armaments);
    if (main != nullptr && !main->m_bGun) {
        AfxMessageBox(
            "Aircraft Carriers have to have their aircraft specified as the secondary "
            "armament. The main armament should be the largest guns carried by the vessel",
            MB_OK);
        return false;
    }
    return true;
}

bool CEditShipsDlg::LeaveGuard() {
    if (!IsAdding()) return SaveCurrent();
    if (!RecordBrowser::ConfirmThrowAwayNew()) return false;
    OnCancelAdd();
    return true;
}

void CEditShipsDlg::MoveTo(int index) {
    if (!m_browser->HasRecords() || !LeaveGuard()) return;
    ShowShip(index);
}

void CEditShipsDlg::ShowShip(int index) {
    if (!m_browser->HasRecords()) return;
    m_browser->SetCurrent(index);
    LoadCurrent();
    UpdateButtons();
}

void CEditShipsDlg::OnAdd() {
    SaveCurrent();  // a failure still begins the new ship, as it always has
    m_ship.Reset();
    m_ship.m_nNation = StartingNation(m_nation->count());
    LoadForm();
    m_browser->SetAdding(true);
    UpdateButtons();
}

void CEditShipsDlg::OnSave() {
    if (!ReadForm() || !ValidateArmament()) return;
    if (m_ship.m_strName == kNewShipName) {
        AfxMessageBox("You must supply a unique name for the ship!", MB_OK);
        UpdateButtons();
        return;
    }
    const bool exists = std::any_of(m_ships.begin(), m_ships.end(), [this](const VxShip& ship) {
        return ship.m_strName == m_ship.m_strName && ship.m_nNation == m_ship.m_nNation;
    });
    if (exists) {
        AfxMessageBox("Ship already exists!", MB_OK);
        UpdateButtons();
        return;
    }
    PostDocumentChangedNotice();
    const auto at = std::find_if(m_ships.begin(), m_ships.end(),
                                 [this](const VxShip& ship) { return !(ship < m_ship); });
    const int position = static_cast<int>(at - m_ships.begin());
    m_ships.insert(at, m_ship);
    m_browser->Inserted(position);
    LoadCurrent();
    m_browser->SetAdding(false);
    UpdateButtons();
}

void CEditShipsDlg::OnCancelAdd() {
    LoadCurrent();
    m_browser->SetAdding(false);
    UpdateButtons();
}

int CEditShipsDlg::SelectShip() {
    CSelectShipDlg select(m_ships, this, &m_nations);
    return select.exec() == QDialog::Accepted ? select.Chosen() : -1;
}

void CEditShipsDlg::OnCopy() {
    OnAdd();
    const int chosen = SelectShip();
    if (chosen >= 0) {
        m_ship = m_ships[std::size_t(chosen)];
        m_ship.m_strName = kNewShipName;
        LoadForm();
        FocusNewName();
    } else {
        LoadCurrent();
        m_browser->SetAdding(false);
    }
    UpdateButtons();
}

void CEditShipsDlg::OnFind() {
    const int chosen = SelectShip();
    if (chosen < 0 || !SaveCurrent()) return;
    m_browser->SetCurrent(chosen);
    LoadCurrent();
    UpdateButtons();
}

void CEditShipsDlg::OnDelete() {
    if (!m_browser->HasRecords()) return;
    const std::size_t current = std::size_t(Current());
    const CString& name = m_ships[current].m_strName;
    const std::vector<ShipReference> references = FoundByName(current, name)
                                                      ? SquadronsNaming(m_squadrons, name)
                                                      : std::vector<ShipReference>();
    if (!AskYesNo(DeleteShipQuestion(name, references, m_squadrons))) return;
    m_ships.erase(m_ships.begin() + Current());
    m_browser->RemovedCurrent();
    LoadCurrent();
    UpdateButtons();
}

void CEditShipsDlg::Resort() {
    if (IsAdding() || !SaveCurrent() || !m_browser->HasRecords()) return;
    PutInOrder(m_ships, std::size_t(Current()));
    const auto found = std::find_if(m_ships.begin(), m_ships.end(), [this](const VxShip& ship) {
        return ship.m_strName == m_ship.m_strName && ship.m_nNation == m_ship.m_nNation;
    });
    if (found != m_ships.end()) m_browser->SetCurrent(static_cast<int>(found - m_ships.begin()));
    LoadCurrent();
    UpdateButtons();
}

void CEditShipsDlg::OnNameLeft() { Resort(); }

void CEditShipsDlg::OnNationChanged() {
    RememberChosenNation(m_nation->currentIndex());
    if (!IsAdding()) {
        m_ship.m_nMainArmament = 0;
        m_ship.m_nSecondaryArmament = 0;
    }
    FillArmaments();
    Resort();
}

bool CEditShipsDlg::HasUnsavedEdits() {
    return IsAdding() || (m_browser->HasRecords() && FormState() != m_loadedForm);
}

QStringList CEditShipsDlg::FormState() const {
    QStringList state;
    for (const QLineEdit* box : findChildren<QLineEdit*>()) {
        if (box != m_browser->CounterEdit()) state << box->text();
    }
    for (const QComboBox* list : findChildren<QComboBox*>()) {
        state << QString::number(list->currentIndex());
    }
    for (const QAbstractButton* box : findChildren<QAbstractButton*>()) {
        state << (box->isChecked() ? "1" : "0");
    }
    state << m_notes->toPlainText();
    return state;
}

void CEditShipsDlg::OnClose() {
    if (IsAdding()) {
        if (ConfirmAbandon()) accept();
        return;
    }
    if (SaveCurrent()) accept();
}

bool CEditShipsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_name && event->type() == QEvent::FocusOut) {
        // Leaving the field, not the window: a message box or another
        // window taking the focus is no reason to re-sort.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Close stores the ship itself; a rename question asked while its
        // button is pressed would take the release, and with it the click.
        const bool towardsClose = QApplication::focusWidget() == m_close;
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            !towardsClose)
            OnNameLeft();
    }
    return BrinnowDialog::eventFilter(watched, event);
}

void CEditShipsDlg::UpdateButtons() {
    m_browser->Update();
    const bool any = m_browser->HasRecords();
    m_delete->setEnabled(!IsAdding() && any);
    m_copy->setEnabled(any && !IsAdding());
    m_find->setEnabled(any && !IsAdding());
    const bool data = m_browser->ShowsRecord();
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_name, m_nation, m_identifier, m_mainArmament, m_wingTurrets, m_secondaryArmament,
             m_torpedo, m_aaRating, m_df, m_shipType, m_poorUP, m_flotilla, m_notes}) {
        control->setEnabled(data);
    }
    for (const auto* edits : {&m_mainAF, &m_secondaryAF, &m_torpedoAF}) {
        for (QLineEdit* edit : *edits) edit->setEnabled(data);
    }
    for (QLineEdit* edit : m_turnSpeed) edit->setEnabled(data);
}
