#include "editors/addarmament.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "desktop/helpwindow.h"
#include "editors/textboxes.h"
#include "model/listlookup.h"
#include "platform/qtstrings.h"
#include "platform/textformat.h"

namespace {
constexpr const char* kAircraft = "Aircraft";
}  // namespace

CAddArmamentDlg::CAddArmamentDlg(const VxArmament& armament, const CArray<VxNation>& nations,
                                 bool addMode, QWidget* parent)
    : BrinnowDialog(HelpContext::kArmaments, parent), m_armament(armament), m_bAddMode(addMode) {
    setObjectName("addArmamentDialog");
    setWindowTitle(addMode ? "Add Armament" : "Edit Armament");

    m_nation = new QLineEdit;
    m_nation->setObjectName("nationEdit");
    m_nation->setReadOnly(true);
    const VxNation* nation = ElementAt(nations, armament.m_nNation);
    m_nation->setText(nation ? ToQt(nation->m_strName) : QString());
    m_aircraft = new QRadioButton("Aircraft");
    m_aircraft->setObjectName("aircraftRadio");
    m_gun = new QRadioButton("Gun");
    m_gun->setObjectName("gunRadio");
    m_calibre = new QLineEdit;
    m_calibre->setObjectName("calibreEdit");
    m_calibre->setEnabled(addMode);
    m_notes = new QLineEdit;
    m_notes->setObjectName("notesEdit");
    m_af = new QLineEdit;
    m_af->setObjectName("afEdit");

    auto* kind = new QHBoxLayout;
    kind->addWidget(m_aircraft);
    kind->addWidget(m_gun);
    auto* fields = new QFormLayout;
    fields->addRow("Calibre", m_calibre);
    fields->addRow("Notes", m_notes);
    fields->addRow("AF", m_af);
    auto* bands = new QGroupBox("Range Bands");
    auto* bandGrid = new QGridLayout(bands);
    for (int band = 0; band < VxArmament::kRangeBands; ++band) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString("rangeBand%1").arg(band));
        edit->setFixedWidth(44);
        m_rangeBands[std::size_t(band)] = edit;
        bandGrid->addWidget(new QLabel(QString::number(band)), band / 5 * 2, band % 5,
                            Qt::AlignCenter);
        bandGrid->addWidget(edit, band / 5 * 2 + 1, band % 5);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddArmamentDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_aircraft, &QRadioButton::clicked, this, &CAddArmamentDlg::OnAircraft);
    connect(m_gun, &QRadioButton::clicked, this, &CAddArmamentDlg::OnGun);

    auto* layout = new QVBoxLayout(this);
    auto* nationRow = new QFormLayout;
    nationRow->addRow("Nation", m_nation);
    layout->addLayout(nationRow);
    layout->addLayout(kind);
    layout->addLayout(fields);
    layout->addWidget(bands);
    layout->addWidget(buttons);

    (armament.m_bGun ? m_gun : m_aircraft)->setChecked(true);
    ShowFields();
    if (addMode) {
        // The calibre is what a new armament needs first; typing replaces "0.0".
        m_calibre->setFocus();
        m_calibre->selectAll();
    }
    for (int band = 0; band < VxArmament::kRangeBands; ++band) {
        m_rangeBands[std::size_t(band)]->setText(ToQt(armament.GetRangeBand(band)));
    }
}

bool CAddArmamentDlg::ReadFields() {
    double af = 0;
    if (!ReadNumber(m_af, "AF", af)) return false;
    m_armament.m_dAF = af;
    m_armament.SetCalibre(BoxText(m_calibre));
    m_armament.m_strNotes = BoxText(m_notes);
    return true;
}

void CAddArmamentDlg::ShowFields() {
    SetBoxText(m_calibre, m_armament.m_strCalibre);
    SetBoxText(m_notes, m_armament.m_strNotes);
    m_af->setText(NumberText(m_armament.m_dAF));
}

void CAddArmamentDlg::OnAircraft() {
    if (!ReadFields()) return;
    if (!m_aircraft->isChecked()) {
        if (m_armament.m_strCalibre == kAircraft) {
            m_armament.SetCalibre("0.0");
            m_armament.m_strNotes.clear();
            m_armament.m_dAF = 0.0;
        }
    } else if (m_armament.m_strCalibre != kAircraft) {
        m_savedCalibre = m_armament.m_strCalibre;
        m_savedNotes = m_armament.m_strNotes;
        m_dSavedAF = m_armament.m_dAF;
        m_armament.SetCalibre(kAircraft);
        m_armament.m_strNotes.clear();
        m_armament.m_dAF = 0.0;
    }
    ShowFields();
}

void CAddArmamentDlg::OnGun() {
    if (!ReadFields()) return;
    if (m_gun->isChecked() && m_armament.m_strCalibre == kAircraft) {
        m_armament.SetCalibre(m_savedCalibre);
        m_armament.m_strNotes = m_savedNotes;
        m_armament.m_dAF = m_dSavedAF;
    }
    ShowFields();
}

void CAddArmamentDlg::accept() {
    if (!ReadFields()) return;
    for (int band = 0; band < VxArmament::kRangeBands; ++band) {
        m_armament.SetRangeBand(band, FromQt(m_rangeBands[std::size_t(band)]->text()));
    }
    m_armament.m_bGun = m_gun->isChecked();
    QDialog::accept();
}
