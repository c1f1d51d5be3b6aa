// The table window is the one writer of its game file while it is open,
// and never writes over a version another program left there unasked.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include "game/gamefile.h"
#include "platform/documentlock.h"
#include "platform/filestore.h"
#include "platform/processidentity.h"
#include "table/gameopener.h"
#include "table/tablewindow.h"
#include "tests/game/gamefixture.h"
#include "tests/support/lockracers.h"
#include "tests/support/scriptedanswers.h"

namespace {

class TableGameFile : public ::testing::Test {
  protected:
    TableWindow* Play() { return PlayScenario(nullptr, doc, Campaign(), doc.m_scenarios[0]); }
    std::string Campaign() const { return dir.filePath("war.brn").toStdString(); }
    std::string GamePath() const { return GamePathFor(Campaign(), "Skirmish").toStdString(); }
    Game OnDisk() const {
        Game game;
        std::string error;
        EXPECT_TRUE(ReadGameFile(GamePath(), game, error)) << error;
        return game;
    }
    // Another program's version of the game: one more mark on Echo, the
    // force's first single ship.
    void WriteTheirs(CardMark mark) {
        Game theirs = OnDisk();
        theirs.Apply({GameAction::Kind::Toggle, {0, 0, ShipRole::Single, 0}, "Echo", mark, {}, {}});
        std::string error;
        ASSERT_TRUE(WriteGameFile(theirs, GamePath(), error)) << error;
    }
    static bool Marked(const Game& game, const char* name, CardMark mark) {
        for (const GameShip& ship : game.Ships())
            if (ship.name == name && ship.marks.Has(mark)) return true;
        return false;
    }

    CBrinnowDoc doc = GameCampaign();
    QTemporaryDir dir;
    ScriptedAnswers scripted;
};

TEST_F(TableGameFile, AnOpenWindowHoldsItsGameAgainstOtherWritersUntilItCloses) {
    std::unique_ptr<TableWindow> window(Play());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(LockRacers(GamePath(), 2), 0);
    window->NewGame();
    EXPECT_EQ(LockRacers(GamePath(), 2), 0) << "a new game keeps the file";
    window.reset();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(DocumentLock::LockPathFor(GamePath()))));
    EXPECT_EQ(LockRacers(GamePath(), 2), 1);

    // Held by another process: said, naming it, and not opened.
    std::string error;
    ASSERT_TRUE(WriteFileSafely(DocumentLock::LockPathFor(GamePath()), "1 " + ThisHostName() + "\n",
                                error));
    EXPECT_EQ(Play(), nullptr);
    ASSERT_FALSE(scripted.messages.empty());
    EXPECT_NE(scripted.messages.back().find("is in use by process 1 on " + ThisHostName()),
              std::string::npos)
        << scripted.messages.back();
}

TEST_F(TableGameFile, AVersionLeftOnDiskByAnotherProgramIsOfferedBeforeAnyWriteOverIt) {
    std::unique_ptr<TableWindow> window(Play());
    ASSERT_NE(window, nullptr);
    window->ToggleMark(1, CardMark::Box1);  // Bravo
    WriteTheirs(CardMark::Sunk);
    // Loaded: the window shows their version, and the click that found it
    // is not applied over it.
    scripted.answers = {IDYES};
    window->ToggleMark(1, CardMark::Speed2);
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_NE(scripted.messages[0].find("has been changed by another program. Load that version?"),
              std::string::npos);
    EXPECT_TRUE(Marked(window->GetGame(), "Echo", CardMark::Sunk));
    EXPECT_FALSE(Marked(window->GetGame(), "Bravo", CardMark::Speed2));
    EXPECT_FALSE(window->Action("undo")->isEnabled());
    EXPECT_EQ(window->LogList().count(), int(window->GetGame().Log().size()));
    window->ToggleMark(1, CardMark::Speed2);
    EXPECT_EQ(scripted.messages.size(), 1u) << "its own writes are no change on disk";
    EXPECT_TRUE(Marked(OnDisk(), "Echo", CardMark::Sunk));
    EXPECT_TRUE(Marked(OnDisk(), "Bravo", CardMark::Speed2));

    // Kept: the user chose this window's game, which replaces theirs, and
    // then no more is asked.
    WriteTheirs(CardMark::AA);
    scripted.answers = {IDNO};
    window->Undo();
    EXPECT_EQ(scripted.messages.size(), 2u);
    EXPECT_FALSE(Marked(OnDisk(), "Bravo", CardMark::Speed2));
    EXPECT_FALSE(Marked(OnDisk(), "Echo", CardMark::AA));
    window->Redo();
    EXPECT_EQ(scripted.messages.size(), 2u);
    EXPECT_TRUE(Marked(OnDisk(), "Bravo", CardMark::Speed2));

    // Told by the file's watch, No keeps this window's game too, and the
    // next mark asks nothing more.
    WriteTheirs(CardMark::Speed3);
    scripted.answers = {IDNO};
    ASSERT_TRUE(QTest::qWaitFor([&] { return scripted.messages.size() == 3; }, 5000));
    window->ToggleMark(1, CardMark::Speed4);
    EXPECT_EQ(scripted.messages.size(), 3u);
    EXPECT_FALSE(Marked(OnDisk(), "Echo", CardMark::Speed3));
    EXPECT_TRUE(Marked(OnDisk(), "Bravo", CardMark::Speed4));
}

// A name from the game file is shown escaped and cut, in the message that
// lists the ships no longer found and in the log, however long it is.
TEST_F(TableGameFile, AHostileNameFromTheGameFileIsShownEscapedAndCut) {
    Game game;
    game.campaign = "war.brn";
    game.scenario = "Skirmish";
    const CString hostile = "\x1B]0;owned\x07" + std::string(5000000, 'x');
    game.Apply(
        {GameAction::Kind::Toggle, {0, 0, ShipRole::Member, 0}, hostile, CardMark::Box1, {}, {}});
    std::string error;
    ASSERT_TRUE(WriteGameFile(game, GamePath(), error)) << error;
    std::unique_ptr<TableWindow> window(Play());
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_LT(scripted.messages[0].size(), 1000u);
    EXPECT_NE(scripted.messages[0].find("force 1, \\x1B]0;owned\\x07xxx"), std::string::npos);
    EXPECT_EQ(scripted.messages[0].find('\x1B'), std::string::npos);
    ASSERT_EQ(window->LogList().count(), 1);
    const QString line = window->LogList().item(0)->text();
    EXPECT_LT(line.size(), 200);
    EXPECT_TRUE(line.startsWith("Turn 1 \u2014 \\x1B]0;OWNED\\x07XXX")) << line.toStdString();
}

}  // namespace
