#pragma once

#include "editors/brinnowdialog.h"

class QLineEdit;
class RecordBrowser;

// A dialog that edits the records of one list one at a time through a
// RecordBrowser: the moves, Add/Save and Cancel are wired here; each editor
// says what leaving a record, adding and saving mean for it.
class RecordEditorDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    // newRecordText is what the position reads while adding.
    RecordEditorDlg(int helpContext, const QString& newRecordText, QWidget* parent);

    bool IsAdding() const;
    int Current() const;
    // The buttons, callable as the user would press them.
    void OnFirst();
    void OnPrevious();
    void OnNext();
    void OnLast();
    void OnAddOrSave();
    virtual void OnCancelAdd() = 0;

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

    RecordBrowser* m_browser;
};
