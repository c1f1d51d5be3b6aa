#pragma once

#include <QObject>
#include <QString>
#include <initializer_list>

class QLineEdit;
class QPushButton;
class QWidget;

// What every record editor shares: one record of a list shown at a time,
// the browsing and adding states, and the controls that show them: "<<",
// "<", the position, ">", ">>", "Add" (reading "Save" while a new record is
// entered) and "Cancel". The editor keeps its own rules for what a move or
// a save does; this keeps the count, the position and the buttons honest.
class RecordBrowser : public QObject {
    Q_OBJECT
  public:
    // newRecordText is what the position reads while adding, such as
    // "New Ship".
    RecordBrowser(const QString& newRecordText, QObject* parent);

    int Count() const { return m_nCount; }
    int Current() const { return m_nCurrent; }
    bool IsAdding() const { return m_bAdding; }
    bool HasRecords() const { return m_nCount > 0; }
    // The data controls are usable while there is a record to show or a
    // new one is entered.
    bool ShowsRecord() const { return HasRecords() || m_bAdding; }

    void SetCount(int count);
    // Kept within the list; 0 for an empty one.
    void SetCurrent(int index);
    void SetAdding(bool adding) { m_bAdding = adding; }
    // A record inserted at index becomes the current one.
    void Inserted(int index);
    // The current record was removed: the one after it shows, or the new
    // last one.
    void RemovedCurrent();

    // Asks before a new record is dropped; true when the user agrees.
    static bool ConfirmThrowAwayNew();

    // Enables the moves, sets the Add/Save caption, Cancel and the position.
    void Update();

    QPushButton* FirstButton() const { return m_first; }
    QPushButton* PreviousButton() const { return m_previous; }
    QLineEdit* CounterEdit() const { return m_counter; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* LastButton() const { return m_last; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* CancelButton() const { return m_cancel; }

    // The editor's buttons, in two rows so that a small screen holds them:
    // the moves and the position with Add and Cancel, then the editor's own
    // buttons and the closing button at the far end.
    QWidget* BuildRow(std::initializer_list<QPushButton*> ownButtons, QPushButton* close) const;

  signals:
    // A move button asks to show the record at index, already worked out
    // from the current position; the editor decides whether to leave.
    void moveRequested(int index);
    void addOrSaveClicked();
    void cancelClicked();

  private:
    QString m_newRecordText;
    int m_nCount = 0;
    int m_nCurrent = 0;
    bool m_bAdding = false;
    QPushButton* m_first;
    QPushButton* m_previous;
    QLineEdit* m_counter;
    QPushButton* m_next;
    QPushButton* m_last;
    QPushButton* m_add;
    QPushButton* m_cancel;
};
