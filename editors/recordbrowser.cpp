#include "editors/recordbrowser.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/messagebox.h"
#include "editors/brinnowdialog.h"

RecordBrowser::RecordBrowser(const QString& newRecordText, QObject* parent)
    : QObject(parent),
      m_newRecordText(newRecordText),
      m_first(BrinnowDialog::MakeButton("firstButton", "<<", "First record")),
      m_previous(BrinnowDialog::MakeButton("previousButton", "<", "Previous record")),
      m_counter(new QLineEdit),
      m_next(BrinnowDialog::MakeButton("nextButton", ">", "Next record")),
      m_last(BrinnowDialog::MakeButton("lastButton", ">>", "Last record")),
      m_add(BrinnowDialog::MakeButton("addButton", "&Add")),
      m_cancel(BrinnowDialog::MakeButton("cancelButton", "Cancel")) {
    m_counter->setObjectName("counterEdit");
    m_counter->setReadOnly(true);
    m_counter->setFocusPolicy(Qt::NoFocus);
    m_counter->setAlignment(Qt::AlignCenter);
    m_counter->setFixedWidth(110);
    for (QPushButton* narrow : {m_first, m_previous, m_next, m_last}) narrow->setFixedWidth(36);

    connect(m_first, &QPushButton::clicked, this, [this] { emit moveRequested(0); });
    connect(m_previous, &QPushButton::clicked, this,
            [this] { emit moveRequested(m_nCurrent - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { emit moveRequested(m_nCurrent + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { emit moveRequested(m_nCount - 1); });
    connect(m_add, &QPushButton::clicked, this, &RecordBrowser::addOrSaveClicked);
    connect(m_cancel, &QPushButton::clicked, this, &RecordBrowser::cancelClicked);
}

void RecordBrowser::SetCount(int count) {
    m_nCount = std::max(0, count);
    SetCurrent(m_nCurrent);
}

void RecordBrowser::SetCurrent(int index) {
    m_nCurrent = m_nCount == 0 ? 0 : std::clamp(index, 0, m_nCount - 1);
}

void RecordBrowser::Inserted(int index) {
    ++m_nCount;
    SetCurrent(index);
}

void RecordBrowser::RemovedCurrent() { SetCount(m_nCount - 1); }

bool RecordBrowser::ConfirmThrowAwayNew() { return AskYesNo("Do you want to throw away changes?"); }

void RecordBrowser::Update() {
    const bool any = HasRecords();
    m_cancel->setEnabled(m_bAdding);
    // One access key, A, whichever the button reads.
    m_add->setText(m_bAdding ? "S&ave" : "&Add");
    m_first->setEnabled(any && m_nCurrent != 0);
    m_previous->setEnabled(any && m_nCurrent != 0);
    m_next->setEnabled(any && m_nCurrent != m_nCount - 1);
    m_last->setEnabled(any && m_nCurrent != m_nCount - 1);
    m_counter->setEnabled(ShowsRecord());
    m_counter->setText(m_bAdding ? m_newRecordText
                       : any     ? QString("%1 of %2").arg(m_nCurrent + 1).arg(m_nCount)
                                 : QString());
}

QWidget* RecordBrowser::BuildRow(std::initializer_list<QPushButton*> ownButtons,
                                 QPushButton* close) const {
    auto* rows = new QWidget;
    auto* column = new QVBoxLayout(rows);
    column->setContentsMargins(0, 0, 0, 0);
    auto* browsing = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_first, m_previous, m_counter, m_next, m_last}) {
        browsing->addWidget(w);
    }
    browsing->addSpacing(16);
    browsing->addWidget(m_add);
    browsing->addWidget(m_cancel);
    browsing->addStretch();
    auto* commands = new QHBoxLayout;
    for (QPushButton* b : ownButtons) commands->addWidget(b);
    commands->addStretch();
    commands->addWidget(close);
    column->addLayout(browsing);
    column->addLayout(commands);
    return rows;
}
