#include "app/printelements.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "desktop/helpwindow.h"
#include "desktop/printcommand.h"
#include "desktop/unmatchedwarning.h"
#include "tests/support/editorfixture.h"
#include "tests/support/recordingdc.h"

namespace {

class PrintElements : public Editor {
  protected:
    void SetUp() override {
        Editor::SetUp();
        for (const char* name : {"lion", "Agincourt", "Zeeland", "barham"}) AddShip(name, 0);
        for (const char* name : {"Scouts", "battle"}) AddSquadron(name, 0);
        doc.m_scenarios.resize(1);
        doc.m_scenarios.Modify(0).m_strName = "Jutland";
        SetPrintHook([this](const std::string& name, const PrinterJob& job, bool preview) {
            jobs.push_back({name, preview});
            RecordingDC printer;
            job(printer, Unwatched());
            pages.push_back(printer.Find("StartPage").size());
        });
    }
    void TearDown() override {
        SetPrintHook({});
        Editor::TearDown();
    }
    CPrintElementsDlg& Open() {
        dialog = std::make_unique<CPrintElementsDlg>(doc, nullptr);
        dialog->show();
        return *dialog;
    }
    QWidget* Driven() override { return dialog.get(); }
    QListView* List(const std::string& name) { return Control<QListView>(name.c_str()); }
    QStringList Shown(const char* list) {
        QStringList texts;
        QAbstractItemModel* names = List(list)->model();
        for (int row = 0; row < names->rowCount(); ++row)
            texts << names->index(row, 0).data().toString();
        return texts;
    }
    void ChooseRow(const std::string& list, int row) {
        List(list)->setCurrentIndex(List(list)->model()->index(row, 0));
    }
    void Choose(const char* list, const QString& text) {
        const int row = int(Shown(list).indexOf(text));
        ASSERT_GE(row, 0) << text.toStdString();
        ChooseRow(list, row);
    }
    void DoubleClick(const char* list, const QString& text) {
        Choose(list, text);
        QListView* widget = List(list);
        widget->scrollTo(widget->currentIndex());
        QApplication::processEvents();
        const QRect at = widget->visualRect(widget->currentIndex());
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, at.center());
        QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, at.center());
    }

    std::unique_ptr<CPrintElementsDlg> dialog;
    std::vector<std::pair<std::string, bool>> jobs;
    std::vector<std::size_t> pages;
};

// It opens with everything available, sorted whatever the case; the sort
// controls reach the job, F1 opens its section of the manual and Escape
// closes it.
TEST_F(PrintElements, OpensWithEverythingAvailableAndSortControlsReachTheJob) {
    Open();
    EXPECT_EQ(Shown("shipAvailableList"), QStringList({"Agincourt", "barham", "lion", "Zeeland"}));
    EXPECT_EQ(Shown("squadronAvailableList"), QStringList({"battle", "Scouts"}));
    EXPECT_EQ(Shown("scenarioAvailableList"), QStringList({"Jutland"}));
    for (const char* list : {"shipSelectedList", "squadronSelectedList", "scenarioSelectedList"})
        EXPECT_TRUE(Shown(list).isEmpty()) << list;
    EXPECT_TRUE(Control<QCheckBox>("sortByNationCheck")->isChecked());
    EXPECT_TRUE(Control<QRadioButton>("sortByNameRadio")->isChecked());
    EXPECT_EQ(dialog->SortMode(), kSortByName);

    for (const auto& [radio, mode] : {std::pair{"sortByAttackRadio", kSortByAttackFactor},
                                      {"sortByDefenseRadio", kSortByDefenseFactor},
                                      {"sortByTypeRadio", kSortByShipType},
                                      {"sortByNameRadio", kSortByName}}) {
        QTest::mouseClick(Control<QRadioButton>(radio), Qt::LeftButton);
        EXPECT_EQ(dialog->Selection().sortMode, mode) << radio;
    }
    QTest::mouseClick(Control<QCheckBox>("sortByNationCheck"), Qt::LeftButton);
    Click("shipAddAllButton");
    Choose("squadronAvailableList", "Scouts");
    Click("squadronAddButton");
    const MultiPrintSelection selection = dialog->Selection();
    EXPECT_FALSE(selection.sortByNation);
    EXPECT_EQ(selection.ships, (CStringArray{"Agincourt", "barham", "lion", "Zeeland"}));
    EXPECT_EQ(selection.squadrons, CStringArray{"Scouts"});
    EXPECT_TRUE(selection.scenarios.empty());

    QTest::keyClick(dialog.get(), Qt::Key_F1);
    EXPECT_EQ(HelpWindow::Instance()->source().fragment(), "context-130");
    HelpWindow::Instance()->hide();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(jobs.empty());
}

TEST_F(PrintElements, APrintWhoseSquadronsNameNoShipWarnsFirst) {
    doc.m_squadrons.Modify(0).m_shipNames = {"lion", "Hood", "Hood"};
    doc.m_squadrons.Modify(1).m_strFlagship = "Tiger";  // not selected
    doc.m_scenarios.Modify(0).m_forces.resize(1);
    doc.m_scenarios.Modify(0).m_forces[0].m_squadrons = {doc.m_squadrons[1]};
    Open();
    Choose("squadronAvailableList", "Scouts");
    Click("squadronAddButton");
    answers = {IDNO};
    Click("printButton");
    EXPECT_EQ(messages.back(), "1 name in this selection matches no ship: Hood. Print anyway?");
    Click("scenarioAddAllButton");
    answers = {IDNO};
    Click("printButton");
    EXPECT_EQ(messages.back(),
              "2 names in this selection match no ship: Hood and Tiger. Print anyway?");
    EXPECT_TRUE(jobs.empty());
    Click("printButton");
    EXPECT_EQ(jobs.size(), 1u);

    // Past ten names the rest are counted.
    CStringArray many;
    for (int i = 1; i <= 12; ++i) many.push_back("S" + std::to_string(i));
    answers = {IDNO};
    EXPECT_FALSE(ConfirmPrintOfUnmatchedNames(many, "this selection"));
    EXPECT_EQ(messages.back(), "12 names in this selection match no ship: S1, S2, S3, S4, S5, S6, "
                               "S7, S8, S9, S10 and 2 more. Print anyway?");
}

TEST_F(PrintElements, ListButtonsWithTheMouseAndTheKeyboard) {
    Open();
    Choose("shipAvailableList", "lion");
    Click("shipAddButton");
    Click("shipAddButton");  // twice lists once
    Choose("shipAvailableList", "Agincourt");
    Click("shipAddButton");
    EXPECT_EQ(Shown("shipSelectedList"), QStringList({"Agincourt", "lion"}));
    DoubleClick("shipAvailableList", "Zeeland");
    EXPECT_EQ(Shown("shipSelectedList"), QStringList({"Agincourt", "lion", "Zeeland"}));
    DoubleClick("shipSelectedList", "lion");
    EXPECT_EQ(Shown("shipSelectedList"), QStringList({"Agincourt", "Zeeland"}));
    Choose("shipSelectedList", "Agincourt");
    Click("shipRemoveButton");
    EXPECT_EQ(Shown("shipSelectedList"), QStringList({"Zeeland"}));
    Click("shipAddAllButton");  // replaces, no doubles
    EXPECT_EQ(Shown("shipSelectedList"), Shown("shipAvailableList"));
    Click("shipRemoveAllButton");
    Click("shipRemoveButton");  // nothing to remove: no crash

    // And with the keyboard.
    QListView* available = List("shipAvailableList");
    available->setFocus();
    Choose("shipAvailableList", "barham");
    QTest::keyClick(available, Qt::Key_Return);
    QTest::keyClick(available, Qt::Key_Down);
    QTest::keyClick(available, Qt::Key_Enter);
    EXPECT_EQ(Shown("shipSelectedList"), QStringList({"barham", "lion"}));
    EXPECT_TRUE(jobs.empty());  // Enter in a list never prints
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(available, Qt::Key_F2);
    EXPECT_EQ(available->findChild<QLineEdit*>(), nullptr) << "names are not edited here";

    QListView* selected = List("shipSelectedList");
    ChooseRow("shipSelectedList", 0);
    QTest::keyClick(selected, Qt::Key_Delete);
    EXPECT_EQ(Shown("shipSelectedList"), QStringList({"lion"}));

    auto* addAll = Control<QPushButton>("shipAddAllButton");
    addAll->setFocus();
    QTest::keyClick(addAll, Qt::Key_Space);
    EXPECT_EQ(Shown("shipSelectedList").size(), 4);
}

TEST_F(PrintElements, PrintAndPreviewKeepTheDialogOpenAndRefuseAnEmptySelection) {
    Open();
    Click("printButton");
    Click("previewButton");
    EXPECT_TRUE(jobs.empty());
    EXPECT_EQ(messages,
              std::vector<std::string>(2, "Choose a scenario, squadron or ship to print first."));
    for (const char* group : {"ship", "squadron", "scenario"}) {
        Open();
        ChooseRow(std::string(group) + "AvailableList", 0);
        Click((std::string(group) + "AddButton").c_str());
        Click("printButton");
        Click("previewButton");
    }
    ASSERT_EQ(jobs.size(), 6u);
    EXPECT_EQ(jobs[0], std::make_pair(std::string("Brinnow Multi Print"), false));
    EXPECT_EQ(jobs[1], std::make_pair(std::string("Brinnow Multi Print"), true));
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(dialog->isVisible());

    QTest::keyClick(List("shipSelectedList"), Qt::Key_Return);
    EXPECT_EQ(jobs.size(), 6u);
    Click("closeButton");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

// Hostile sizes: a document of many records fills and moves its lists in
// one go.
TEST_F(PrintElements, TenThousandShipsAndHugeNames) {
    const std::string huge(1 << 20, 'x');
    doc.m_ships.resize(10000);
    for (std::size_t i = 0; i < doc.m_ships.size(); ++i)
        doc.m_ships.Modify(i).m_strName = "ship" + std::to_string(9999 - i);
    doc.m_ships.Modify(5).m_strName = huge;
    Open();
    EXPECT_EQ(Shown("shipAvailableList").size(), 10000);
    Click("shipAddAllButton");
    EXPECT_EQ(Shown("shipSelectedList").size(), 10000);
    const MultiPrintSelection selection = dialog->Selection();
    ASSERT_EQ(selection.ships.size(), 10000u);
    EXPECT_EQ(selection.ships.front(), "ship0");
    EXPECT_EQ(selection.ships.back(), huge);
    Click("shipRemoveAllButton");
    for (int i = 0; i < 10000; i += 97) {
        ChooseRow("shipAvailableList", i);
        Click("shipAddButton");
    }
    EXPECT_EQ(Shown("shipSelectedList").size(), 104);
}

}  // namespace
