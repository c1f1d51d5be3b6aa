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
#include "editors/selectship.h"
#include "model/brinnowdoc.h"
#include "tests/support/editorfixture.h"

namespace {

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
    ClickLine(list, 3);
    for (const char* button : {"editButton", "copyButton", "removeButton"})
        EXPECT_TRUE(Enabled(&dialog, button)) << button;
    EXPECT_EQ(dialog.SelectedPosition(), dialog.FirstRow() + 3);

    // Ctrl+click takes the selection away again: nothing to act on.
    ClickLine(list, 3, Qt::ControlModifier);
    EXPECT_FALSE(Enabled(&dialog, "removeButton"));
    EXPECT_EQ(dialog.SelectedPosition(), -1);

    // A nation likewise.
    CEditNationsDlg nations(doc.m_nations, nullptr);
    nations.show();
    auto* nationList = nations.findChild<QListWidget*>("nationList");
    EXPECT_FALSE(Enabled(&nations, "editButton"));
    ClickLine(nationList, 2);
    EXPECT_TRUE(Enabled(&nations, "editButton"));
    EXPECT_TRUE(Enabled(&nations, "removeButton"));
    ClickLine(nationList, 2, Qt::ControlModifier);
    EXPECT_FALSE(Enabled(&nations, "editButton"));
}

TEST(DialogLists, SelectShipSortsWhateverTheCaseAndShowsNations) {
    CBrinnowDoc doc;
    CArray<VxShip> ships;
    // The first two British, the others German.
    for (const char* name : {"delhi", "Ajax", "Zieten", "Brandenburg", "ajax", "delhi"})
        ships.push_back(ShipNamed(name, ships.size() < 2 ? 1 : 2));
    CSelectShipDlg dialog(ships, nullptr, &doc.m_nations.Records());
    auto* list = dialog.findChild<QListWidget*>("shipList");
    EXPECT_EQ(LinesOf(list),
              (QStringList{"Ajax\tGreat Britain", "ajax\tGermany", "Brandenburg\tGermany",
                           "delhi\tGreat Britain", "delhi\tGermany", "Zieten\tGermany"}));
    EXPECT_EQ(list->currentRow(), 0);

    // The chosen line maps back to its ship by name, not by its place: a
    // double click on a twin picks the first ship of that name.
    dialog.show();
    DoubleClickLine(list, 4);  // the second "delhi" line
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Chosen(), 0);
}

TEST(DialogLists, SelectShipKeepsLongNamesWholeAndSortsManyQuickly) {
    CArray<VxShip> ships;
    for (int i = 0; i < 10000; ++i)
        ships.push_back(ShipNamed((i % 2 ? "b" : "B") + std::to_string(10000 - i)));
    ships[5].m_strName = std::string(1 << 20, 'x') + "\tend";
    CSelectShipDlg dialog(ships, nullptr);
    auto* list = dialog.findChild<QListWidget*>("shipList");
    ASSERT_EQ(list->count(), 10000);
    EXPECT_EQ(list->item(list->count() - 1)->text().size(), (1 << 20) + 4 + 1);
    list->setCurrentRow(list->count() - 1);
    dialog.accept();
    EXPECT_EQ(dialog.Chosen(), 5);
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
