// Every list of every dialog acts on what the mouse selects, and the
// questions that throw work away answer No to Enter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "desktop/messagebox.h"
#include "editors/editarmaments.h"
#include "editors/editnations.h"
#include "editors/editships.h"
#include "editors/selectship.h"
#include "model/brinnowdoc.h"

namespace {

void Click(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    list->scrollToItem(list->item(row));
    const QPoint centre = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, centre);
}

void DoubleClick(QListWidget* list, int row) {
    const QPoint centre = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

bool Enabled(QWidget* dialog, const char* button) {
    return dialog->findChild<QPushButton*>(button)->isEnabled();
}

TEST(DialogLists, ClickingAnArmamentOrANationEnablesEditAndRemove) {
    CBrinnowDoc doc;
    CEditArmamentsDlg dialog(doc, nullptr);
    dialog.show();
    auto* nation = dialog.findChild<QComboBox*>("nationCombo");
    nation->setCurrentIndex(1);
    emit nation->activated(1);
    auto* list = dialog.findChild<QListWidget*>("armamentList");
    ASSERT_EQ(list->count(), 11);
    EXPECT_FALSE(Enabled(&dialog, "editButton"));
    Click(list, 3);
    for (const char* button : {"editButton", "copyButton", "removeButton"})
        EXPECT_TRUE(Enabled(&dialog, button)) << button;
    EXPECT_EQ(dialog.SelectedPosition(), dialog.FirstRow() + 3);

    // Ctrl+click takes the selection away again: nothing to act on.
    Click(list, 3, Qt::ControlModifier);
    EXPECT_FALSE(Enabled(&dialog, "removeButton"));
    EXPECT_EQ(dialog.SelectedPosition(), -1);

    // A nation likewise.
    CEditNationsDlg nations(doc.m_nations, nullptr);
    nations.show();
    auto* nationList = nations.findChild<QListWidget*>("nationList");
    EXPECT_FALSE(Enabled(&nations, "editButton"));
    Click(nationList, 2);
    EXPECT_TRUE(Enabled(&nations, "editButton"));
    EXPECT_TRUE(Enabled(&nations, "removeButton"));
    Click(nationList, 2, Qt::ControlModifier);
    EXPECT_FALSE(Enabled(&nations, "editButton"));
}

CArray<VxShip> Fleet(std::initializer_list<std::pair<const char*, int>> ships) {
    CArray<VxShip> fleet;
    for (const auto& [name, nation] : ships) {
        VxShip ship;
        ship.m_strName = name;
        ship.m_nNation = nation;
        fleet.push_back(ship);
    }
    return fleet;
}

TEST(DialogLists, SelectShipSortsWhateverTheCaseAndShowsNations) {
    CBrinnowDoc doc;
    const CArray<VxShip> ships = Fleet(
        {{"delhi", 1}, {"Ajax", 1}, {"Zieten", 2}, {"Brandenburg", 2}, {"ajax", 2}, {"delhi", 2}});
    CSelectShipDlg dialog(ships, nullptr, &doc.m_nations.Records());
    auto* list = dialog.findChild<QListWidget*>("shipList");
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    EXPECT_EQ(rows, (QStringList{"Ajax\tGreat Britain", "ajax\tGermany", "Brandenburg\tGermany",
                                 "delhi\tGreat Britain", "delhi\tGermany", "Zieten\tGermany"}));
    EXPECT_EQ(list->currentRow(), 0);

    // The chosen line maps back to its ship by name, not by its place: a
    // double click on a twin picks the first ship of that name.
    dialog.show();
    DoubleClick(list, 4);  // the second "delhi" line
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Chosen(), 0);
}

TEST(DialogLists, SelectShipKeepsLongNamesWholeAndSortsManyQuickly) {
    CArray<VxShip> ships;
    for (int i = 0; i < 10000; ++i) {
        VxShip ship;
        ship.m_strName = (i % 2 ? "b" : "B") + std::to_string(10000 - i);
        ships.push_back(ship);
    }
    ships[5].m_strName = std::string(1 << 20, 'x') + "\tend";
    CSelectShipDlg dialog(ships, nullptr);
    auto* list = dialog.findChild<QListWidget*>("shipList");
    ASSERT_EQ(list->count(), 10000);
    EXPECT_EQ(list->item(list->count() - 1)->text().size(), (1 << 20) + 4 + 1);
    list->setCurrentRow(list->count() - 1);
    dialog.accept();
    EXPECT_EQ(dialog.Chosen(), 5);
}

TEST(DialogLists, EditShipsKeepsItsWidthAndNamesItsBoxes) {
    CBrinnowDoc doc;
    const auto width = [&doc] {
        CEditShipsDlg dialog(doc.m_nations, doc.m_armaments, doc.m_torpedoes, doc.m_ships,
                             doc.m_squadrons, nullptr);
        return dialog.sizeHint().width();
    };
    const int usual = width();
    doc.m_nations.Modify(1).m_strName = std::string(5000, 'W');
    doc.m_armaments.Modify(0).m_strNotes = std::string(5000, 'W');
    EXPECT_EQ(width(), usual);
    EXPECT_LT(usual, 1000);

    CEditShipsDlg dialog(doc.m_nations, doc.m_armaments, doc.m_torpedoes, doc.m_ships,
                         doc.m_squadrons, nullptr);
    for (const char* box : {"mainAF1", "secondaryAF4", "torpedoAF2", "turnSpeed5"}) {
        EXPECT_FALSE(dialog.findChild<QLineEdit*>(box)->toolTip().isEmpty()) << box;
    }
    EXPECT_TRUE(dialog.findChild<QLineEdit*>("turnSpeed5")->toolTip().startsWith("Turn Speed 5"));
}

// The real message box: Enter on a question that throws work away says No.
TEST(DialogLists, EnterOnADestructiveQuestionAnswersNo) {
    for (const unsigned type :
         {MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, unsigned(MB_YESNO | MB_ICONQUESTION)}) {
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Return);
        });
        const int answer = AfxMessageBox("Are you sure you want to delete this ship?", type);
        EXPECT_EQ(answer, type & MB_DEFBUTTON2 ? IDNO : IDYES);
    }
}

}  // namespace
