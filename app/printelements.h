#pragma once

#include "editors/brinnowdialog.h"
#include "model/brinnowdoc.h"
#include "print/multiprintjob.h"

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;

// "Print Elements": the user picks scenarios, squadrons and ships, chooses
// how the ships are ordered, and prints them in one job. The dialog stays
// open after printing for further jobs; "Close" ends it.
class CPrintElementsDlg : public BrinnowDialog {
    Q_OBJECT
  public:
    CPrintElementsDlg(const CBrinnowDoc& doc, QWidget* parent);

    int SortMode() const { return m_nSortMode; }
    // What "Print" would print now: the selected lists in their order and
    // the ordering options.
    MultiPrintSelection Selection() const;

    void OnPrint();
    void OnPreview();

  private:
    // One group: its available list, its selected list and the four buttons
    // between them.
    struct Group {
        QListWidget* available;
        QListWidget* selected;
        QPushButton* add;
        QPushButton* addAll;
        QPushButton* remove;
        QPushButton* removeAll;
    };

    QGroupBox* BuildGroup(Group& group, const QString& title, const QString& objectPrefix,
                          const QStringList& names);
    QWidget* BuildSortOptions();
    void AddChosen(const Group& group);
    static void AddAll(const Group& group);
    static void RemoveChosen(const Group& group);
    MultiPrintJob Job() const;
    bool HasChoices() const;

    const CBrinnowDoc& m_doc;
    int m_nSortMode = kSortByName;
    Group m_scenarios;
    Group m_squadrons;
    Group m_ships;
    QCheckBox* m_byNation;
};
