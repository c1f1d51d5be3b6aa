#include "editors/recordeditordlg.h"

#include <QLineEdit>
#include <utility>

#include "desktop/messagebox.h"
#include "editors/recordbrowser.h"

RecordEditorDlg::RecordEditorDlg(int helpContext, const QString& newRecordText,
                                 std::string abandonQuestion, QWidget* parent)
    : BrinnowDialog(helpContext, parent),
      m_browser(new RecordBrowser(newRecordText, this)),
      m_abandonQuestion(std::move(abandonQuestion)) {
    // Through lambdas: the editor's overrides exist once construction ends.
    connect(m_browser, &RecordBrowser::moveRequested, this, [this](int index) { MoveTo(index); });
    connect(m_browser, &RecordBrowser::addOrSaveClicked, this, [this] { OnAddOrSave(); });
    connect(m_browser, &RecordBrowser::cancelClicked, this, [this] { OnCancelAdd(); });
}

bool RecordEditorDlg::IsAdding() const { return m_browser->IsAdding(); }
int RecordEditorDlg::Current() const { return m_browser->Current(); }

void RecordEditorDlg::OnFirst() { MoveTo(0); }
void RecordEditorDlg::OnPrevious() { MoveTo(Current() - 1); }
void RecordEditorDlg::OnNext() { MoveTo(Current() + 1); }
void RecordEditorDlg::OnLast() { MoveTo(m_browser->Count() - 1); }

void RecordEditorDlg::OnAddOrSave() {
    if (IsAdding()) {
        OnSave();
        return;
    }
    OnAdd();
    FocusNewName();
}

void RecordEditorDlg::FocusNewName() {
    if (!IsAdding()) return;
    QLineEdit* name = NameField();
    name->setFocus(Qt::OtherFocusReason);
    name->selectAll();
}

bool RecordEditorDlg::ConfirmAbandon() const { return AskYesNo(m_abandonQuestion); }

void RecordEditorDlg::reject() {
    if (HasUnsavedEdits() && !ConfirmAbandon()) return;
    BrinnowDialog::reject();
}
