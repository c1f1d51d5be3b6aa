// Each control of the ship editor, changed on its own, must change exactly
// its own field of the stored ship: a box read into the wrong field passes
// every test that changes several boxes at once.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>
#include <map>
#include <string>

#include "model/brinnowdoc.h"
#include "tests/support/editorfixture.h"
#include "tests/support/sampleship.h"
#include "tests/support/scriptedanswers.h"

namespace {

// Every field of a ship by name, as text.
std::map<std::string, std::string> Fields(const VxShip& s) {
    std::map<std::string, std::string> fields = {
        {"name", s.m_strName},
        {"nation", std::to_string(s.m_nNation)},
        {"main armament", std::to_string(s.m_nMainArmament)},
        {"wing turrets", std::to_string(s.m_bWingTurrets)},
        {"secondary armament", std::to_string(s.m_nSecondaryArmament)},
        {"torpedo", std::to_string(s.m_nTorpedo)},
        {"DF", std::to_string(s.m_dDF)},
        {"ship type", std::to_string(s.m_nShipType)},
        {"AA rating", std::to_string(s.m_nAARating)},
        {"identifier", s.m_strIdentifier},
        {"notes", s.m_strNotes},
        {"poor UP", std::to_string(s.m_bPoorUP)},
        {"flotilla", std::to_string(s.m_bFlotilla)},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i + 1);
        fields["main AF " + n] = std::to_string(s.m_dMainAF[i]);
        fields["secondary AF " + n] = std::to_string(s.m_dSecondaryAF[i]);
        fields["torpedo AF " + n] = std::to_string(s.m_nTorpedoAF[i]);
    }
    for (std::size_t i = 0; i < 5; ++i) {
        fields["turn speed " + std::to_string(i + 1)] = std::to_string(s.m_nTurnSpeed[i]);
    }
    return fields;
}

struct ControlCase {
    std::string field;
    std::function<void(QWidget*)> change;
};

void SetText(QWidget* dialog, const char* control, const char* text) {
    QLineEdit* edit = dialog->findChild<QLineEdit*>(control);
    ASSERT_NE(edit, nullptr) << control;
    edit->setText(text);
}

void Pick(QWidget* dialog, const char* control, int row) {
    QComboBox* combo = dialog->findChild<QComboBox*>(control);
    ASSERT_NE(combo, nullptr) << control;
    ASSERT_LT(row, combo->count()) << control;
    combo->setCurrentIndex(row);
}

void Toggle(QWidget* dialog, const char* control) {
    QAbstractButton* button = dialog->findChild<QAbstractButton*>(control);
    ASSERT_NE(button, nullptr) << control;
    button->setChecked(!button->isChecked());
}

std::vector<ControlCase> ShipEditorControls() {
    std::vector<ControlCase> cases = {
        {"name", [](QWidget* d) { SetText(d, "nameEdit", "Lion II"); }},
        {"identifier", [](QWidget* d) { SetText(d, "identifierEdit", "BC-9"); }},
        {"main armament", [](QWidget* d) { Pick(d, "mainArmamentCombo", 3); }},
        {"secondary armament", [](QWidget* d) { Pick(d, "secondaryArmamentCombo", 2); }},
        {"torpedo", [](QWidget* d) { Pick(d, "torpedoCombo", 0); }},
        {"AA rating", [](QWidget* d) { Pick(d, "aaRatingCombo", 3); }},
        {"ship type", [](QWidget* d) { Pick(d, "shipTypeCombo", 4); }},
        {"DF", [](QWidget* d) { SetText(d, "dfEdit", "15"); }},
        {"wing turrets", [](QWidget* d) { Toggle(d, "wingTurretsButton"); }},
        {"poor UP", [](QWidget* d) { Toggle(d, "poorUPCheck"); }},
        {"flotilla", [](QWidget* d) { Toggle(d, "flotillaCheck"); }},
        {"notes",
         [](QWidget* d) { d->findChild<QPlainTextEdit*>("notesEdit")->setPlainText("x"); }},
    };
    for (int i = 1; i <= 4; ++i) {
        const std::string n = std::to_string(i);
        cases.push_back(
            {"main AF " + n, [n](QWidget* d) { SetText(d, ("mainAF" + n).c_str(), "4"); }});
        cases.push_back({"secondary AF " + n,
                         [n](QWidget* d) { SetText(d, ("secondaryAF" + n).c_str(), "0.75"); }});
        cases.push_back(
            {"torpedo AF " + n, [n](QWidget* d) { SetText(d, ("torpedoAF" + n).c_str(), "3"); }});
    }
    for (int i = 1; i <= 5; ++i) {
        const std::string n = std::to_string(i);
        cases.push_back(
            {"turn speed " + n, [n](QWidget* d) { SetText(d, ("turnSpeed" + n).c_str(), "31"); }});
    }
    return cases;
}

class ShipEditorFields : public ::testing::Test {
  protected:
    VxShip ship0 = SampleLion();
    ScriptedAnswers scripted;
};

// Every other field comes back as it was, so each is seen untouched too.
TEST_F(ShipEditorFields, EachControlChangesExactlyItsOwnField) {
    const std::map<std::string, std::string> before = Fields(ship0);
    for (const ControlCase& control : ShipEditorControls()) {
        CBrinnowDoc doc;
        doc.m_ships = {ship0};
        const auto dialog = ShipsDialog(doc);
        control.change(dialog.get());
        dialog->OnClose();
        ASSERT_EQ(scripted.messages, std::vector<std::string>{}) << control.field;
        const std::map<std::string, std::string> after = Fields(doc.m_ships[0]);
        for (const auto& [field, value] : before) {
            if (field == control.field) {
                EXPECT_NE(after.at(field), value) << control.field << " did not reach its field";
            } else {
                EXPECT_EQ(after.at(field), value) << control.field << " changed " << field;
            }
        }
    }
}

}  // namespace
