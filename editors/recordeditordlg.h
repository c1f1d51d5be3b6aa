#pragma once

#include <string>

#include "editors/brinnowdialog.h"

class QLineEdit;
class RecordBrowser;

// A dialog that edits the records of one list one at a time through a
// RecordBrowser: the moves, Add/Save and Cancel are wired here; each editor
// says what leaving a record, adding and saving mean for it.
class RecordEditorDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    // newRecordText is what the position reads while adding; abandonQuestion
    // is asked before the form's edits are thrown away.
    RecordEditorDlg(int helpContext, const QString& newRecordText, std::string abandonQuestion,
                    QWidget* parent);

    bool IsAdding() const;
    int Current() const;
    // The buttons, callable as the user would press them.
    void OnFirst();
    void OnPrevious();
    void OnNext();
    void OnLast();
    void OnAddOrSave();
    virtual void OnCancelAdd() = 0;

    // Escape and the close box: what the form holds is only thrown away when
    // the user says so; with nothing to lose the dialog closes at once.
    void reject() override;

  protected:
    // Shows the record at index (kept within the list) when the editor's
    // rules let the shown one go.
    virtual void MoveTo(int index) = 0;
    virtual void OnAdd() = 0;
    virtual void OnSave() = 0;
    virtual QLineEdit* NameField() const = 0;
    // A new record's name takes the keys with its text selected, so typing
    // replaces "New Ship" and a blank never presses the button under focus.
    void FocusNewName();
    // Whether closing now would lose the user's work: a new record, or edits
    // of the shown one not yet stored.
    virtual bool HasUnsavedEdits() = 0;
    bool ConfirmAbandon() const;

    RecordBrowser* m_browser;

  private:
    std::string m_abandonQuestion;
};
