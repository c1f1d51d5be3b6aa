#pragma once
// The game table window opened on the test campaign's first scenario, with
// the game file beside the campaign in a folder of its own.

#include <gtest/gtest.h>

#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "desktop/nightcolours.h"
#include "game/gamefile.h"
#include "print/cardgeometry.h"
#include "table/gameopener.h"
#include "table/tableview.h"
#include "table/tablewindow.h"
#include "tests/game/gamefixture.h"
#include "tests/support/scriptedanswers.h"

inline CardMarks MarksOfCard(const TableWindow& window, int card) {
    const RosterShip& ship = window.Snapshot().roster[std::size_t(card)];
    const CardMarks* marks = window.GetGame().MarksOf(ship.place, ship.name);
    return marks ? *marks : CardMarks();
}

// A click at the middle of the place, as the card's own geometry has it.
inline void ClickPlace(TableWindow& window, int card, CardMark mark) {
    TableView& view = window.View();
    view.ScrollToCard(card);
    const QPoint origin = view.CardOrigin(card);
    const CardGeometry::Quad quad =
        CardGeometry(view.DevicePixelsPerMm(), origin.x(), origin.y()).Place(mark);
    QPoint centre;
    for (const auto& corner : quad) centre += QPoint(corner.x, corner.y);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.DeviceToViewport(centre / 4));
}

class Table : public ::testing::Test {
  protected:
    void SetUp() override { QSettings().clear(); }
    void TearDown() override { NightColours::Instance().Set(false); }

    // Opened beside the window that asked, at the size given; with none, at
    // whatever size and place it chooses itself, as Play Scenario opens it.
    std::unique_ptr<TableWindow> Open(QWidget* beside = nullptr, QSize size = {1000, 700}) {
        auto window = std::make_unique<TableWindow>(ScenarioSnapshot::Of(doc, doc.m_scenarios[0]),
                                                    GameSession({}, GamePath()), "", beside);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        if (size.isValid()) window->resize(size);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
    TableWindow* Play() { return PlayScenario(nullptr, doc, Campaign(), doc.m_scenarios[0]); }
    std::string Campaign() const { return dir.filePath("war.brn").toStdString(); }
    std::string GamePath() const { return GamePathFor(Campaign(), "Skirmish").toStdString(); }
    Game OnDisk() const {
        Game game;
        std::string error;
        EXPECT_TRUE(ReadGameFile(GamePath(), game, error)) << error;
        return game;
    }
    static bool OnScreen(const QWidget& window, const QScreen& screen) {
        return screen.availableGeometry().contains(window.frameGeometry());
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
    std::vector<std::string>& messages = scripted.messages;
};

using TablePlacement = Table;
using TableKeyboard = Table;
using TableNight = Table;
using TableGameFile = Table;
