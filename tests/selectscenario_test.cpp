// "Select Scenario" as a player opens it: a line is chosen from the start,
// so Enter and OK pick at once; OK is greyed while no line is chosen.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "editors/selectscenario.h"

namespace {

CArray<VxScenario> Scenarios(std::initializer_list<const char*> names) {
    CArray<VxScenario> scenarios;
    for (const char* name : names) {
        VxScenario scenario;
        scenario.m_strName = name;
        scenarios.push_back(scenario);
    }
    return scenarios;
}

QPushButton* Ok(CSelectScenarioDlg& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

}  // namespace

TEST(SelectScenario, EnterPicksTheFirstLineOrTheCurrentScenarioAtOnce) {
    const CArray<VxScenario> scenarios = Scenarios({"Jutland", "Dogger Bank", "Coronel"});
    {
        CSelectScenarioDlg select(scenarios, nullptr);
        select.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&select));
        EXPECT_TRUE(Ok(select)->isEnabled());
        QTest::keyClick(select.findChild<QListWidget*>("scenarioList"), Qt::Key_Return);
        EXPECT_EQ(select.result(), QDialog::Accepted);
        EXPECT_EQ(select.m_nSelected, 2) << "Coronel, the first line";
    }
    {
        CSelectScenarioDlg select(scenarios, nullptr, 0);
        select.show();
        auto* list = select.findChild<QListWidget*>("scenarioList");
        EXPECT_EQ(list->currentItem()->text(), "Jutland");
        QTest::keyClick(list, Qt::Key_Up);
        QTest::mouseClick(Ok(select), Qt::LeftButton);
        EXPECT_EQ(select.m_nSelected, 1) << "Dogger Bank, the line above Jutland";
    }
}
