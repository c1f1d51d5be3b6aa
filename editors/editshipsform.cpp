// The Edit Ships dialog's form: the fields of a ship's card in the card's
// order, described for a screen reader, and the buttons, each connected to
// what it does.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "editors/editships.h"
#include "editors/recordbrowser.h"
#include "editors/textboxes.h"
#include "platform/qtstrings.h"

namespace {

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
