#include "editors/selectsquadron.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "desktop/helpwindow.h"
#include "editors/sortedlist.h"
#include "platform/qtstrings.h"

CSelectSquadronDlg::CSelectSquadronDlg(const CArray<VxSquadron>& squadrons, QWidget* parent)
    : BrinnowDialog(HelpContext::kSquadrons, parent),
      m_squadrons(squadrons),
      m_list(new QListWidget) {
    setObjectName("selectSquadronDialog");
    setWindowTitle("Select Squadron");
    m_list->setObjectName("squadronList");
    QStringList names;
    names.reserve(qsizetype(squadrons.size()));
    for (const VxSquadron& squadron : squadrons) names << ToQt(squadron.m_strName);
    FillSorted(m_list, names);
    if (m_list->count() > 0) m_list->setCurrentRow(0);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CSelectSquadronDlg::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectSquadronDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(320, 320);
}

void CSelectSquadronDlg::accept() {
    const int row = m_list->currentRow();
    if (row < 0) return;
    const std::string name = FromQt(m_list->item(row)->text());
    m_chosen = row;
    for (std::size_t i = 0; i < m_squadrons.size(); ++i) {
        if (m_squadrons[i].m_strName == name) {
            m_chosen = static_cast<int>(i);
            break;
        }
    }
    QDialog::accept();
}
