// The game table window: marks by mouse and keyboard, a new game, Play
// Scenario, print, and the table's layout and zoom. The hit tests run again
// at desktop scale 2.
#include <gtest/gtest.h>

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>

#include "desktop/filedialogs.h"
#include "desktop/helpwindow.h"
#include "desktop/printcommand.h"
#include "platform/filestore.h"
#include "platform/qpainterdc.h"
#include "platform/qtstrings.h"
#include "print/printframework.h"
#include "print/scenarioprintjob.h"
#include "table/tablelayout.h"
#include "tests/support/recordingdc.h"
#include "tests/support/sampleship.h"
#include "tests/support/tablefixture.h"

// Every place of a card takes the click at its middle, small, at the
// default zoom and large; run again at desktop scale 2.
TEST_F(Table, EachPlaceTakesTheClickOverItAtEveryZoom) {
    auto window = Open();
    for (const double zoom : {1.5, TableView::kDefaultZoom, 8.0}) {
        window->View().SetZoom(zoom);
        for (const int card : {0, 6}) {
            for (std::size_t i = 0; i < kCardPlaceCount; ++i) {
                CardMarks expected = MarksOfCard(*window, card);
                expected.Toggle(CardMark(i));
                ClickPlace(*window, card, CardMark(i));
                ASSERT_EQ(MarksOfCard(*window, card), expected)
                    << "zoom " << zoom << " card " << card << " place " << i;
            }
        }
    }
    EXPECT_TRUE(OnDisk() == window->GetGame());
}

// Arrows move the focus between places and cards, Space and S mark, the
// turn goes on with Ctrl+T, and every step is in the log.
TEST_F(Table, TheKeyboardMarksWhatTheFocusShows) {
    auto window = Open();
    // The window names its scenario and turn, with the log at the right.
    EXPECT_EQ(window->windowTitle(),
              ToQt(doc.m_scenarios[0].m_strName) + " \u2014 Turn 1 \u2014 Brinnow");
    EXPECT_EQ(window->dockWidgetArea(window->findChild<QDockWidget*>("log")),
              Qt::RightDockWidgetArea);
    TableView& view = window->View();
    const auto focus = [&] { return std::pair(view.FocusCard(), view.FocusPlace()); };
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
    QTest::keyClick(&view, Qt::Key_Home);
    for (int i = 0; i < 5; ++i) QTest::keyClick(&view, Qt::Key_Left);  // no further than the first
    EXPECT_EQ(focus(), std::pair(0, CardMark::FireControl));
    EXPECT_EQ(window->GetGame().Turn(), 2);
    EXPECT_TRUE(window->windowTitle().contains("Turn 2"));
    ASSERT_EQ(window->LogList().count(), 2);
    EXPECT_EQ(window->LogList().item(0)->text(), "Turn 1 \u2014 ALPHA: rudder");
    EXPECT_TRUE(window->LogList().item(1)->text().endsWith(": sunk"));

    // Right from a card's last place goes on to the next card's first, Left
    // back; a focus moved off screen brings its card into view.
    view.SetFocusPlace(0, CardMark::Box18);
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(focus(), std::pair(1, CardMark::FireControl));
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(focus(), std::pair(0, CardMark::Box18));
    const auto shown = [&](int card) {
        const QPoint top = view.DeviceToViewport(view.CardOrigin(card));
        return top.y() >= 0 && top.y() < view.viewport()->height();
    };
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_TRUE(shown(7));
    EXPECT_GT(view.verticalScrollBar()->value(), 0);
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_TRUE(shown(0));
    view.SetFocusPlace(6, CardMark::Box18);
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_TRUE(shown(7));
    view.SetFocusPlace(7, CardMark::Box18);
    QTest::keyClick(&view, Qt::Key_Right);  // no further than the last place
    EXPECT_EQ(focus(), std::pair(7, CardMark::Box18));
    // A card below comes into view at the bottom, the cards above it kept.
    window->resize(600, 400);
    view.SetZoom(1.5);
    QTest::keyClick(&view, Qt::Key_Home);
    int under = 0;
    while (under < 7 && shown(under)) ++under;
    ASSERT_GT(under, 0);
    view.SetFocusPlace(under - 1, CardMark::Box18);
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_TRUE(shown(under));
    EXPECT_GT(view.DeviceToViewport(view.CardOrigin(under)).y(), 0);

    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(HelpWindow::Instance()->source().fragment(), "context-140");
    HelpWindow::Instance()->close();
}

// New Game starts afresh only when the answer is Yes, and writes the fresh
// game at once.
TEST_F(Table, ANewGameAsksFirstAndTheLogIsSavedAsText) {
    auto window = Open();
    ClickPlace(*window, 2, CardMark::AF3);
    const Game before = window->GetGame();
    scripted.answers = {IDNO};
    window->NewGame();
    EXPECT_TRUE(window->GetGame() == before);
    window->NewGame();
    EXPECT_TRUE(window->GetGame().Ships().empty());
    EXPECT_EQ(window->LogList().count(), 0);
    EXPECT_TRUE(OnDisk() == window->GetGame());

    // The log of the new game is written as the pane shows it; clicking the
    // pane gives it the keys, and Space there strikes nothing.
    ClickPlace(*window, 3, CardMark::Speed4);
    window->NextTurn();
    ClickPlace(*window, 0, CardMark::Bridge);
    QTest::mouseClick(window->LogList().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(window->focusWidget(), &window->LogList());
    QTest::keyClick(window->focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(MarksOfCard(*window, 0).Has(CardMark::Bridge));
    const QString path = dir.filePath("log.txt");
    SetFileChoiceHook([&](const FileChoice& choice) {
        EXPECT_EQ(choice.kind, FileChoice::Save);
        return path;
    });
    window->SaveLog();
    SetFileChoiceHook({});
    std::string text, error;
    ASSERT_TRUE(ReadWholeFile(path.toStdString(), text, error));
    EXPECT_EQ(text, "Turn 1 \u2014 DELTA: turn speed 4\nTurn 2 \u2014 ALPHA: bridge\n");
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
    printed(fromWindow, Unwatched());
    const ScenarioSnapshot& shown = window->Snapshot();
    RunScenarioPrintJob(expected, shown.scenario, shown.ships, shown.armaments, &window->GetGame());
    EXPECT_EQ(fromWindow.log, expected.log);
}

// Play Scenario starts the game beside the campaign, and continues it the
// next time; a scenario changed since lists the ships it lost; a game of
// another scenario is refused.
TEST_F(Table, PlayingAScenarioAgainContinuesItsGame) {
    TableWindow* first = Play();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(QFileInfo(QString::fromStdString(GamePath())).fileName(), "war - Skirmish.game.json");
    first->ToggleMark(2, CardMark::Speed2);  // Charlie
    EXPECT_EQ(Play(), first);
    delete first;
    doc.m_scenarios.Modify(0).m_forces[0].m_squadrons[0].m_shipNames = {"Bravo"};
    std::unique_ptr<TableWindow> again(Play());
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Charlie (member 2 of squadron 1)"), std::string::npos);
    EXPECT_EQ(again->GetGame().Ships().size(), 1u);
    again->ToggleMark(1, CardMark::AA);
    EXPECT_EQ(OnDisk().Ships().size(), 2u);

    // A game of another campaign is refused.
    Game other;
    other.scenario = "Trafalgar";
    const QString otherPath = dir.filePath("other.game.json");
    std::string error;
    ASSERT_TRUE(WriteGameFile(other, otherPath.toStdString(), error));
    EXPECT_EQ(OpenGame(nullptr, doc, "", otherPath), nullptr);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find("Trafalgar"), std::string::npos);
}

// A renamed ship's old name at the table: told once before the window
// opens, a card with nothing to mark, and Game > Print asks first. The
// flagship its squadron lists again is one card.
TEST_F(Table, ANameMatchingNoShipIsToldOnceTakesNoMarkAndPrintAsksFirst) {
    doc.m_ships.erase(doc.m_ships.begin() + 2);  // Charlie
    doc.m_scenarios.Modify(0).m_forces[0].m_squadrons[0].m_shipNames = {"Alpha", "Bravo",
                                                                        "Charlie"};
    const std::unique_ptr<TableWindow> window(
        PlayScenario(nullptr, doc, dir.filePath("c.brn").toStdString(), doc.m_scenarios[0]));
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              "1 name in Skirmish matches no ship of the campaign: Charlie. At the table its card "
              "shows the name and \"not in the campaign\", with nothing to mark.");
    // Its card is outlined in grey dashes, no ship's black rules.
    TableView& view = window->View();
    view.ScrollToCard(2);
    const QImage table = view.viewport()->grab().toImage();
    const QPoint corner = view.DeviceToViewport(view.CardOrigin(2)) * table.devicePixelRatio();
    int grey = 0, black = 0;
    for (int y = corner.y(); y < corner.y() + int(view.DevicePixelsPerMm() * 8); ++y) {
        const int lightness = table.pixelColor(corner.x(), y).lightness();
        grey += lightness > 100 && lightness < 200;
        black += lightness < 60;
    }
    EXPECT_GT(grey, 0);
    EXPECT_EQ(black, 0);
    ClickPlace(*window, 2, CardMark::FireControl);
    window->View().SetFocusPlace(2, CardMark::Box1);
    window->View().setFocus();
    QTest::keyClick(&window->View(), Qt::Key_Space);
    EXPECT_TRUE(window->GetGame().Ships().empty());
    EXPECT_TRUE(window->GetGame().Log().empty());
    ClickPlace(*window, 0, CardMark::Box1);  // the flagship, and member 1
    EXPECT_TRUE(MarksOfCard(*window, 0).Has(CardMark::Box1));

    scripted.answers = {IDNO};
    window->findChild<QAction*>("print")->trigger();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], "1 name in this scenario matches no ship: Charlie. Print anyway?");
}

// Two columns fit exactly at p = 10 in 950 pixels (margins of 20, cells of
// 470 x 260, cards of 440): headings start their groups, rows wrap at the
// left margin, and every force and group begins a row of its own.
TEST(TableLayout, HeadingsAndCardsStandInRowsOfTheColumnsThatFit) {
    const CBrinnowDoc doc = GameCampaign();
    const ScenarioSnapshot snapshot = ScenarioSnapshot::Of(doc, doc.m_scenarios[0]);
    EXPECT_EQ(TableLayout(snapshot, 10, 949).Columns(), 1);
    EXPECT_DOUBLE_EQ(TableLayout::ScaleToFill(950, 2), 10);
    const TableLayout layout(snapshot, 10, 950);
    ASSERT_EQ(layout.Columns(), 2);
    std::string headings, cells;
    for (const auto& heading : layout.Headings())
        headings += heading.text + "@" + std::to_string(heading.y) + " ";
    EXPECT_EQ(headings, "Home@20 First@70 Additional Ships@625 Away@920 Additional Ships@970 ");
    EXPECT_EQ(layout.Headings()[0].level, TableLayout::Level::Force);
    EXPECT_EQ(layout.Headings()[1].level, TableLayout::Level::Group);
    for (const auto& cell : layout.Cards())
        cells += std::to_string(cell.x) + "," + std::to_string(cell.y) + " ";
    EXPECT_EQ(cells, "20,105 490,105 20,365 490,365 20,660 490,660 20,1005 490,1005 ");
    EXPECT_EQ(layout.Height(), 1285);
    const struct {
        int x, y, card;
    } hits[] = {{20, 105, 0}, {489, 364, 0}, {490, 105, 1},  {19, 105, -1}, {20, 104, -1},
                {20, 365, 2}, {959, 700, 5}, {960, 700, -1}, {20, 625, -1}, {20, 1264, 6}};
    for (const auto& hit : hits)
        EXPECT_EQ(layout.CardAt(hit.x, hit.y), hit.card) << hit.x << "," << hit.y;
    for (const auto& [card, step, next] :
         {std::tuple{0, 1, 2}, {3, 1, 5}, {4, -1, 2}, {1, -1, 1}, {7, 1, 7}})
        EXPECT_EQ(layout.CardInNextRow(card, step), next) << card << " by " << step;
}

// The default zoom shows every box at least six millimetres; zoom keys
// change the size by steps and Fit Width fills the width with the columns
// shown; F11 fills the screen and gives it back.
TEST_F(Table, TheDefaultZoomShowsBoxesOfSixMillimetresAndZoomFitWidthAndFullScreenWork) {
    auto window = Open();
    TableView& view = window->View();
    const double pixelsPerMm = view.logicalDpiX() / 25.4 * view.viewport()->devicePixelRatioF();
    const CardGeometry card(view.DevicePixelsPerMm(), 0, 0);
    EXPECT_GE(card.SmallBoxWidth() / pixelsPerMm, 6.0);
    EXPECT_GE((card.SmallBoxBottom() - card.SmallBoxTop()) / pixelsPerMm, 6.0);
    const double start = view.Zoom();
    QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.Zoom(), start * 1.25);
    QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.Zoom(), start / 1.25);
    QTest::keyClick(window.get(), Qt::Key_0, Qt::ControlModifier);
    const int width = int(view.viewport()->width() * view.viewport()->devicePixelRatioF());
    int right = 0;
    for (int i = 0; i < 8; ++i) right = std::max(right, view.CardOrigin(i).x());
    right += CardGeometry(view.DevicePixelsPerMm(), 0, 0).OuterRight();
    EXPECT_LE(right, width);
    EXPECT_GT(right, width * 0.9);
    window->Action("fullScreen")->trigger();
    EXPECT_TRUE(window->isFullScreen());
    window->Action("fullScreen")->trigger();
    EXPECT_FALSE(window->isFullScreen());
}
