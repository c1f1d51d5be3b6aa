#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "desktop/helpwindow.h"
#include "desktop/printcommand.h"
#include "editors/editsquadrons.h"
#include "editors/selectsquadron.h"
#include "tests/support/contextmenu.h"
#include "tests/support/editorfixture.h"
#include "tests/support/recordingdc.h"

namespace {

class SquadronEditor : public Editor {
  protected:
    void TearDown() override {
        SetPrintHook({});
        Editor::TearDown();
    }
    CEditSquadronsDlg& Open() { return *(dialog = SquadronsDialog(doc)); }
    QWidget* Driven() override { return dialog.get(); }
    bool Enabled(const char* name) { return Control<QWidget>(name)->isEnabled(); }
    void ChooseNation(int nation) {
        Control<QComboBox>("nationCombo")->setCurrentIndex(nation);
        dialog->OnNationChanged();
    }
    // Ticks or unticks "Include Neutrals" as a click does.
    void IncludeNeutrals(bool include) {
        Control<QCheckBox>("includeNeutralsCheck")->setChecked(include);
        dialog->OnIncludeNeutralsToggled();
    }
    void ChooseAvailable(const QString& name) {
        auto* list = Control<QListWidget>("availableList");
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << name.toStdString();
        list->setCurrentItem(found.front());
    }
    std::unique_ptr<CEditSquadronsDlg> dialog;
};

// Saving refuses the default name and a twin of the same nation; what it
// stores goes in order and the counter follows.
TEST_F(SquadronEditor, SavingANewSquadronNeedsANameUniqueInItsNation) {
    AddSquadron("Home Fleet", 1);
    AddSquadron("Scouts", 2);
    AddSquadron("Zeta", 3);
    Open();
    EXPECT_EQ(Counter(), "1 of 3");
    dialog->OnAddOrSave();
    for (const char* button : {"findButton", "deleteButton", "printButton"})
        EXPECT_FALSE(Enabled(button)) << button;
    Type(dialog.get(), "nameEdit", "Scouts");
    ChooseNation(3);
    dialog->OnAddOrSave();
    ASSERT_EQ(doc.m_squadrons.size(), 4u);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(doc.m_squadrons[2].m_strName, "Scouts");
    EXPECT_EQ(doc.m_squadrons[2].m_nNation, 3);
    EXPECT_EQ(Counter(), "3 of 4");
    EXPECT_FALSE(dialog->IsAdding());
    EXPECT_EQ(Notices(), 1);

    dialog->OnAddOrSave();
    ChooseNation(1);
    Type(dialog.get(), "nameEdit", "");  // an empty name is no default name
    dialog->OnAddOrSave();
    ASSERT_EQ(doc.m_squadrons.size(), 5u);
    EXPECT_EQ(doc.m_squadrons[0].m_strName, "");
    EXPECT_EQ(Counter(), "1 of 5");
}

TEST_F(SquadronEditor, ListButtonsClicksAndTheMenuBuildTheMemberAndAttachmentLists) {
    AddShip("Dreadnought", 1);
    AddShip("Lion", 1);
    AddShip("Moltke", 2);
    AddSquadron("Battle", 1);
    Open();
    EXPECT_EQ(Lines("availableList"), QStringList({"Dreadnought", "Lion"}));
    EXPECT_FALSE(Enabled("memberAddButton"));
    ChooseAvailable("Lion");
    EXPECT_TRUE(Enabled("memberAddButton"));
    dialog->OnAddMember();
    dialog->OnAddMember();  // twice is allowed
    ChooseAvailable("Dreadnought");
    EXPECT_TRUE(Enabled("memberAddButton"));  // the first row is a choice too
    dialog->OnAddMember();
    dialog->OnAddAttachment();
    // The attachments move through their own buttons.
    ChooseAvailable("Lion");
    dialog->OnAddAttachment();
    Control<QListWidget>("attachmentList")->setCurrentRow(0);
    Click("attachmentDownButton");
    EXPECT_EQ(dialog->WorkingSquadron().m_attachmentNames, (CStringArray{"Lion", "Dreadnought"}));
    Click("attachmentUpButton");
    Control<QListWidget>("attachmentList")->setCurrentRow(1);
    Click("attachmentRemoveButton");
    ChooseAvailable("Dreadnought");
    EXPECT_EQ(Lines("memberList"), QStringList({"Lion", "Lion", "Dreadnought"}));
    EXPECT_EQ(Lines("availableList").size(), 2);
    EXPECT_EQ(dialog->WorkingSquadron().m_shipNames, (CStringArray{"Lion", "Lion", "Dreadnought"}));
    EXPECT_EQ(dialog->WorkingSquadron().m_attachmentNames, CStringArray{"Dreadnought"});

    auto* members = Control<QListWidget>("memberList");
    members->setCurrentRow(2);
    EXPECT_TRUE(Enabled("memberUpButton"));
    EXPECT_FALSE(Enabled("memberDownButton"));
    dialog->OnMemberUp();
    EXPECT_EQ(Lines("memberList"), QStringList({"Lion", "Dreadnought", "Lion"}));
    EXPECT_EQ(members->currentRow(), 1);
    members->setCurrentRow(0);
    EXPECT_FALSE(Enabled("memberUpButton"));
    dialog->OnMemberDown();
    EXPECT_EQ(dialog->WorkingSquadron().m_shipNames, (CStringArray{"Dreadnought", "Lion", "Lion"}));
    members->setCurrentRow(2);
    dialog->OnRemoveMember();
    EXPECT_EQ(dialog->WorkingSquadron().m_shipNames, (CStringArray{"Dreadnought", "Lion"}));

    // A double click in a list removes from it; one in the available ships adds a member.
    auto* attachments = Control<QListWidget>("attachmentList");
    attachments->setCurrentRow(0);
    emit attachments->itemDoubleClicked(attachments->item(0));
    EXPECT_TRUE(dialog->WorkingSquadron().m_attachmentNames.empty());
    emit Control<QListWidget>("availableList")->itemDoubleClicked(nullptr);
    EXPECT_EQ(dialog->WorkingSquadron().m_shipNames.size(), 3u);

    // A right click on a chosen ship offers its moves and Remove.
    const QPoint last = members->visualItemRect(members->item(2)).center();
    EXPECT_TRUE(RightClick(members->viewport(), {5, 500}).isEmpty()) << "below the last line";
    EXPECT_EQ(RightClick(members->viewport(), last, "Move &Up"),
              (QStringList{"Move &Up", "Move &Down (off)", "&Remove"}));
    EXPECT_EQ(dialog->WorkingSquadron().m_shipNames,
              (CStringArray{"Dreadnought", "Dreadnought", "Lion"}));
    RightClick(members->viewport(), last, "&Remove");
    EXPECT_EQ(dialog->WorkingSquadron().m_shipNames, (CStringArray{"Dreadnought", "Dreadnought"}));

    auto* flagship = Control<QComboBox>("flagshipCombo");
    flagship->setCurrentIndex(flagship->findText("Lion"));
    Type(dialog.get(), "commanderEdit", "Beatty");
    Click("closeButton");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const VxSquadron& stored = doc.m_squadrons[0];
    EXPECT_EQ(stored.m_strFlagship, "Lion");
    EXPECT_EQ(stored.m_strCommander, "Beatty");
    EXPECT_EQ(stored.m_shipNames, (CStringArray{"Dreadnought", "Dreadnought"}));
    EXPECT_EQ(Notices(), 1);
}

// A neutral flagship goes with the neutrals.
TEST_F(SquadronEditor, NeutralsAreOfferedAndTakenAwayOnlyWhenAsked) {
    AddShip("Own", 2);
    AddShip("N1", 0);
    AddShip("N2", 0);
    AddSquadron("Mixed", 2, {"Own", "N1", "N2", "Own", "N2"}, {"N1", "Own"}).m_strFlagship = "N1";
    Open();
    EXPECT_EQ(Lines("availableList"), QStringList({"Own"}));
    IncludeNeutrals(true);
    EXPECT_EQ(Lines("availableList"), QStringList({"Own", "N1", "N2"}));
    EXPECT_EQ(Control<QComboBox>("flagshipCombo")->currentText(), "N1");
    EXPECT_TRUE(messages.empty());

    answers = {IDNO};
    IncludeNeutrals(false);
    EXPECT_EQ(messages.back(), "Removing Neutrals will affect squadron lists. Continue?");
    EXPECT_TRUE(Control<QCheckBox>("includeNeutralsCheck")->isChecked());
    EXPECT_EQ(dialog->WorkingSquadron().m_shipNames.size(), 5u);

    IncludeNeutrals(false);
    EXPECT_EQ(dialog->WorkingSquadron().m_shipNames, (CStringArray{"Own", "Own"}));
    EXPECT_EQ(dialog->WorkingSquadron().m_attachmentNames, CStringArray{"Own"});
    EXPECT_EQ(Lines("memberList"), QStringList({"Own", "Own"}));
    EXPECT_EQ(Lines("availableList"), QStringList({"Own"}));
    EXPECT_EQ(Control<QComboBox>("flagshipCombo")->currentIndex(), 0);
    EXPECT_EQ(doc.m_squadrons[0].m_shipNames.size(), 5u);  // stored only on leaving
    dialog->OnClose();
    EXPECT_EQ(doc.m_squadrons[0].m_shipNames, (CStringArray{"Own", "Own"}));
    EXPECT_EQ(doc.m_squadrons[0].m_strFlagship, "");
}

TEST_F(SquadronEditor, ChangingNationAsksWhenShipsAreListed) {
    AddShip("Lion", 1);
    AddShip("Moltke", 2);
    VxSquadron& stored = AddSquadron("Battle", 1, {"Lion"});
    stored.m_strFlagship = "Lion";
    Open();
    EXPECT_EQ(Control<QComboBox>("flagshipCombo")->currentText(), "Lion");
    answers = {IDNO};
    ChooseNation(2);
    EXPECT_EQ(messages.back(), "Changing Nation will reset squadron list. Continue?");
    EXPECT_EQ(Control<QComboBox>("nationCombo")->currentIndex(), 1);
    EXPECT_EQ(Lines("availableList"), QStringList({"Lion"}));

    ChooseNation(2);
    EXPECT_EQ(Lines("availableList"), QStringList({"Moltke"}));
    // The flagship is not of the new nation: the box offers no flagship and
    // shows none, the shown lists empty, the record keeps its ship names.
    auto* flagship = Control<QComboBox>("flagshipCombo");
    ASSERT_EQ(flagship->count(), 2);
    EXPECT_EQ(flagship->itemText(0), "");
    EXPECT_EQ(flagship->itemText(1), "Moltke");
    EXPECT_EQ(flagship->currentIndex(), 0);
    EXPECT_TRUE(Lines("memberList").isEmpty());
    EXPECT_EQ(dialog->WorkingSquadron().m_shipNames, CStringArray{"Lion"});
    ChooseAvailable("Moltke");
    dialog->OnAddMember();
    Control<QListWidget>("memberList")->setCurrentRow(0);
    dialog->OnRemoveMember();  // removes Moltke, not the hidden Lion
    EXPECT_EQ(dialog->WorkingSquadron().m_shipNames, CStringArray{"Lion"});
    dialog->OnClose();
    EXPECT_EQ(doc.m_squadrons[0].m_nNation, 2);
    EXPECT_EQ(doc.m_squadrons[0].m_strFlagship, "");  // what the box showed
    EXPECT_EQ(Notices(), 1);
}

// Browsing and while adding a squadron, Ships refills the available ships;
// the new squadron and the stored ones stay as they were.
TEST_F(SquadronEditor, ShipsRefillsTheAvailableShipsAndKeepsTheNewSquadron) {
    AddShip("Lion", 1);
    AddSquadron("A", 1, {"Lion"});
    const CArray<VxSquadron> before = doc.m_squadrons;
    Open();
    const auto makeShip = [this](const char* name) {
        OnNextDialog([this, name](QDialog* ships) {
            EXPECT_EQ(ships->objectName(), "editShipsDialog");
            doc.m_ships.push_back(doc.m_ships[0]);
            doc.m_ships.Modify(doc.m_ships.size() - 1).m_strName = name;
            ships->reject();
        });
        dialog->OnShips();
    };
    makeShip("Tiger");
    EXPECT_EQ(Lines("availableList"), QStringList({"Lion", "Tiger"}));
    dialog->OnAddOrSave();
    ChooseNation(1);
    Type(dialog.get(), "nameEdit", "Fresh");
    makeShip("Hood");
    EXPECT_TRUE(dialog->IsAdding());
    EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "Fresh");
    EXPECT_EQ(Lines("availableList"), QStringList({"Lion", "Tiger", "Hood"}));
    ASSERT_EQ(doc.m_squadrons.size(), 1u);
    EXPECT_FALSE(doc.m_squadrons[0].IsDifferent(before[0]));
}

// Each caption (with its access key) stands just before the field it names,
// on its row; "Notes" stands over its box.
TEST_F(SquadronEditor, EveryCaptionStandsBeforeItsField) {
    AddShip("Lion", 1);
    AddSquadron("1st BCS", 1, {"Lion"}, {});
    Open().show();
    for (const auto& [text, field] : {std::pair{"Squadron Name", "nameEdit"},
                                      {"Nationality", "nationCombo"},
                                      {"Commander", "commanderEdit"},
                                      {"Flagship", "flagshipCombo"}})
        ExpectCaptionBefore(text, field);
    const QRect notes = CaptionPlaced("Notes"), edit = Placed("notesEdit");
    EXPECT_LE(notes.bottom(), edit.top());
    EXPECT_EQ(notes.left(), edit.left());
    // Tab in the notes goes on to the next control, as from any other field,
    // rather than typing a tab.
    QTest::keyClick(Control<QPlainTextEdit>("notesEdit"), Qt::Key_Tab);
    EXPECT_FALSE(Control<QPlainTextEdit>("notesEdit")->toPlainText().contains('\t'));
}

// Print stores first and warns of the names, each once, before printing
// one page named after the squadron.
TEST_F(SquadronEditor, NamesThatNoShipBearsAreMarkedKeptAsTheyAreAndWarnedOfInPrint) {
    AddShip("Lion", 1);
    AddShip("Moltke", 2);
    AddSquadron("1st BCS", 1, {"Lion", "Hood"}, {"Hood"}).m_strFlagship = "Tiger";
    AddSquadron("2nd BCS", 1, {"Lion"}).m_strFlagship = "Moltke";
    Open();
    Control<QPlainTextEdit>("notesEdit")->setPlainText("Heligoland");
    RecordingDC printer;
    std::vector<std::string> printed;
    SetPrintHook([&](const std::string& name, const PrinterJob& job, bool preview) {
        EXPECT_FALSE(preview);
        printed.push_back(name);
        job(printer, Unwatched());
    });
    answers = {IDNO};
    Click("printButton");
    EXPECT_EQ(messages.back(),
              "2 names in this squadron match no ship: Tiger and Hood. Print anyway?");
    EXPECT_TRUE(printed.empty());
    Click("printButton");
    EXPECT_EQ(printed, std::vector<std::string>{"1st BCS"});
    EXPECT_EQ(doc.m_squadrons[0].m_strNotes, "Heligoland");
    EXPECT_EQ(printer.Find("StartPage").size(), 1u);
    EXPECT_NE(printer.TextEntry("Page 1"), "");
    EXPECT_NE(printer.TextEntry("Heligoland"), "");
    EXPECT_EQ(Notices(), 1);

    auto* members = Control<QListWidget>("memberList");
    EXPECT_EQ(Lines("memberList"), QStringList({"Lion", "Hood (missing)"}));
    EXPECT_FALSE(members->item(0)->font().italic());
    EXPECT_TRUE(members->item(1)->font().italic());
    EXPECT_EQ(Lines("attachmentList"), QStringList({"Hood (missing)"}));
    auto* flagship = Control<QComboBox>("flagshipCombo");
    EXPECT_EQ(flagship->currentIndex(), -1);
    EXPECT_EQ(flagship->placeholderText(), "Tiger (missing)");

    members->setCurrentRow(1);
    Click("memberUpButton");
    EXPECT_EQ(Lines("memberList"), QStringList({"Hood (missing)", "Lion"}));
    Click("nextButton");  // the marks never reach the record
    EXPECT_EQ(doc.m_squadrons[0].m_shipNames, (CStringArray{"Hood", "Lion"}));
    EXPECT_EQ(doc.m_squadrons[0].m_attachmentNames, CStringArray{"Hood"});
    EXPECT_EQ(doc.m_squadrons[0].m_strFlagship, "Tiger");
    EXPECT_EQ(flagship->placeholderText(), "Moltke");  // another nation's, not missing
    EXPECT_EQ(Lines("memberList"), QStringList({"Lion"}));

    // What the ship editor changes shows at once: a rename, and a name that
    // now finds its ship.
    Click("previousButton");
    OnNextDialog([](QDialog* ships) {
        ships->findChild<QLineEdit*>("nameEdit")->setText("Leo");
        QTest::mouseClick(ships->findChild<QPushButton*>("addButton"), Qt::LeftButton);
        ships->findChild<QLineEdit*>("nameEdit")->setText("Hood");
        QTest::mouseClick(ships->findChild<QPushButton*>("addButton"), Qt::LeftButton);
        QTest::mouseClick(ships->findChild<QPushButton*>("closeButton"), Qt::LeftButton);
    });
    Click("shipsButton");
    EXPECT_EQ(Lines("memberList"), QStringList({"Hood", "Leo"}));
    Click("closeButton");
    EXPECT_EQ(doc.m_squadrons[0].m_shipNames, (CStringArray{"Hood", "Leo"}));
}

// "Select Squadron" sorts without regard to letter case and picks the first
// of twins; F1 opens the squadrons' section from it and from the editor.
TEST_F(SquadronEditor, FindShowsTheChosenSquadronAndSelectSquadronPicksTheFirstOfTwins) {
    AddSquadron("gamma", 1);
    AddSquadron("Alpha", 2);
    AddSquadron("beta", 2);
    AddSquadron("Twin", 1);
    AddSquadron("Twin", 2);
    Open();
    Type(dialog.get(), "commanderEdit", "Jellicoe");
    OnNextDialog([](QDialog* select) {
        auto* list = select->findChild<QListWidget*>("squadronList");
        ASSERT_EQ(LinesOf(list), (QStringList{"Alpha", "beta", "gamma", "Twin", "Twin"}));
        list->setCurrentRow(1);
        select->accept();
    });
    dialog->OnFind();
    EXPECT_EQ(Counter(), "3 of 5");
    EXPECT_EQ(Control<QLineEdit>("nameEdit")->text(), "beta");
    EXPECT_EQ(doc.m_squadrons[0].m_strCommander, "Jellicoe");  // stored before moving
    OnNextDialog([](QDialog* select) { select->reject(); });
    dialog->OnFind();
    EXPECT_EQ(dialog->Current(), 2);

    CSelectSquadronDlg select(doc.m_squadrons, nullptr);
    for (QWidget* window : {static_cast<QWidget*>(dialog.get()), static_cast<QWidget*>(&select)}) {
        HelpWindow::Instance()->ShowContext(HelpContext::kIndex);
        QTest::keyClick(window, Qt::Key_F1);
        EXPECT_EQ(HelpWindow::Instance()->source().fragment(), "context-123");
    }
    HelpWindow::Instance()->hide();
    auto* list = Child<QListWidget>(&select, "squadronList");
    list->setCurrentRow(4);  // the second "Twin", as a double click's press chooses it
    emit list->itemDoubleClicked(list->item(4));
    EXPECT_EQ(select.result(), QDialog::Accepted);
    EXPECT_EQ(select.Chosen(), 3);

    doc.m_squadrons.clear();
    CSelectSquadronDlg empty(doc.m_squadrons, nullptr);
    empty.accept();  // nothing to choose: stays open
    EXPECT_NE(empty.result(), QDialog::Accepted);
    EXPECT_EQ(empty.Chosen(), -1);
}

// Hostile sizes: many records and very long names stay usable and linear.
TEST_F(SquadronEditor, ManyShipsManyMembersAndHugeNames) {
    const std::string huge(1 << 20, 'W');
    for (int i = 0; i < 10000; ++i) AddShip("S" + std::to_string(i), i % 2);
    CStringArray members;
    for (int i = 0; i < 10000; ++i) members.push_back("S" + std::to_string(i));
    AddSquadron(huge, 1, members, members);
    for (int i = 0; i < 2000; ++i) AddSquadron("Q" + std::to_string(i), 1);
    Open();
    EXPECT_EQ(Lines("availableList").size(), 5000);
    EXPECT_EQ(Control<QComboBox>("flagshipCombo")->count(), 5001);  // and the empty entry
    EXPECT_EQ(Control<QLineEdit>("nameEdit")->text().size(), 1 << 20);
    IncludeNeutrals(true);
    EXPECT_EQ(Lines("availableList").size(), 10000);
    IncludeNeutrals(false);
    EXPECT_EQ(dialog->WorkingSquadron().m_shipNames.size(), 5000u);
    EXPECT_EQ(dialog->WorkingSquadron().m_attachmentNames.size(), 5000u);
    dialog->OnLast();
    EXPECT_EQ(Counter(), "2001 of 2001");
    EXPECT_TRUE(doc.m_squadrons.front().m_strName == huge);  // nothing cut off
    EXPECT_EQ(doc.m_squadrons.front().m_shipNames.size(), 5000u);
}

}  // namespace
