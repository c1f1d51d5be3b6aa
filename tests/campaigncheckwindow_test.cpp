// Tools > Check Campaign, driven with the mouse and keys.
#include "app/campaigncheckwindow.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <functional>

#include "app/chooseshipdialog.h"
#include "app/commandids.h"
#include "desktop/helpwindow.h"
#include "editors/editscenarios.h"
#include "editors/editships.h"
#include "editors/editsquadrons.h"
#include "model/brinnowdoc.h"
#include "tests/support/mainwindowfixture.h"
#include "tests/support/modaldialog.h"

namespace {

VxShip Ship(const char* name, int nation) {
    VxShip ship;
    ship.m_strName = name;
    ship.m_nNation = nation;
    ship.m_dMainAF[0] = 2;
    return ship;
}

// A campaign with a squadron that names a missing ship and a force whose
// copy of a ship was taken before a refit, open in the main window with
// the check showing.
class CheckWindow : public Shell {
  protected:
    void SetUp() override {
        Shell::SetUp();
        CBrinnowDoc doc;
        doc.m_ships = {Ship("Lion", 1), Ship("Tiger", 1)};
        VxSquadron squadron;
        squadron.m_strName = "1st BCS";
        squadron.m_nNation = 1;
        squadron.m_strFlagship = "Lion";
        squadron.m_shipNames = {"Tiger", "Hood"};
        VxSquadron scouts = squadron;
        scouts.m_strName = "Scouts";
        scouts.m_shipNames = {"Tiger"};
        doc.m_squadrons = {scouts, squadron};
        VxForce force;
        force.m_strName = "Battlecruiser Force";
        force.m_squadrons = {scouts};
        force.m_ships = {Ship("Lion", 1)};
        VxScenario scenario;
        scenario.m_strName = "Dogger Bank";
        scenario.m_forces = {force, force};
        doc.m_scenarios = {scenario};
        doc.m_ships.Modify(0).m_dDF = 9.5;  // a refit since the copies were taken
        ASSERT_TRUE(doc.OnSaveDocument(Local("fleet.brn")));
        ASSERT_TRUE(frame->OpenDocumentFile(Path("fleet.brn")));
        frame->Action(ID_TOOLS_CHECK_CAMPAIGN)->trigger();
        window = frame->findChild<CampaignCheckWindow*>();
        ASSERT_NE(window, nullptr);
        list = window->findChild<QTreeView*>("findingList");
    }
    std::vector<std::string> Problems() {
        QApplication::processEvents();  // the check after an edit waits for the events at hand
        std::vector<std::string> problems;
        for (const Finding& finding : window->Findings()) problems.push_back(finding.problem);
        return problems;
    }
    QString Summary() { return window->findChild<QLabel*>("summaryLabel")->text(); }
    QPushButton* Button(const char* name) { return window->findChild<QPushButton*>(name); }
    // Selects the finding with a click on its row.
    QRect Row(int row) {
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        return list->visualRect(index);
    }
    void ClickRow(int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, Row(row).center());
    }
    // Acts on the modal editor once it is open, then closes it.
    template <class Dialog>
    static void OnEditor(std::function<void(Dialog&)> act) {
        OnModalDialog<Dialog>([act](Dialog& dialog) {
            act(dialog);
            dialog.reject();
        });
    }

    CampaignCheckWindow* window = nullptr;
    QTreeView* list = nullptr;
};

const char* const kStale = "ship \"Lion\" differs from the campaign's: DF";

TEST_F(CheckWindow, ListsTheFindingsAndChecksAgainAfterEveryEdit) {
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), "Check Campaign");
    EXPECT_EQ(Problems(),
              (std::vector<std::string>{"member \"Hood\" names no ship", kStale, kStale}));
    EXPECT_EQ(Summary(), "3 findings");
    QAbstractItemModelTester tester(list->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QAbstractItemModel& model = *list->model();
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "Missing ship");
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "Squadron: 1st BCS");
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Problem");
    // The commands on the findings stand together at the left, Close alone
    // at the right.
    EXPECT_LT(Button("chooseShipButton")->geometry().right() + 40, Button("closeButton")->x());
    const auto rightEdge = [](const QWidget* widget) {
        return widget->mapToGlobal(widget->rect().topRight()).x();
    };
    EXPECT_NEAR(rightEdge(Button("closeButton")), rightEdge(list), 2);

    // Tiger becomes Hood in Edit Ships; the squadrons keep "Tiger" (No).
    scripted.answers = {IDNO};
    OnEditor<CEditShipsDlg>([](CEditShipsDlg& ships) {
        ships.OnLast();
        ships.findChild<QLineEdit*>("nameEdit")->setText("Hood");
        ships.OnClose();
    });
    frame->Action(ID_EDIT_SHIPS)->trigger();
    EXPECT_EQ(Problems(), (std::vector<std::string>{
                              "member \"Tiger\" names no ship", "member \"Tiger\" names no ship",
                              "squadron \"Scouts\": member \"Tiger\" names no ship", kStale,
                              "squadron \"Scouts\": member \"Tiger\" names no ship", kStale}));
    frame->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(Problems().size(), 3u);

    // Hidden, it does no work; shown again, it is up to date.
    QTest::mouseClick(Button("closeButton"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    frame->Action(ID_EDIT_REDO)->trigger();
    EXPECT_EQ(Problems().size(), 3u);
    frame->Action(ID_TOOLS_CHECK_CAMPAIGN)->trigger();
    EXPECT_EQ(Problems().size(), 6u);
    EXPECT_EQ(Summary(), "6 findings");

    // A clean campaign says so; F1 opens the check's section.
    scripted.answers = {IDNO};
    ASSERT_TRUE(frame->OnFileNew());
    EXPECT_TRUE(Problems().empty());
    EXPECT_EQ(Summary(), "No findings.");
    EXPECT_FALSE(Button("openButton")->isEnabled());
    HelpWindow::Instance()->ShowContext(HelpContext::kIndex);
    QTest::keyClick(window, Qt::Key_F1);
    EXPECT_EQ(HelpWindow::Instance()->source().fragment(), "context-131");
    HelpWindow::Instance()->hide();
}

TEST_F(CheckWindow, DoubleClickOrEnterOpensTheEditorAtTheRecord) {
    int shown = -1;
    OnEditor<CEditSquadronsDlg>([&](CEditSquadronsDlg& squadrons) { shown = squadrons.Current(); });
    ClickRow(0);  // a double-click begins with a click
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, Row(0).center());
    EXPECT_EQ(shown, 1);  // 1st BCS, after Scouts

    ClickRow(2);
    int force = -1;
    OnEditor<CEditScenariosDlg>([&](CEditScenariosDlg& scenarios) {
        shown = scenarios.Current();
        force = scenarios.CurrentForce();
    });
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(force, 1);
    ClickRow(1);  // the first force's copy
    OnEditor<CEditScenariosDlg>(
        [&](CEditScenariosDlg& scenarios) { force = scenarios.CurrentForce(); });
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(force, 0);

    frame->Document().m_ships.push_back(Ship("Tiger", 2));
    window->CheckNow();
    ASSERT_EQ(Problems().front(),
              "same name as ship 2 (Great Britain), which lookups by name find first");
    ClickRow(0);
    OnEditor<CEditShipsDlg>([&](CEditShipsDlg& ships) { shown = ships.Current(); });
    QTest::mouseClick(Button("openButton"), Qt::LeftButton);
    EXPECT_EQ(shown, 2);
}

TEST_F(CheckWindow, RefreshFromCampaignShowsWhatChangesCountsWhatItLeavesOutAndIsOneStep) {
    ClickRow(0);
    EXPECT_FALSE(Button("refreshButton")->isEnabled());
    ClickRow(2);
    ASSERT_TRUE(Button("refreshButton")->isEnabled());
    const std::string before = frame->Document().SaveToBytes();
    scripted.answers = {IDNO};
    QTest::mouseClick(Button("refreshButton"), Qt::LeftButton);
    EXPECT_EQ(scripted.messages.back(),
              "Refresh 1 ship copy of Dogger Bank, Force 2 (Battlecruiser Force) from the "
              "campaign's ships?\n\nLion: DF");
    EXPECT_EQ(frame->Document().SaveToBytes(), before);

    QTest::mouseClick(Button("refreshButton"), Qt::LeftButton);
    EXPECT_EQ(Problems(), (std::vector<std::string>{"member \"Hood\" names no ship", kStale}));
    const CBrinnowDoc& doc = frame->Document();
    EXPECT_FALSE(doc.m_scenarios[0].m_forces[1].m_ships[0].IsDifferent(doc.m_ships[0]));
    EXPECT_TRUE(doc.m_scenarios[0].m_forces[0].m_ships[0].IsDifferent(doc.m_ships[0]));
    EXPECT_EQ(frame->History().Stack().count(), 1);
    EXPECT_EQ(frame->Action(ID_EDIT_UNDO)->text(), "&Undo Refresh from campaign");
    frame->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(frame->Document().SaveToBytes(), before);

    // The question lists ten copies and counts the rest.
    for (const std::size_t copies : {10, 11}) {
        auto& ships = frame->Document().m_scenarios.Modify(0).m_forces[1].m_ships;
        ships.assign(copies, Ship("Lion", 1));
        window->CheckNow();
        ClickRow(int(Problems().size()) - 1);
        scripted.answers = {IDNO};
        QTest::mouseClick(Button("refreshButton"), Qt::LeftButton);
        const std::string question = scripted.messages.back();
        int listed = 0;
        for (std::size_t at = 0; (at = question.find("\nLion: DF", at)) != std::string::npos; ++at)
            ++listed;
        EXPECT_EQ(listed, 10) << copies;
        EXPECT_EQ(question.find("more") != std::string::npos, copies == 11) << copies;
    }
    EXPECT_EQ(scripted.messages.back().substr(scripted.messages.back().rfind('\n')),
              "\nand 1 more");
}

TEST_F(CheckWindow, ChooseShipNamesTheChosenShipWhereverTheMissingNameStandsAsOneStep) {
    // Tiger renamed, its squadrons and the forces' copies left behind.
    CBrinnowDoc& doc = frame->Document();
    doc.m_ships.Modify(1).m_strName = "Tiger (1915)";
    doc.m_scenarios.Modify(0).m_forces[0].m_ships.push_back(Ship("Tiger", 1));
    window->CheckNow();
    const std::string tiger = "member \"Tiger\" names no ship";
    const std::string copy = "squadron \"Scouts\": " + tiger;
    const std::string hood = "member \"Hood\" names no ship";
    ASSERT_EQ(Problems(),
              (std::vector<std::string>{tiger, tiger, hood, copy, kStale, copy, kStale}));
    ClickRow(4);
    EXPECT_FALSE(Button("chooseShipButton")->isEnabled());
    ClickRow(3);
    ASSERT_TRUE(Button("chooseShipButton")->isEnabled());
    const std::string before = doc.SaveToBytes();

    // The renamed ship comes first and is chosen; Escape changes nothing.
    QStringList offered;
    OnModalDialog<ChooseShipDialog>([&](ChooseShipDialog& dialog) {
        auto* ships = dialog.findChild<QListWidget*>("shipList");
        for (int i = 0; i < ships->count(); ++i) offered << ships->item(i)->text();
        EXPECT_EQ(ships->currentRow(), 0);
        QTest::keyClick(ships, Qt::Key_Escape);
    });
    QTest::mouseClick(Button("chooseShipButton"), Qt::LeftButton);
    EXPECT_EQ(offered, (QStringList{"Tiger (1915)", "Lion"}));
    EXPECT_EQ(doc.SaveToBytes(), before);

    // Enter takes it: every finding about the name goes.
    OnModalDialog<ChooseShipDialog>([](ChooseShipDialog& dialog) {
        QTest::keyClick(dialog.findChild<QListWidget*>("shipList"), Qt::Key_Return);
    });
    QTest::mouseClick(Button("chooseShipButton"), Qt::LeftButton);
    EXPECT_EQ(Problems(), (std::vector<std::string>{hood, kStale, kStale}));
    const std::string after = doc.SaveToBytes();
    EXPECT_EQ(frame->History().Stack().count(), 1);
    EXPECT_EQ(frame->Action(ID_EDIT_UNDO)->text(), "&Undo Choose Ship");
    frame->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(frame->Document().SaveToBytes(), before);
    EXPECT_EQ(Problems().size(), 7u);
    frame->Action(ID_EDIT_REDO)->trigger();
    EXPECT_EQ(frame->Document().SaveToBytes(), after);

    // A double click takes the line clicked.
    ASSERT_EQ(Problems().front(), hood);
    ClickRow(0);
    OnModalDialog<ChooseShipDialog>([](ChooseShipDialog& dialog) {
        auto* ships = dialog.findChild<QListWidget*>("shipList");
        ASSERT_EQ(ships->item(0)->text(), "Lion");  // three letters from Hood
        const QPoint line = ships->visualItemRect(ships->item(1)).center();
        QTest::mouseClick(ships->viewport(), Qt::LeftButton, {}, line);
        QTest::mouseDClick(ships->viewport(), Qt::LeftButton, {}, line);
    });
    QTest::mouseClick(Button("chooseShipButton"), Qt::LeftButton);
    EXPECT_EQ(frame->Document().m_squadrons[1].m_shipNames,
              (CStringArray{"Tiger (1915)", "Tiger (1915)"}));
    EXPECT_EQ(Problems(), (std::vector<std::string>{kStale, kStale}));

    // A campaign without ships has none to offer, and says so.
    frame->History().Run("Edit Ships", [&] { frame->Document().m_ships.clear(); });
    ASSERT_EQ(Problems().front(), "flagship \"Lion\" names no ship");
    ClickRow(0);
    QTest::mouseClick(Button("chooseShipButton"), Qt::LeftButton);
    EXPECT_EQ(scripted.messages.back(), "The campaign has no ship for \"Lion\" to name.");
}

}  // namespace
