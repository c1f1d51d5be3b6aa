#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "desktop/filedialogs.h"
#include "desktop/printcommand.h"
#include "editors/editscenarios.h"
#include "editors/forcetabbar.h"
#include "tests/support/editorfixture.h"

inline VxForce Force(const char* name, int nation) {
    VxForce force;
    force.m_strName = name;
    force.m_nNation = nation;
    return force;
}

// "Edit Scenarios" on a document's scenarios, driven through its controls.
class ScenarioEditor : public Editor {
  protected:
    void TearDown() override {
        dialog.reset();
        SetFileChoiceHook({});
        SetPrintHook({});
        Editor::TearDown();
    }

    VxScenario& AddScenario(const char* name, std::initializer_list<VxForce> forces = {}) {
        VxScenario scenario;
        scenario.m_strName = name;
        for (const VxForce& force : forces) scenario.m_forces.push_back(force);
        doc.m_scenarios.push_back(scenario);
        return doc.m_scenarios.Modify(doc.m_scenarios.size() - 1);
    }

    CEditScenariosDlg& Open() {
        dialog = std::make_unique<CEditScenariosDlg>(doc, nullptr);
        dialog->show();
        return *dialog;
    }
    QWidget* Driven() override { return dialog.get(); }
    QPushButton* Button(const char* name) { return Control<QPushButton>(name); }
    ForceTabBar* Tabs() { return Control<ForceTabBar>("forceTabs"); }
    QStringList TabTexts() {
        QStringList texts;
        for (int i = 0; i < Tabs()->count(); ++i) texts << Tabs()->tabText(i);
        return texts;
    }
    void ClickTab(int index) {
        QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(index).center());
    }
    QListWidget* List(const char* name) { return Control<QListWidget>(name); }
    void TypeNotes(const char* name, const QString& text) {
        QTest::keyClicks(Control<QPlainTextEdit>(name), text);
    }
    void ChooseNation(int index) {
        auto* combo = Control<QComboBox>("nationCombo");
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    std::vector<std::string> ScenarioNames() {
        std::vector<std::string> names;
        for (const VxScenario& s : doc.m_scenarios) names.push_back(s.m_strName);
        return names;
    }

    std::unique_ptr<CEditScenariosDlg> dialog;
};
