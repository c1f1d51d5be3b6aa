#include "editors/editnations.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "editors/addnation.h"
#include "editors/storeworkingcopy.h"
#include "history/documentnotice.h"
#include "platform/qtstrings.h"

CEditNationsDlg::CEditNationsDlg(RecordList<VxNation>& nations, QWidget* parent)
    : BrinnowDialog(HelpContext::kNations, parent), m_nations(nations) {
    setObjectName("editNationsDialog");
    setWindowTitle("Edit Nations");
    m_list = new QListWidget;
    m_list->setObjectName("nationList");
    auto* add = MakeButton("addButton", "Add");
    m_edit = MakeButton("editButton", "Edit");
    m_remove = MakeButton("removeButton", "Remove");
    auto* close = MakeButton("closeButton", "Close");
    close->setDefault(true);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, m_edit, m_remove}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* row = new QHBoxLayout;
    row->addWidget(m_list);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Nations"));
    layout->addLayout(row);
    resize(360, 300);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &CEditNationsDlg::UpdateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CEditNationsDlg::OnEdit);
    connect(add, &QPushButton::clicked, this, &CEditNationsDlg::OnAdd);
    connect(m_edit, &QPushButton::clicked, this, &CEditNationsDlg::OnEdit);
    connect(m_remove, &QPushButton::clicked, this, &CEditNationsDlg::OnRemove);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    FillList();
    UpdateButtons();
}

void CEditNationsDlg::FillList() {
    m_list->clear();
    for (const VxNation& nation : m_nations) m_list->addItem(ToQt(nation.m_strName));
    m_list->setCurrentRow(-1);
}

int CEditNationsDlg::SelectedRow() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.constFirst());
}

void CEditNationsDlg::UpdateButtons() {
    const bool selected = SelectedRow() >= 0;
    m_edit->setEnabled(selected);
    m_remove->setEnabled(selected);
}

void CEditNationsDlg::OnAdd() {
    CAddNationDlg dialog(VxNation(), true, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PostDocumentChangedNotice();
    m_nations.push_back(dialog.Nation());
    FillList();
    UpdateButtons();
}

void CEditNationsDlg::OnEdit() {
    const int row = SelectedRow();
    if (row < 0) return;
    CAddNationDlg dialog(m_nations[std::size_t(row)], false, this);
    if (dialog.exec() != QDialog::Accepted) return;
    StoreWorkingCopy(m_nations, std::size_t(row), dialog.Nation());
    FillList();
    UpdateButtons();
}

void CEditNationsDlg::OnRemove() {
    if (AfxMessageBox("This is not recommended. Any other resources relying on ths Nation in this "
                      "document will be destroyed as a result of this action. \r\nAre you sure "
                      "you wish to do this?",
                      MB_YESNO | MB_ICONQUESTION) == IDYES) {
        AfxMessageBox("Not yet implemented", MB_OK);
    }
}
