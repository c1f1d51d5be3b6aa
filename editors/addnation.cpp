#include "editors/addnation.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "desktop/helpwindow.h"
#include "editors/textboxes.h"

CAddNationDlg::CAddNationDlg(const VxNation& nation, bool addMode, QWidget* parent)
    : BrinnowDialog(HelpContext::kNations, parent), m_nation(nation) {
    setObjectName("addNationDialog");
    setWindowTitle(addMode ? "Add Nation" : "Edit Nation");
    m_name = new QLineEdit;
    SetBoxText(m_name, nation.m_strName);
    m_name->setObjectName("nameEdit");
    m_name->setEnabled(addMode);
    m_notes = new QPlainTextEdit;
    SetBoxText(m_notes, nation.m_strNotes);
    m_notes->setObjectName("notesEdit");
    m_notes->setTabChangesFocus(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddNationDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow("Name", m_name);
    form->addRow("Notes", m_notes);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (addMode) m_name->setFocus();
}

void CAddNationDlg::accept() {
    m_nation.m_strName = BoxText(m_name);
    m_nation.m_strNotes = BoxText(m_notes);
    QDialog::accept();
}
