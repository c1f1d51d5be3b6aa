#pragma once

#include "editors/brinnowdialog.h"
#include "model/brinnowdoc.h"
#include "print/multiprintjob.h"

class QCheckBox;
class QGroupBox;
class QListView;
class QPushButton;
class QRadioButton;
class QStringListModel;

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
    // between them. The lists are views of plain lists of names, as a
    // campaign offers a hundred thousand ships at once.
    struct Group {
        QListView* available;
        QListView* selected;
        QStringListModel* availableNames;
        QStringListModel* selectedNames;
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
