#include "editors/editsquadrons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <unordered_set>
#include <utility>

#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "desktop/printcommand.h"
#include "desktop/unmatchedwarning.h"
#include "editors/editships.h"
#include "editors/lastnation.h"
#include "editors/listcommandsmenu.h"
#include "editors/listkeys.h"
#include "editors/recordbrowser.h"
#include "editors/selectsquadron.h"
#include "editors/sortedlist.h"
#include "editors/storeworkingcopy.h"
#include "history/documentnotice.h"
#include "model/unmatchednames.h"
#include "platform/qtstrings.h"
#include "print/squadronprintjob.h"

namespace {

constexpr const char* kNewSquadronName = "New Squadron";
constexpr int kNeutralNation = 0;
constexpr const char* kMissingMark = " (missing)";

// The names of the neutral ships, looked up once per question.
std::unordered_set<std::string> NeutralShipNames(const CArray<VxShip>& ships) {
    std::unordered_set<std::string> names;
    for (const VxShip& ship : ships) {
        if (ship.m_nNation == kNeutralNation) names.insert(ship.m_strName);
    }
    return names;
}

// A name that no ship bears: its card would print as a default ship.
void MarkMissing(QListWidgetItem* item) {
    item->setText(item->text() + kMissingMark);
    QFont italic = item->font();
    italic.setItalic(true);
    item->setFont(italic);
    item->setToolTip("No ship bears this name: its card prints as a default ship.");
}

bool HoldsAny(const CStringArray& names, const std::unordered_set<std::string>& wanted) {
    return std::any_of(names.begin(), names.end(),
                       [&wanted](const CString& name) { return wanted.count(name) > 0; });
}

void RemoveAll(CStringArray& names, const std::unordered_set<std::string>& unwanted) {
    std::erase_if(names, [&unwanted](const CString& name) { return unwanted.count(name) > 0; });
}

}  // namespace

CEditSquadronsDlg::CEditSquadronsDlg(const CArray<VxNation>& nations, RecordList<VxShip>& ships,
                                     RecordList<VxSquadron>& squadrons,
                                     RecordList<VxScenario>& scenarios,
                                     const CArray<VxArmament>& armaments,
                                     const CArray<VxTorpedo>& torpedoes, std::string documentPath,
                                     QWidget* parent)
    : RecordEditorDlg(HelpContext::kSquadrons, kNewSquadronName, "Abandon Changes to squadron?",
                      parent),
      m_nations(nations),
      m_ships(ships),
      m_squadrons(squadrons),
      m_scenarios(scenarios),
      m_armaments(armaments),
      m_torpedoes(torpedoes),
      m_documentPath(std::move(documentPath)),
      m_shipIndex(std::in_place, m_ships) {
    m_members.names = &VxSquadron::m_shipNames;
    m_attachments.names = &VxSquadron::m_attachmentNames;
    setObjectName("editSquadronsDialog");
    setWindowTitle("Edit Squadrons");
    BuildForm();
    for (const VxNation& nation : m_nations) m_nation->addItem(ToQt(nation.m_strName));
    m_nation->setCurrentIndex(m_nation->count() > 0 ? 0 : -1);
    m_nShownNation = std::max(0, m_nation->currentIndex());
    RefillAvailableShips();
    RefillFlagship();
    m_browser->SetCount(static_cast<int>(m_squadrons.size()));
    Load();
}

// The fields into the working copy; the member and attachment lists are
// changed by their buttons, not here. A flagship the list cannot offer (a
// missing ship, another nation's) keeps its name, and a nation outside the
// nation list its number.
void CEditSquadronsDlg::Gather() {
    m_squadron.m_strName = FromQt(m_name->text());
    if (m_flagship->currentIndex() >= 0) {
        m_squadron.m_strFlagship = FromQt(m_flagship->currentText());
    }
    m_squadron.m_strCommander = FromQt(m_commander->text());
    if (m_nation->currentIndex() >= 0) m_squadron.m_nNation = m_nation->currentIndex();
    m_squadron.m_strNotes = FromQtLines(m_notes->toPlainText());
}

void CEditSquadronsDlg::Store() {
    if (!m_browser->HasRecords()) return;
    Gather();
    StoreWorkingCopy(m_squadrons, std::size_t(Current()), m_squadron);
}

void CEditSquadronsDlg::Load() {
    if (m_browser->HasRecords()) {
        m_squadron = m_squadrons[std::size_t(Current())];
    } else {
        m_squadron = VxSquadron();
        m_squadron.m_strName.clear();
    }
    ShowWorkingCopy();
}

void CEditSquadronsDlg::ShowWorkingCopy() {
    m_members.list->clear();
    m_attachments.list->clear();
    const int nation = m_squadron.m_nNation;
    m_nation->setCurrentIndex(nation >= 0 && nation < m_nation->count() ? nation : -1);
    ChangeNation(false);
    m_name->setText(ToQt(m_squadron.m_strName));
    m_commander->setText(ToQt(m_squadron.m_strCommander));
    m_flagship->setCurrentIndex(m_flagship->findText(ToQt(m_squadron.m_strFlagship)));
    m_notes->setPlainText(ToQtLines(m_squadron.m_strNotes));
    ShowNames(m_members);
    ShowNames(m_attachments);
    UpdateButtons();
}

void CEditSquadronsDlg::ShowNames(const ShipListControls& controls) {
    controls.list->clear();
    QStringList names;
    for (const CString& name : m_squadron.*controls.names) names << ToQt(name);
    controls.list->addItems(names);
    const CStringArray& held = m_squadron.*controls.names;
    for (int row = 0; row < controls.list->count(); ++row) {
        if (!m_shipIndex->Has(held[std::size_t(row)])) MarkMissing(controls.list->item(row));
    }
}

void CEditSquadronsDlg::ShowFlagshipPlaceholder() {
    const CString& flagship = m_squadron.m_strFlagship;
    const bool missing = !flagship.empty() && !m_shipIndex->Has(flagship);
    m_flagship->setPlaceholderText(ToQt(flagship) + (missing ? kMissingMark : ""));
}

void CEditSquadronsDlg::RefillAvailableShips() {
    const int nation = m_nation->currentIndex();
    const bool neutrals = nation != kNeutralNation && m_includeNeutrals->isChecked();
    QStringList names;
    for (const VxShip& ship : m_ships) {
        if (ship.m_nNation == nation || (neutrals && ship.m_nNation == kNeutralNation)) {
            names << ToQt(ship.m_strName);
        }
    }
    m_available->clear();
    m_available->addItems(names);
}

// An empty entry, then the same ships as "Available Ships", sorted; the
// flagship stays chosen when the new list offers it. When it does not, the
// empty entry is chosen, so the squadron stores no flagship rather than one
// the box no longer shows, and the shown member and attachment lists are
// emptied too; the working copy keeps their names.
void CEditSquadronsDlg::RefillFlagship() {
    // Nothing chosen means the held flagship is one the list did not offer.
    const QString flagship = m_flagship->currentIndex() >= 0 ? m_flagship->currentText()
                                                             : ToQt(m_squadron.m_strFlagship);
    QStringList names;
    for (int row = 0; row < m_available->count(); ++row) names << m_available->item(row)->text();
    FillSorted(m_flagship, names);
    m_flagship->insertItem(0, QString());
    const int found = m_flagship->findText(flagship);
    m_flagship->setCurrentIndex(std::max(found, 0));
    ShowFlagshipPlaceholder();
    if (found < 0) {
        m_members.list->clear();
        m_attachments.list->clear();
    }
}

bool CEditSquadronsDlg::ListsShowShips() const {
    return m_members.list->count() > 0 || m_attachments.list->count() > 0;
}

void CEditSquadronsDlg::ChangeNation(bool ask) {
    if (ask && ListsShowShips() &&
        !AskYesNo("Changing Nation will reset squadron list. Continue?")) {
        m_nation->setCurrentIndex(m_nShownNation);
        return;
    }
    m_nShownNation = m_nation->currentIndex();
    if (ask) RememberChosenNation(m_nShownNation);
    RefillAvailableShips();
    RefillFlagship();
    UpdateListButtons();
}

void CEditSquadronsDlg::OnNationChanged() { ChangeNation(true); }

void CEditSquadronsDlg::OnIncludeNeutralsToggled() {
    Gather();
    const bool unticked = !m_includeNeutrals->isChecked();
    // Nation 0's own ships are the neutrals; the box changes nothing there.
    const bool removes = unticked && m_squadron.m_nNation != kNeutralNation;
    const std::unordered_set<std::string> neutrals =
        removes ? NeutralShipNames(m_ships) : std::unordered_set<std::string>();
    const bool holdsNeutrals = HoldsAny(m_squadron.m_shipNames, neutrals) ||
                               HoldsAny(m_squadron.m_attachmentNames, neutrals);
    if (removes && ListsShowShips() && holdsNeutrals &&
        !AskYesNo("Removing Neutrals will affect squadron lists. Continue?")) {
        m_includeNeutrals->setChecked(true);
        return;
    }
    RefillAvailableShips();
    RefillFlagship();
    if (removes) {
        if (neutrals.count(m_squadron.m_strFlagship) != 0) m_squadron.m_strFlagship.clear();
        RemoveAll(m_squadron.m_shipNames, neutrals);
        RemoveAll(m_squadron.m_attachmentNames, neutrals);
        ShowWorkingCopy();
    }
    UpdateListButtons();
}

void CEditSquadronsDlg::AddSelectedShip(ShipListControls& controls) {
    const QListWidgetItem* chosen = m_available->currentItem();
    if (chosen == nullptr || !m_browser->ShowsRecord()) return;
    (m_squadron.*controls.names).push_back(FromQt(chosen->text()));
    controls.list->addItem(chosen->text());
    UpdateListButtons();
}

// The shown list may hold only the last names of the working copy's list
// (after a nation change that lost the flagship), so rows count from the end.
void CEditSquadronsDlg::RemoveSelectedShip(ShipListControls& controls) {
    const int row = controls.list->currentRow();
    if (row < 0) return;
    CStringArray& names = m_squadron.*controls.names;
    const int offset = static_cast<int>(names.size()) - controls.list->count();
    const int index = row + std::max(0, offset);
    if (index < static_cast<int>(names.size())) names.erase(names.begin() + index);
    delete controls.list->takeItem(row);
    UpdateListButtons();
}

void CEditSquadronsDlg::MoveSelectedShip(ShipListControls& controls, int step) {
    const int row = controls.list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= controls.list->count()) return;
    Gather();
    CStringArray& names = m_squadron.*controls.names;
    const int offset = std::max(0, static_cast<int>(names.size()) - controls.list->count());
    std::swap(names[std::size_t(row + offset)], names[std::size_t(target + offset)]);
    ShowNames(controls);
    controls.list->setCurrentRow(target + offset);
    UpdateListButtons();
}

void CEditSquadronsDlg::OnAddMember() { AddSelectedShip(m_members); }
void CEditSquadronsDlg::OnRemoveMember() { RemoveSelectedShip(m_members); }
void CEditSquadronsDlg::OnMemberUp() { MoveSelectedShip(m_members, -1); }
void CEditSquadronsDlg::OnMemberDown() { MoveSelectedShip(m_members, +1); }
void CEditSquadronsDlg::OnAddAttachment() { AddSelectedShip(m_attachments); }
void CEditSquadronsDlg::OnRemoveAttachment() { RemoveSelectedShip(m_attachments); }
void CEditSquadronsDlg::OnAttachmentUp() { MoveSelectedShip(m_attachments, -1); }
void CEditSquadronsDlg::OnAttachmentDown() { MoveSelectedShip(m_attachments, +1); }

void CEditSquadronsDlg::ShowSquadron(int index) {
    if (!m_browser->HasRecords()) return;
    m_browser->SetCurrent(index);
    Load();
}

void CEditSquadronsDlg::MoveTo(int index) {
    if (!m_browser->HasRecords()) return;
    if (IsAdding()) {
        if (!RecordBrowser::ConfirmThrowAwayNew()) return;
        m_browser->SetAdding(false);
    } else {
        Store();
    }
    m_browser->SetCurrent(index);
    Load();
}

void CEditSquadronsDlg::OnAdd() {
    Store();
    m_squadron = VxSquadron();
    m_squadron.m_nNation = StartingNation(m_nation->count());
    m_browser->SetAdding(true);
    ShowWorkingCopy();
}

void CEditSquadronsDlg::OnSave() {
    Gather();
    if (m_squadron.m_strName == kNewSquadronName) {
        AfxMessageBox("You must supply a unique name for this squadron!", MB_OK);
        return;
    }
    if (std::find(m_squadrons.begin(), m_squadrons.end(), m_squadron) != m_squadrons.end()) {
        AfxMessageBox("Squadron already exists with this name!", MB_OK);
        return;
    }
    PostDocumentChangedNotice();
    const auto at = std::find_if(m_squadrons.begin(), m_squadrons.end(),
                                 [this](const VxSquadron& s) { return !(s < m_squadron); });
    const int position = static_cast<int>(at - m_squadrons.begin());
    m_squadrons.insert(at, m_squadron);
    m_browser->Inserted(position);
    m_browser->SetAdding(false);
    Load();
}

void CEditSquadronsDlg::OnCancelAdd() {
    m_browser->SetAdding(false);
    Load();
}

void CEditSquadronsDlg::OnFind() {
    CSelectSquadronDlg select(m_squadrons, this);
    if (select.exec() != QDialog::Accepted || select.Chosen() < 0) return;
    Store();
    m_browser->SetCurrent(select.Chosen());
    Load();
}

void CEditSquadronsDlg::OnDelete() {
    if (!m_browser->HasRecords() || !AskYesNo("Are you sure you want to delete this squadron?"))
        return;
    m_squadrons.erase(m_squadrons.begin() + Current());
    m_browser->RemovedCurrent();
    Load();
}

// A new squadron stays in the working copy while the ships are edited. A
// ship renamed there may have renamed the squadron shown, too.
void CEditSquadronsDlg::OnShips() {
    if (IsAdding()) {
        Gather();
    } else {
        Store();
    }
    CEditShipsDlg ships(m_nations, m_armaments, m_torpedoes, m_ships, m_squadrons, m_scenarios,
                        this);
    ships.exec();
    m_shipIndex.emplace(m_ships);
    if (IsAdding()) {
        ShowWorkingCopy();
    } else {
        Load();
    }
}

void CEditSquadronsDlg::OnPrint() {
    if (IsAdding() || !m_browser->HasRecords()) return;
    Store();
    const VxSquadron squadron = m_squadron;
    UnmatchedNames unmatched(*m_shipIndex);
    unmatched.Add(squadron);
    if (!ConfirmPrintOfUnmatchedNames(unmatched.Names(), "this squadron")) return;
    PrintWithDialog(this, squadron.m_strName, m_documentPath,
                    [this, squadron](CDC& printer, Progress& progress) {
                        RunSquadronPrintJob(printer, squadron, m_ships, m_armaments, progress);
                    });
}

void CEditSquadronsDlg::OnClose() {
    if (IsAdding()) {
        if (ConfirmAbandon()) accept();
        return;
    }
    Store();
    accept();
}

bool CEditSquadronsDlg::HasUnsavedEdits() {
    if (IsAdding()) return true;
    if (!m_browser->HasRecords()) return false;
    Gather();
    return m_squadron.IsDifferent(m_squadrons[std::size_t(Current())]);
}

void CEditSquadronsDlg::UpdateListButtons() {
    const bool shows = m_browser->ShowsRecord();
    const bool available = shows && m_available->currentRow() >= 0;
    for (const ShipListControls* controls : {&m_members, &m_attachments}) {
        const int row = controls->list->currentRow();
        const bool selected = shows && row >= 0;
        controls->add->setEnabled(available);
        controls->remove->setEnabled(selected);
        controls->up->setEnabled(selected && row > 0);
        controls->down->setEnabled(selected && row < controls->list->count() - 1);
    }
}

void CEditSquadronsDlg::UpdateButtons() {
    m_browser->Update();
    const bool browsing = !IsAdding() && m_browser->HasRecords();
    m_find->setEnabled(browsing);
    m_delete->setEnabled(browsing);
    m_print->setEnabled(browsing);
    const bool shows = m_browser->ShowsRecord();
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_name, m_nation, m_includeNeutrals, m_available, m_members.list, m_attachments.list,
             m_commander, m_flagship, m_notes}) {
        control->setEnabled(shows);
    }
    UpdateListButtons();
}
