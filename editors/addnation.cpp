#include "editors/addnation.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "editors/helpwindow.h"
#include "platform/qtstrings.h"

CAddNationDlg::CAddNationDlg(const VxNation& nation, bool addMode, QWidget* parent)
    : BrinnowDialog(HelpContext::kNations, parent), m_nation(nation) {
    setObjectName("addNationDialog");
    setWindowTitle(addMode ? "Add Nation" : "Edit Nation");
    m_name = new QLineEdit(ToQt(nation.m_strName));
    m_name->setObjectName("nameEdit");
    m_name->setEnabled(addMode);
    m_notes = new QPlainTextEdit(ToQtLines(nation.m_strNotes));
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
}

void CAddNationDlg::accept() {
    m_nation.m_strName = FromQt(m_name->text());
    m_nation.m_strNotes = FromQtLines(m_notes->toPlainText());
    QDialog::accept();
}
