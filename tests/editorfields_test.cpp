// Each control of the ship editor, changed on its own, must change exactly
// its own field of the stored ship: a box read into the wrong field passes
// every test that changes several boxes at once.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
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
        {"flotilla", std::to_string(s.m_bFlotilla)}};
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

// A control, the field it must change, and what it is set to: a line edit
// takes the text, a combo box the row; a button is toggled.
struct ControlCase {
    std::string field;
    std::string control;
    QString value;
};

std::vector<ControlCase> ShipEditorControls() {
    std::vector<ControlCase> cases = {{"name", "nameEdit", "Lion II"},
                                      {"identifier", "identifierEdit", "BC-9"},
                                      {"main armament", "mainArmamentCombo", "3"},
                                      {"secondary armament", "secondaryArmamentCombo", "2"},
                                      {"torpedo", "torpedoCombo", "0"},
                                      {"AA rating", "aaRatingCombo", "3"},
                                      {"ship type", "shipTypeCombo", "4"},
                                      {"DF", "dfEdit", "15"},
                                      {"wing turrets", "wingTurretsButton", ""},
                                      {"poor UP", "poorUPCheck", ""},
                                      {"flotilla", "flotillaCheck", ""},
                                      {"notes", "notesEdit", "x"}};
    for (const std::string n : {"1", "2", "3", "4"}) {
        cases.push_back({"main AF " + n, "mainAF" + n, "4"});
        cases.push_back({"secondary AF " + n, "secondaryAF" + n, "0.75"});
        cases.push_back({"torpedo AF " + n, "torpedoAF" + n, "3"});
    }
    for (const std::string n : {"1", "2", "3", "4", "5"})
        cases.push_back({"turn speed " + n, "turnSpeed" + n, "31"});
    return cases;
}

void Change(QWidget* dialog, const ControlCase& c) {
    auto* control = dialog->findChild<QWidget*>(QString::fromStdString(c.control));
    ASSERT_NE(control, nullptr) << c.control;
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(c.value);
    } else if (auto* notes = qobject_cast<QPlainTextEdit*>(control)) {
        notes->setPlainText(c.value);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        ASSERT_LT(c.value.toInt(), combo->count()) << c.control;
        combo->setCurrentIndex(c.value.toInt());
    } else {
        auto* button = qobject_cast<QAbstractButton*>(control);
        ASSERT_NE(button, nullptr) << c.control;
        button->setChecked(!button->isChecked());
    }
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
        Change(dialog.get(), control);
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
