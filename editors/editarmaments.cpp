#include "editors/editarmaments.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "editors/addarmament.h"
#include "editors/storeworkingcopy.h"
#include "editors/tabstopdelegate.h"
#include "history/documentnotice.h"
#include "model/brinnowdoc.h"
#include "platform/qtstrings.h"
#include "platform/textformat.h"

CEditArmamentsDlg::CEditArmamentsDlg(CBrinnowDoc& doc, QWidget* parent)
    : BrinnowDialog(HelpContext::kArmaments, parent), m_doc(doc) {
    setObjectName("editArmamentsDialog");
    setWindowTitle("Edit Armaments");
    m_nation = new QComboBox;
    m_nation->setObjectName("nationCombo");
    m_list = new QListWidget;
    m_list->setObjectName("armamentList");
    auto* notesHeading = new QLabel("Notes");
    auto* afHeading = new QLabel("AF");
    m_list->setItemDelegate(new TabStopDelegate(m_list, {notesHeading, afHeading}));
    m_add = MakeButton("addButton", "Add");
    m_edit = MakeButton("editButton", "Edit");
    m_copy = MakeButton("copyButton", "Copy");
    m_remove = MakeButton("removeButton", "Remove");
    auto* close = MakeButton("closeButton", "Close");
    close->setDefault(true);

    auto* headings = new QGridLayout;
    headings->addWidget(new QLabel("Armament"), 0, 0);
    headings->addWidget(notesHeading, 0, 1);
    headings->addWidget(afHeading, 0, 2);
    headings->setColumnStretch(0, 2);
    headings->setColumnStretch(1, 3);
    headings->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_add, m_edit, m_copy, m_remove}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Nation"));
    layout->addWidget(m_nation);
    layout->addLayout(headings);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(460, 380);

    connect(m_nation, &QComboBox::activated, this, [this] {
        FillArmamentList();
        UpdateButtons();
    });
    // The selection, not the current row, decides: a click selects after the
    // current row has moved.
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CEditArmamentsDlg::UpdateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CEditArmamentsDlg::OnEdit);
    connect(m_add, &QPushButton::clicked, this, &CEditArmamentsDlg::OnAdd);
    connect(m_edit, &QPushButton::clicked, this, &CEditArmamentsDlg::OnEdit);
    connect(m_copy, &QPushButton::clicked, this, &CEditArmamentsDlg::OnCopy);
    connect(m_remove, &QPushButton::clicked, this, &CEditArmamentsDlg::OnRemove);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    for (const VxNation& nation : m_doc.m_nations) m_nation->addItem(ToQt(nation.m_strName));
    m_nation->setCurrentIndex(m_doc.m_nations.empty() ? -1 : 0);
    FillArmamentList();
    UpdateButtons();
}

void CEditArmamentsDlg::FillArmamentList() {
    m_list->clear();
    const int nation = m_nation->currentIndex();
    if (nation < 0) return;
    m_nFirstRow = -1;
    for (std::size_t i = 0; i < m_doc.m_armaments.size(); ++i) {
        const VxArmament& armament = m_doc.m_armaments[i];
        if (armament.m_nNation != nation) continue;
        if (m_nFirstRow < 0) m_nFirstRow = static_cast<int>(i);
        m_list->addItem(ToQt(armament.m_strCalibre + "\t" + armament.m_strNotes + "\t" +
                             FormatG3(armament.m_dAF)));
    }
    m_list->setCurrentRow(-1);
}

void CEditArmamentsDlg::UpdateButtons() {
    const bool selected = SelectedPosition() >= 0;
    m_edit->setEnabled(selected);
    m_copy->setEnabled(selected);
    m_remove->setEnabled(selected);
    m_add->setEnabled(true);
}

int CEditArmamentsDlg::SelectedPosition() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    const int row = selected.isEmpty() ? -1 : m_list->row(selected.constFirst());
    return row < 0 || m_nFirstRow < 0 ? -1 : m_nFirstRow + row;
}

void CEditArmamentsDlg::AddThroughDialog(const VxArmament& armament) {
    CAddArmamentDlg dialog(armament, m_doc.m_nations, true, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const VxArmament& added = dialog.Armament();
    const bool exists = std::any_of(m_doc.m_armaments.begin(), m_doc.m_armaments.end(),
                                    [&](const VxArmament& a) { return a.IsSameArmament(added); });
    if (exists) {
        AfxMessageBox("Armament already exists!", MB_OK);
    } else {
        PostDocumentChangedNotice();
        m_doc.InsertArmament(added);
    }
    FillArmamentList();
    UpdateButtons();
}

void CEditArmamentsDlg::OnAdd() {
    const int nation = m_nation->currentIndex();
    if (nation < 0) return;
    AddThroughDialog(VxArmament("0.0", 0.0, nation));
}

void CEditArmamentsDlg::OnCopy() {
    const int position = SelectedPosition();
    if (position < 0) return;
    VxArmament copy = m_doc.m_armaments[std::size_t(position)];
    copy.SetCalibre("0.0");
    AddThroughDialog(copy);
}

void CEditArmamentsDlg::OnEdit() {
    const int position = SelectedPosition();
    if (position < 0) return;
    CAddArmamentDlg dialog(m_doc.m_armaments[std::size_t(position)], m_doc.m_nations, false, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const VxArmament& edited = dialog.Armament();

    int sameGuns = 0;
    int aircraft = 0;
    for (int row = 0; row < m_list->count(); ++row) {
        const VxArmament& shown = m_doc.m_armaments[std::size_t(m_nFirstRow + row)];
        if (shown.m_bGun && shown.IsSameArmament(edited)) ++sameGuns;
        if (!shown.m_bGun) ++aircraft;
    }
    if (sameGuns > 1) AfxMessageBox("That Armament type already exists! Cannot replace", MB_OK);
    if (aircraft > 1) {
        AfxMessageBox("Only allowed one aircraft weapon type per Nation! Cannot replace", MB_OK);
    }
    if (sameGuns > 1 || aircraft > 1) return;

    StoreWorkingCopy(m_doc.m_armaments, std::size_t(position), edited);
    FillArmamentList();
    UpdateButtons();
}

void CEditArmamentsDlg::OnRemove() {
    const int position = SelectedPosition();
    if (position < 0) return;
    if (AfxMessageBox("Are you sure you want to delete this Armament type?",
                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    m_doc.RemoveArmament(position);
    FillArmamentList();
    UpdateButtons();
}
