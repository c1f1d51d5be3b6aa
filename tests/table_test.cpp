#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <iostream>

#include "desktop/helpwindow.h"
#include "desktop/messagebox.h"
#include "desktop/printcommand.h"
#include "game/gamefile.h"
#include "print/cardgeometry.h"
#include "print/scenarioprintjob.h"
#include "table/gameopener.h"
#include "table/tableview.h"
#include "table/tablewindow.h"
#include "tests/game/gamefixture.h"
#include "tests/support/recordingdc.h"

namespace {

CardMarks MarksOfCard(const TableWindow& window, int card) {
    const RosterShip& ship = window.Snapshot().roster[std::size_t(card)];
    const CardMarks* marks = window.GetGame().MarksOf(ship.place, ship.name);
    return marks ? *marks : CardMarks();
}

// A click at the middle of the place, as the card's own geometry has it.
void ClickPlace(TableWindow& window, int card, CardMark mark) {
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
    void SetUp() override {
        SetMessageBoxHook([this](const std::string& text, unsigned) {
            messages.push_back(text);
            return IDYES;
        });
    }
    void TearDown() override { SetMessageBoxHook({}); }

    std::unique_ptr<TableWindow> Open(Game game = {}) {
        auto window = std::make_unique<TableWindow>(ScenarioSnapshot::Of(doc, doc.m_scenarios[0]),
                                                    GameSession(std::move(game), GamePath()), "");
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->resize(1000, 700);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
    std::string GamePath() const { return dir.filePath("g.game.json").toStdString(); }
    Game OnDisk() const {
        Game game;
        std::string error;
        EXPECT_TRUE(ReadGameFile(GamePath(), game, error)) << error;
        return game;
    }

    CBrinnowDoc doc = GameCampaign();
    QTemporaryDir dir;
    std::vector<std::string> messages;
};

}  // namespace

// Every place of a card takes the click at its middle, small, at the
// default zoom and large; run again at desktop scale 2.
TEST_F(Table, EachPlaceTakesTheClickOverItAtEveryZoom) {
    auto window = Open();
    for (const double zoom : {1.5, TableView::kDefaultZoom, 8.0}) {
        window->View().SetZoom(zoom);
        for (const int card : {0, 6}) {
            for (std::size_t i = 0; i < kCardPlaceCount; ++i) {
                const CardMarks before = MarksOfCard(*window, card);
                ClickPlace(*window, card, CardMark(i));
                CardMarks expected = before;
                expected.Toggle(CardMark(i));
                ASSERT_EQ(MarksOfCard(*window, card), expected)
                    << "zoom " << zoom << " card " << card << " place " << i;
            }
        }
    }
    EXPECT_TRUE(OnDisk() == window->GetGame());
}

TEST_F(Table, TheDefaultZoomShowsEveryBoxAtLeastSixMillimetres) {
    auto window = Open();
    TableView& view = window->View();
    const double pixelsPerMm = view.logicalDpiX() / 25.4 * view.viewport()->devicePixelRatioF();
    const CardGeometry card(view.DevicePixelsPerMm(), 0, 0);
    EXPECT_GE(card.SmallBoxWidth() / pixelsPerMm, 6.0);
    EXPECT_GE((card.SmallBoxBottom() - card.SmallBoxTop()) / pixelsPerMm, 6.0);
}

// Arrows move the focus between places and cards, Space and S mark, the
// turn goes on with Ctrl+T, and every step is in the log.
TEST_F(Table, TheKeyboardMarksWhatTheFocusShows) {
    auto window = Open();
    TableView& view = window->View();
    view.setFocus();
    for (int i = 0; i < 3; ++i) QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Space);
    EXPECT_TRUE(MarksOfCard(*window, 0).Has(CardMark::Rudder));
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Down);  // the card below Alpha
    EXPECT_EQ(view.FocusPlace(), CardMark::Bridge);
    EXPECT_NE(view.FocusCard(), 0);
    const int below = view.FocusCard();
    QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_S);
    EXPECT_TRUE(MarksOfCard(*window, below).Has(CardMark::Sunk));
    QTest::keyClick(&view, Qt::Key_End);
    QTest::keyClick(&view, Qt::Key_Right);  // no further than the last place
    EXPECT_EQ(view.FocusCard(), 7);
    QTest::keyClick(&view, Qt::Key_Home);
    for (int i = 0; i < 5; ++i) QTest::keyClick(&view, Qt::Key_Left);  // no further than the first
    EXPECT_EQ(view.FocusCard(), 0);
    EXPECT_EQ(view.FocusPlace(), CardMark::FireControl);
    EXPECT_EQ(window->GetGame().Turn(), 2);
    EXPECT_TRUE(window->windowTitle().contains("Turn 2"));
    ASSERT_EQ(window->LogList().count(), 2);
    EXPECT_EQ(window->LogList().item(0)->text(), "Turn 1 \u2014 ALPHA: rudder");
    EXPECT_TRUE(window->LogList().item(1)->text().endsWith(": sunk"));
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(HelpWindow::Instance()->source().fragment(), "context-140");
    HelpWindow::Instance()->close();
}

// Undo gives back the exact game before, on screen and in the file; redo
// the one after.
TEST_F(Table, UndoAndRedoRestoreTheExactGame) {
    auto window = Open();
    ClickPlace(*window, 2, CardMark::AF3);
    const Game before = window->GetGame();
    ClickPlace(*window, 2, CardMark::Box1);
    window->NextTurn();
    ClickPlace(*window, 2, CardMark::AF3);
    const Game after = window->GetGame();
    for (int i = 0; i < 3; ++i) QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(window->GetGame() == before);
    EXPECT_TRUE(OnDisk() == before);
    EXPECT_EQ(window->LogList().count(), 1);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(window->GetGame() == after);
    EXPECT_TRUE(OnDisk() == after);
    EXPECT_FALSE(window->Action("redo")->isEnabled());
}

TEST_F(Table, ANewGameStartsAfreshOnlyWhenTheAnswerIsYes) {
    auto window = Open();
    ClickPlace(*window, 1, CardMark::AA);
    SetMessageBoxHook([](const std::string&, unsigned) { return IDNO; });
    window->NewGame();
    EXPECT_EQ(window->GetGame().Ships().size(), 1u);
    SetMessageBoxHook([](const std::string&, unsigned) { return IDYES; });
    window->NewGame();
    EXPECT_TRUE(window->GetGame().Ships().empty());
    EXPECT_EQ(window->LogList().count(), 0);
    EXPECT_TRUE(OnDisk() == window->GetGame());
}

// Night colours turn the cards light on dark on screen; printing stays
// black on white and carries the marks.
TEST_F(Table, NightColoursOnScreenAndMarksInPrint) {
    auto window = Open();
    ClickPlace(*window, 0, CardMark::FireControl);
    const QPoint inside =
        window->View().DeviceToViewport(window->View().CardOrigin(0) + QPoint(2, 2));
    const auto pixel = [&] {
        return window->View().viewport()->grab().toImage().pixelColor(inside);
    };
    EXPECT_GT(pixel().lightness(), 200);
    window->Action("nightColours")->trigger();
    EXPECT_LT(pixel().lightness(), 60);

    PrinterJob printed;
    SetPrintHook([&](const std::string&, const PrinterJob& job, bool) { printed = job; });
    window->Print();
    SetPrintHook({});
    ASSERT_TRUE(printed);
    RecordingDC fromWindow, expected;
    printed(fromWindow);
    const ScenarioSnapshot& shown = window->Snapshot();
    RunScenarioPrintJob(expected, shown.scenario, shown.ships, shown.armaments, &window->GetGame());
    EXPECT_EQ(fromWindow.log, expected.log);
}

// Play Scenario starts the game beside the campaign, and continues it the
// next time; a scenario changed since lists the ships it lost.
TEST_F(Table, PlayingAScenarioAgainContinuesItsGame) {
    const std::string campaign = dir.filePath("war.brn").toStdString();
    TableWindow* first = PlayScenario(nullptr, doc, campaign, doc.m_scenarios[0]);
    ASSERT_NE(first, nullptr);
    const QString gamePath = GamePathFor(campaign, "Skirmish");
    EXPECT_EQ(QFileInfo(gamePath).fileName(), "war - Skirmish.game.json");
    first->ToggleMark(2, CardMark::Speed2);  // Charlie
    EXPECT_EQ(PlayScenario(nullptr, doc, campaign, doc.m_scenarios[0]), first);
    delete first;
    doc.m_scenarios[0].m_forces[0].m_squadrons[0].m_shipNames = {"Bravo"};
    std::unique_ptr<TableWindow> again(PlayScenario(nullptr, doc, campaign, doc.m_scenarios[0]));
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Charlie (member 2 of squadron 1)"), std::string::npos);
    EXPECT_EQ(again->GetGame().Ships().size(), 1u);
    again->ToggleMark(1, CardMark::AA);
    Game stored;
    std::string error;
    ASSERT_TRUE(ReadGameFile(gamePath.toStdString(), stored, error));
    EXPECT_EQ(stored.Ships().size(), 2u);
}

TEST_F(Table, AGameOfAnotherCampaignIsRefused) {
    Game game;
    game.scenario = "Trafalgar";
    std::string error;
    ASSERT_TRUE(WriteGameFile(game, GamePath(), error));
    EXPECT_EQ(OpenGame(nullptr, doc, "", QString::fromStdString(GamePath())), nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Trafalgar"), std::string::npos);
}

// The child marks a place and says so; the parent kills it at once. The mark
// is in the file.
TEST_F(Table, KillingTheProgramRightAfterAMarkLosesNothing) {
    if (qEnvironmentVariableIsSet("BRINNOW_MARK_AND_WAIT")) {
        auto window = Open();
        ClickPlace(*window, 5, CardMark::Box18);
        std::cout << "marked" << std::endl;
        QTest::qWait(60000);
        return;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("BRINNOW_MARK_AND_WAIT", "1");
    env.insert("TMPDIR", dir.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=Table.KillingTheProgramRightAfterAMarkLosesNothing"});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray out;
    while (!out.contains("marked") && child.waitForReadyRead(30000))
        out += child.readAllStandardOutput();
    ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished();
    ASSERT_TRUE(out.contains("marked"));
    // The child's temporary folder lies inside ours.
    QStringList found;
    for (QDirIterator it(dir.path(), {"*.game.json"}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        found << it.next();
    }
    ASSERT_EQ(found.size(), 1);
    Game game;
    std::string error;
    ASSERT_TRUE(ReadGameFile(found[0].toStdString(), game, error)) << error;
    const RosterShip& ship = ScenarioRoster(doc.m_scenarios[0])[5];
    ASSERT_NE(game.MarksOf(ship.place, ship.name), nullptr);
    EXPECT_TRUE(game.MarksOf(ship.place, ship.name)->Has(CardMark::Box18));
}
