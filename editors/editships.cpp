#include "editors/editships.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
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

QLineEdit* NumberEdit(const QString& name, int width = 48) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setFixedWidth(width);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

template <std::size_t N>
std::array<QLineEdit*, N> NumberEdits(const QString& prefix) {
    std::array<QLineEdit*, N> edits;
    for (std::size_t i = 0; i < N; ++i) edits[i] = NumberEdit(prefix + QString::number(i + 1));
    return edits;
}

QComboBox* DropDown(const QString& name) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    // A long nation or armament name widens the open list, not the dialog.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(14);
    return combo;
}

// Says what each box of a row of number edits holds, and where it goes on
// the card.
template <std::size_t N>
void DescribeBoxes(const std::array<QLineEdit*, N>& edits, const QString& what,
                   const QString& cardRow) {
    for (std::size_t i = 0; i < N; ++i) {
        const QString name = QStringLiteral("%1 %2").arg(what).arg(i + 1);
        edits[i]->setToolTip(
            QStringLiteral("%1: box %2 of the card's %3").arg(name).arg(i + 1).arg(cardRow));
        edits[i]->setAccessibleName(name);
    }
}

// A stored position selects its row; one outside the list selects none.
void SelectRow(QComboBox* combo, int row) {
    combo->setCurrentIndex(row >= 0 && row < combo->count() ? row : -1);
}

// A row of a caption, a drop-down list and its four factor edits.
void AddArmamentRow(QGridLayout* grid, int row, const char* caption, QComboBox* combo,
                    const std::array<QLineEdit*, 4>& factors) {
    grid->addWidget(new QLabel(caption), row, 0);
    grid->addWidget(combo, row, 1);
    grid->addWidget(new QLabel("AF"), row, 2);
    auto* edits = new QHBoxLayout;
    for (QLineEdit* factor : factors) edits->addWidget(factor);
    edits->addStretch();
    grid->addLayout(edits, row, 3, 1, 4);
}

}  // namespace

CEditShipsDlg::CEditShipsDlg(const CArray<VxNation>& nations, const CArray<VxArmament>& armaments,
                             const CArray<VxTorpedo>& torpedoes, RecordList<VxShip>& ships,
                             RecordList<VxSquadron>& squadrons,
                             RecordList<VxScenario>& scenarios, QWidget* parent)
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

void CEditShipsDlg::BuildForm() {
    m_name = MakeTextField("nameEdit");
    m_name->installEventFilter(this);
    m_nation = DropDown("nationCombo");
    m_identifier = MakeTextField("identifierEdit");
    m_mainArmament = DropDown("mainArmamentCombo");
    m_mainAF = NumberEdits<4>("mainAF");
    m_wingTurrets = MakeButton("wingTurretsButton", "Wing Turrets");
    m_wingTurrets->setCheckable(true);
    m_secondaryArmament = DropDown("secondaryArmamentCombo");
    m_secondaryAF = NumberEdits<4>("secondaryAF");
    m_torpedo = DropDown("torpedoCombo");
    m_torpedoAF = NumberEdits<4>("torpedoAF");
    m_aaRating = DropDown("aaRatingCombo");
    m_df = NumberEdit("dfEdit", 64);
    m_shipType = DropDown("shipTypeCombo");
    m_poorUP = new QCheckBox("Poor UP");
    m_poorUP->setObjectName("poorUPCheck");
    m_poorUP->setLayoutDirection(Qt::RightToLeft);
    m_turnSpeed = NumberEdits<5>("turnSpeed");
    m_flotilla = new QCheckBox("Flotilla");
    m_flotilla->setObjectName("flotillaCheck");
    m_notes = new QPlainTextEdit;
    m_notes->setObjectName("notesEdit");
    m_notes->setTabChangesFocus(true);
    DescribeBoxes(m_mainAF, "Main Armament AF", "middle row");
    DescribeBoxes(m_secondaryAF, "Secondary Armament AF", "middle row");
    DescribeBoxes(m_torpedoAF, "Torpedo Armament AF", "middle row");
    DescribeBoxes(m_turnSpeed, "Turn Speed", "bottom row");

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Name"), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 3);
    grid->addWidget(new QLabel("Nationality"), 0, 4, 1, 1, Qt::AlignRight);
    grid->addWidget(m_nation, 0, 5, 1, 2);
    grid->addWidget(new QLabel("Identifier"), 1, 0);
    grid->addWidget(m_identifier, 1, 1, 1, 3);
    AddArmamentRow(grid, 2, "Main Armament", m_mainArmament, m_mainAF);
    grid->addWidget(m_wingTurrets, 2, 7);
    AddArmamentRow(grid, 3, "Secondary Armament", m_secondaryArmament, m_secondaryAF);
    AddArmamentRow(grid, 4, "Torpedo Armament", m_torpedo, m_torpedoAF);
    grid->addWidget(new QLabel("AA Rating"), 5, 0);
    grid->addWidget(m_aaRating, 5, 1);
    grid->addWidget(new QLabel("DF"), 5, 2);
    grid->addWidget(m_df, 5, 3, 1, 2);
    grid->addWidget(new QLabel("Ship Type"), 6, 0);
    grid->addWidget(m_shipType, 6, 1, 1, 3);
    grid->addWidget(m_poorUP, 6, 4, 1, 2);
    grid->addWidget(new QLabel("Turn Speed"), 7, 0);
    auto* speeds = new QHBoxLayout;
    for (QLineEdit* speed : m_turnSpeed) speeds->addWidget(speed);
    speeds->addStretch();
    grid->addLayout(speeds, 7, 1, 1, 4);
    grid->addWidget(m_flotilla, 7, 5, 1, 2);
    grid->addWidget(new QLabel("Notes"), 8, 0, Qt::AlignTop);
    grid->addWidget(m_notes, 8, 1, 1, 7);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(BuildButtonRow());

    connect(m_nation, &QComboBox::activated, this, &CEditShipsDlg::OnNationChanged);
}

QWidget* CEditShipsDlg::BuildButtonRow() {
    m_copy = MakeButton("copyButton", "Copy");
    m_find = MakeButton("findButton", "Find");
    m_delete = MakeButton("deleteButton", "Delete");
    m_close = MakeButton("closeButton", "Close");
    m_close->setDefault(true);
    connect(m_copy, &QPushButton::clicked, this, &CEditShipsDlg::OnCopy);
    connect(m_find, &QPushButton::clicked, this, &CEditShipsDlg::OnFind);
    connect(m_delete, &QPushButton::clicked, this, &CEditShipsDlg::OnDelete);
    connect(m_close, &QPushButton::clicked, this, &CEditShipsDlg::OnClose);
    return m_browser->BuildRow({m_copy, m_find, m_delete}, m_close);
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
