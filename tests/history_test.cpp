#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>

#include "app/commandids.h"
#include "app/mainframe.h"
#include "editors/editarmaments.h"
#include "editors/editnations.h"
#include "editors/editships.h"
#include "history/edithistory.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/mainwindowfixture.h"
#include "tests/support/modaldialog.h"

namespace {

// The main window on a saved campaign; editors are driven through their
// real dialogs from the menu commands.
class History : public Shell {
  protected:
    void SetUp() override {
        Shell::SetUp();
        ASSERT_TRUE(frame->OpenDocumentFile(Campaign("fleet.brn")));
        saved = Bytes();
    }
    QString Campaign(const char* name) {
        CBrinnowDoc doc;
        GenerateDocument(doc, {30, 3, 2, 2, 3, 5});
        EXPECT_TRUE(doc.OnSaveDocument(Local(name)));
        return Path(name);
    }
    CBrinnowDoc& Doc() { return frame->Document(); }
    std::string Bytes() { return Doc().SaveToBytes(); }
    QUndoStack& Stack() { return frame->History().Stack(); }
    QString Text(int command) { return frame->Action(command)->text(); }
    bool Modified() { return Doc().IsModified() && frame->isWindowModified(); }
    bool Clean() { return !Doc().IsModified() && !frame->isWindowModified(); }

    // Triggers an Edit command and acts on its dialog once it is open; the
    // act closes the dialog.
    template <class Dialog>
    void Edit(int command, std::function<void(Dialog&)> act) {
        OnModalDialog<Dialog>([act](Dialog& dialog) {
            act(dialog);
            dialog.accept();
        });
        frame->Action(command)->trigger();
    }
    void RenameFirstShip(const char* name) {
        Edit<CEditShipsDlg>(ID_EDIT_SHIPS, [name](CEditShipsDlg& ships) {
            ships.findChild<QLineEdit*>("nameEdit")->setText(name);
            ships.OnClose();
        });
    }
    void Undo() { frame->Action(ID_EDIT_UNDO)->trigger(); }
    void Redo() { frame->Action(ID_EDIT_REDO)->trigger(); }
    // Undo brings back the bytes of before, Redo those of after.
    void ExpectUndoRedo(const std::string& before, const char* step) {
        const std::string after = Bytes();
        ASSERT_NE(after, before);
        EXPECT_EQ(Text(ID_EDIT_UNDO), QString("&Undo ") + step);
        Undo();
        EXPECT_EQ(Bytes(), before);
        EXPECT_EQ(Text(ID_EDIT_REDO), QString("&Redo ") + step);
        Redo();
        EXPECT_EQ(Bytes(), after);
    }

    std::string saved;
};

TEST_F(History, EveryEditorIsOneStepThatUndoesToTheSameBytes) {
    EXPECT_FALSE(frame->Action(ID_EDIT_UNDO)->isEnabled());
    EXPECT_EQ(Text(ID_EDIT_UNDO), "&Undo");
    // The squadrons and the forces' copies that follow a renamed ship change
    // in the ship editor's step.
    const VxShip first = Doc().m_ships[0];
    Doc().m_squadrons.Modify(0).m_strFlagship = first.m_strName;
    Doc().m_squadrons.Modify(1).m_attachmentNames = {first.m_strName, first.m_strName};
    VxForce force;
    force.m_squadrons = {Doc().m_squadrons[0]};
    force.m_squadrons[0].m_shipNames = {first.m_strName};
    force.m_ships = {first};
    Doc().m_scenarios.Modify(0).m_forces.push_back(force);
    const std::string start = Bytes();
    RenameFirstShip("Zulu");  // and Yes: the squadrons and copies follow
    EXPECT_EQ(Doc().m_squadrons[1].m_attachmentNames, (CStringArray{"Zulu", "Zulu"}));
    const VxForce& renamed = Doc().m_scenarios[0].m_forces.back();
    EXPECT_EQ(renamed.m_squadrons[0].m_shipNames, CStringArray{"Zulu"});
    EXPECT_EQ(renamed.m_ships[0].m_strName, "Zulu");
    ExpectUndoRedo(start, "Edit Ships");

    const std::string before = Bytes();
    Edit<CEditNationsDlg>(ID_EDIT_NATIONS, [](CEditNationsDlg& nations) {
        OnModalDialog<QDialog>([](QDialog& add) {
            add.findChild<QLineEdit*>("nameEdit")->setText("Sweden");
            add.accept();
        });
        nations.OnAdd();
    });
    ExpectUndoRedo(before, "Edit Nations");
    EXPECT_EQ(Stack().count(), 2);

    // Back to the start, step by step, then all the way forward again.
    const std::string last = Bytes();
    for (int i = 0; i < 2; ++i) Undo();
    EXPECT_EQ(Bytes(), start);
    EXPECT_FALSE(frame->Action(ID_EDIT_UNDO)->isEnabled());
    for (int i = 0; i < 2; ++i) Redo();
    EXPECT_EQ(Bytes(), last);
    EXPECT_FALSE(frame->Action(ID_EDIT_REDO)->isEnabled());
}

// Adding an armament opens Add Armament from inside Edit Armaments, and
// deleting in Edit Ships changes the list without any notice: each dialog
// run is still exactly one step.
TEST_F(History, ADialogInsideAnotherBelongsToItsStep) {
    Edit<CEditArmamentsDlg>(ID_EDIT_ARMAMENTS, [](CEditArmamentsDlg& armaments) {
        for (const char* calibre : {"10", "11"}) {
            OnModalDialog<QDialog>([calibre](QDialog& add) {
                add.findChild<QLineEdit*>("calibreEdit")->setText(calibre);
                add.findChild<QLineEdit*>("afEdit")->setText("1.5");
                add.accept();
            });
            armaments.OnAdd();
        }
    });
    EXPECT_EQ(Stack().count(), 1);
    EXPECT_EQ(Text(ID_EDIT_UNDO), "&Undo Edit Armaments");
    Edit<CEditShipsDlg>(ID_EDIT_SHIPS, [](CEditShipsDlg& ships) {
        ships.OnDelete();
        ships.OnDelete();
        ships.OnClose();
    });
    EXPECT_EQ(Stack().count(), 2);
    EXPECT_TRUE(Modified());
    Undo();
    Undo();
    EXPECT_EQ(Bytes(), saved);
    EXPECT_TRUE(Clean());

    // A run of the facade from inside another joins the outer step.
    frame->History().Run("Outer", [&] {
        Doc().m_ships.pop_back();
        frame->History().Run("Inner", [&] { Doc().m_ships.pop_back(); });
    });
    EXPECT_EQ(Stack().count(), 1);
    EXPECT_EQ(Text(ID_EDIT_UNDO), "&Undo Outer");
    Undo();
    EXPECT_EQ(Bytes(), saved);
}

TEST_F(History, ADialogThatChangesNothingAddsNoStep) {
    Edit<CEditShipsDlg>(ID_EDIT_SHIPS, [](CEditShipsDlg& ships) {
        ships.OnNext();
        ships.OnClose();
    });
    Edit<CEditArmamentsDlg>(ID_EDIT_ARMAMENTS, [](CEditArmamentsDlg&) {});
    // Changed and changed back inside the dialog: the notice came, no step.
    RenameFirstShip("Zulu");
    Stack().clear();
    frame->History().MarkSaved();
    const std::string renamed = Bytes();
    Edit<CEditShipsDlg>(ID_EDIT_SHIPS, [](CEditShipsDlg& ships) {
        auto* name = ships.findChild<QLineEdit*>("nameEdit");
        const QString was = name->text();
        name->setText("Yankee");
        ships.OnNext();
        ships.OnPrevious();
        ships.findChild<QLineEdit*>("nameEdit")->setText(was);
        ships.OnClose();
    });
    EXPECT_EQ(Bytes(), renamed);
    EXPECT_EQ(Stack().count(), 0);
    EXPECT_TRUE(Clean());
}

TEST_F(History, TheMemoryBoundDropsTheOldestSteps) {
    EditHistory& history = frame->History();
    for (int i = 0; i < 6; ++i) {
        history.Run("Grow", [&] {
            Doc().m_ships.Modify(std::size_t(i)).m_strNotes = std::string(100000, 'x');
        });
    }
    ASSERT_EQ(Stack().count(), 6);
    const std::size_t step = history.Cost() / 6;
    const std::string now = Bytes();
    history.SetBudget(step * 4 + step / 2);
    EXPECT_EQ(Stack().count(), 4);
    EXPECT_LE(history.Cost(), step * 4 + step / 2);
    EXPECT_TRUE(Modified());
    // The steps kept still undo what they did; the oldest two stay done.
    for (int i = 0; i < 4; ++i) Undo();
    EXPECT_FALSE(frame->Action(ID_EDIT_UNDO)->isEnabled());
    EXPECT_EQ(Doc().m_ships[1].m_strNotes.size(), 100000u);
    EXPECT_NE(Doc().m_ships[2].m_strNotes.size(), 100000u);
    EXPECT_TRUE(Modified());  // the saved state went with the dropped steps
    for (int i = 0; i < 4; ++i) Redo();
    EXPECT_EQ(Bytes(), now);

    // A step bigger than the whole budget is still kept, alone.
    history.SetBudget(1);
    EXPECT_EQ(Stack().count(), 1);
    Undo();
    EXPECT_NE(Doc().m_ships[5].m_strNotes.size(), 100000u);

    // The saved state survives dropping steps older than it.
    history.SetBudget(EditHistory::kDefaultBudget);
    for (int i = 0; i < 3; ++i) {
        history.Run("Grow", [&] {
            Doc().m_ships.Modify(std::size_t(i)).m_strNotes = std::string(1000, 'y');
        });
    }
    ASSERT_TRUE(frame->OnFileSave());
    history.Run("Grow", [&] { Doc().m_ships.Modify(3).m_strNotes = std::string(1000, 'y'); });
    history.SetBudget(history.Cost() / 2);
    EXPECT_TRUE(Modified());
    Undo();
    EXPECT_TRUE(Clean());
}

TEST_F(History, OneStepPastTheBudgetDropsTheOldestAlone) {
    EditHistory& history = frame->History();
    const auto grow = [&](int ship) {
        history.Run("Grow", [&] {
            Doc().m_ships.Modify(std::size_t(ship)).m_strNotes = std::string(100000, 'x');
        });
    };
    for (int i = 0; i < 4; ++i) grow(i);
    history.SetBudget(history.Cost() + history.Cost() / 8);  // half a step to spare
    grow(4);
    EXPECT_EQ(Stack().count(), 4);
}

}  // namespace
