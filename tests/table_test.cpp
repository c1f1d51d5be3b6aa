// The game table window: marks by mouse and keyboard, undo, print, where it
// opens, Night Colours, finding a ship, and the game file it alone writes.
// The placement tests run again on a 1366 x 768 screen beside a 1024 x 576
// one, and the hit tests at desktop scale 2.
#include <gtest/gtest.h>

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "desktop/filedialogs.h"
#include "desktop/findbar.h"
#include "desktop/helpwindow.h"
#include "desktop/nightcolours.h"
#include "desktop/printcommand.h"
#include "game/gamefile.h"
#include "platform/documentlock.h"
#include "platform/filestore.h"
#include "platform/processidentity.h"
#include "platform/qpainterdc.h"
#include "platform/qtstrings.h"
#include "print/cardgeometry.h"
#include "print/printframework.h"
#include "print/scenarioprintjob.h"
#include "table/gameopener.h"
#include "table/tablelayout.h"
#include "table/tableview.h"
#include "table/tablewindow.h"
#include "tests/game/gamefixture.h"
#include "tests/support/lockracers.h"
#include "tests/support/recordingdc.h"
#include "tests/support/sampleship.h"
#include "tests/support/scriptedanswers.h"

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

}  // namespace

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

// The table draws a card as the main window's screen does: a figure that
// would run over its box's rule shrinks to stay inside it.
TEST_F(Table, CardsKeepTheirFiguresInTheirBoxes) {
    VxShip& alpha = doc.m_ships.Modify(0);
    alpha = ShipWithWideFigures();
    alpha.m_strName = "Alpha";
    const auto window = Open();
    TableView& view = window->View();
    const double p = view.DevicePixelsPerMm();
    view.ScrollToCard(0);
    // A card is 44 by 23.5 mm, and a pixel more for its last rules.
    const QRect cell(view.DeviceToViewport(view.CardOrigin(0)),
                     QSize(Mm(p, 44) + 1, Mm(p, 23.5) + 1));
    const auto drawn = [&](bool keepFiguresInBoxes) {
        QImage card(cell.size(), QImage::Format_RGB32);
        card.fill(Qt::white);
        QPainter painter(&card);
        painter.setRenderHint(QPainter::TextAntialiasing);
        QPainterDC dc(painter);
        dc.SetKeepFiguresInBoxes(keepFiguresInBoxes);
        window->Snapshot().cards[0].DrawCard(dc, p, 0, 0, window->Snapshot().armaments, 0, 0);
        return card;
    };
    // What of the card the window shows; the log's dock covers the rest.
    const QRect shown = cell & view.viewport()->rect();
    const QImage kept = drawn(true).copy(shown.translated(-cell.topLeft()));
    ASSERT_NE(kept, drawn(false).copy(shown.translated(-cell.topLeft())))
        << "this ship's figures fit as printed";

    view.SetFocusPlace(1, CardMark::Box1);  // the focus frame on another card
    const QImage table = view.viewport()->grab().toImage();
    EXPECT_EQ(table.copy(shown).convertToFormat(QImage::Format_RGB32), kept);
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



// The first time, the window lies on the screen, and on a screen of 768
// pixels or more the focused card's small boxes too; its size, place and
// zoom are kept for that screen, and another screen keeps its own.
TEST_F(TablePlacement, OpensWithinTheScreenAndKeepsSizePlaceAndZoomForEachScreen) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* screen : screens) {
        QWidget main;
        main.setGeometry(QRect(screen->availableGeometry().topLeft() + QPoint(10, 10), QSize(300, 200)));
        main.show();
        auto window = Open(&main, {});
        EXPECT_TRUE(OnScreen(*window, *screen))
            << screen->name().toStdString() << ": " << window->frameGeometry().width() << " x "
            << window->frameGeometry().height();
        TableView& view = window->View();
        const QPoint lastBox = view.DeviceToViewport(
            view.CardOrigin(view.FocusCard()) +
            QPoint(0, int(23 * view.DevicePixelsPerMm())));
        if (screen->size().height() < 768) continue;
        EXPECT_TRUE(view.viewport()->rect().contains(QPoint(5, lastBox.y())))
            << "the focused card's last row of boxes at " << lastBox.y();
    }

    QWidget main;
    QScreen* first = screens.first();
    main.setGeometry(QRect(first->availableGeometry().topLeft(), QSize(300, 200)));
    main.show();
    QRect left;
    {
        auto window = Open(&main, {});
        window->setGeometry(QRect(first->availableGeometry().topLeft() + QPoint(40, 30), QSize(640, 420)));
        window->Action("zoomOut")->trigger();
        left = window->geometry();
        window->close();
    }
    auto again = Open(&main, {});
    EXPECT_EQ(again->geometry(), left);
    EXPECT_DOUBLE_EQ(again->View().Zoom(), TableView::kDefaultZoom / 1.25);
    again->close();
    if (screens.size() < 2) return;
    main.move(screens[1]->availableGeometry().topLeft());
    auto elsewhere = Open(&main, {});
    EXPECT_TRUE(OnScreen(*elsewhere, *screens[1]));
    EXPECT_NE(elsewhere->size(), left.size());
    EXPECT_DOUBLE_EQ(elsewhere->View().Zoom(), TableView::kDefaultZoom);
}

// Print Preview opens within the screen of the window it previews.
TEST_F(TablePlacement, PrintPreviewFitsTheScreen) {
    auto window = Open(nullptr, {});
    QRect shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!preview) return;
        poll.stop();
        shown = preview->frameGeometry();
        preview->reject();
    });
    poll.start(10);
    window->PrintPreview();
    ASSERT_TRUE(shown.isValid());
    EXPECT_TRUE(window->screen()->availableGeometry().contains(shown))
        << shown.width() << " x " << shown.height();
}

// Tab goes from the cards to the log, on through the tool bar's buttons and
// round to the cards; Shift+Tab goes back. The log shows it has the focus.
TEST_F(TableKeyboard, TabGoesRoundTheCardsTheLogAndTheToolBar) {
    auto window = Open();
    TableView& view = window->View();
    QListWidget& log = window->LogList();
    window->ToggleMark(0, CardMark::Rudder);
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), &log);
    const QColor highlight = log.palette().color(QPalette::Highlight);
    const auto edge = [&log] {
        return log.viewport()->grab().toImage().pixelColor(1, log.viewport()->height() / 2);
    };
    EXPECT_EQ(edge(), highlight);

    auto* bar = window->findChild<QToolBar*>("gameToolBar");
    QTest::keyClick(&log, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), bar->widgetForAction(window->Action("nextTurn")));
    QList<QWidget*> visited;
    while (QApplication::focusWidget() != &view && visited.size() < 20) {
        visited << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget(), &view);
    // Every button that can be pressed: Redo has nothing to redo.
    EXPECT_EQ(visited.size(), 7);
    for (QWidget* button : visited) EXPECT_EQ(button->parentWidget(), bar);
    QTest::keyClick(&view, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), bar->widgetForAction(window->Action("newGame")));
    EXPECT_NE(edge(), highlight);
}

// Ctrl+F opens the find bar; typing part of a name puts the focus on the
// first ship that holds it, Enter on the next, and Escape gives the keys
// back to that card.
TEST_F(TableKeyboard, FindShipJumpsToTheCardByPartOfItsName) {
    auto window = Open();
    TableView& view = window->View();
    view.SetZoom(8);
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
    auto* field = window->FindShipBar().findChild<QLineEdit*>("findText");
    ASSERT_TRUE(window->FindShipBar().isVisible());
    ASSERT_EQ(QApplication::focusWidget(), field);
    QTest::keyClicks(field, "OLF");
    const auto named = [&] { return window->Snapshot().roster[std::size_t(view.FocusCard())].name; };
    EXPECT_EQ(named(), "Golf");
    EXPECT_TRUE(view.viewport()->rect().contains(view.DeviceToViewport(view.CardOrigin(view.FocusCard()))));
    QTest::keyClicks(field, "x");
    EXPECT_EQ(named(), "Golf") << "no match leaves the focus where it was";
    EXPECT_FALSE(field->styleSheet().isEmpty());

    field->clear();
    QTest::keyClicks(field, "alph");
    EXPECT_EQ(view.FocusCard(), 0);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(named(), "Alpha");
    EXPECT_NE(view.FocusCard(), 0) << "the second Alpha, of the other force";
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(window->FindShipBar().isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &view);
    const int found = view.FocusCard();
    QTest::keyClick(&view, Qt::Key_S);
    EXPECT_TRUE(MarksOfCard(*window, found).Has(CardMark::Sunk));
}

// The share of light pixels of the table outside its cards: the headings'
// and labels' letters at most, at night; nearly all of it by day.
double LightOutsideTheCards(const TableView& view) {
    const QImage table = view.viewport()->grab().toImage();
    const double dpr = table.devicePixelRatio();
    const QSize card(int(view.DevicePixelsPerMm() * 44 / dpr) + 3,
                     int(view.DevicePixelsPerMm() * 23.5 / dpr) + 3);
    QRegion cards;
    for (int i = 0;; ++i) {
        const QRect shown(view.DeviceToViewport(view.CardOrigin(i)) - QPoint(1, 1), card);
        if (!shown.intersects(view.viewport()->rect())) break;
        cards += shown;
    }
    int outside = 0, light = 0;
    for (int y = 0; y < view.viewport()->height(); ++y) {
        for (int x = 0; x < view.viewport()->width(); ++x) {
            if (cards.contains(QPoint(x, y))) continue;
            ++outside;
            light += table.pixelColor(QPoint(x, y) * dpr).lightness() > 128;
        }
    }
    return double(light) / std::max(outside, 1);
}

// Between and around the cards the table is as dark as its cards, whether
// the window opens at night or turns to it. Night Colours darkens the whole
// window, every other table window and the main window, and is kept for the
// next time.
TEST_F(TableNight, TheTableIsDarkBetweenAndAroundTheCardsAndSoIsEveryWindow) {
    doc.m_scenarios.Modify(0).m_forces[0].m_ships.push_back(doc.m_ships[6]);
    QMainWindow main;
    main.menuBar()->addMenu("&File");
    main.show();
    auto window = Open(&main);
    window->View().SetZoom(1);
    QApplication::processEvents();
    ASSERT_GT(window->View().CardOrigin(1).x(), window->View().CardOrigin(0).x())
        << "two cards side by side";
    const auto dark = [](const QWidget& widget) {
        return widget.palette().color(widget.backgroundRole()).lightness() < 80;
    };
    QMenu* viewMenu = nullptr;
    for (QAction* menu : window->menuBar()->actions()) {
        if (menu->text() == "&View") viewMenu = menu->menu();
    }
    ASSERT_NE(viewMenu, nullptr);
    EXPECT_FALSE(dark(*window->menuBar()));
    EXPECT_GT(LightOutsideTheCards(window->View()), 0.8);
    window->Action("nightColours")->trigger();
    QApplication::processEvents();  // the windows take the colours from their events
    EXPECT_LT(LightOutsideTheCards(window->View()), 0.1);
    const QList<QWidget*> parts = {window->menuBar(), viewMenu, &window->LogList(),
                                   window->findChild<QToolBar*>("gameToolBar"),
                                   window->statusBar(), main.menuBar(), &main};
    for (const QWidget* part : parts) {
        EXPECT_TRUE(dark(*part)) << part->metaObject()->className();
    }
    EXPECT_LT(window->LogList().grab().toImage().pixelColor(5, 5).lightness(), 80);

    auto again = Open(&main);
    again->View().SetZoom(1);
    QApplication::processEvents();
    EXPECT_LT(LightOutsideTheCards(again->View()), 0.1);
    EXPECT_TRUE(again->Action("nightColours")->isChecked());
    // The next run starts dark.
    NightColours::Instance().Set(false);
    QApplication::processEvents();
    EXPECT_FALSE(window->Action("nightColours")->isChecked());
    EXPECT_FALSE(dark(*window->menuBar()));
    QSettings().setValue("Settings/NightColours", true);
    NightColours::Instance().ApplyKept();
    QApplication::processEvents();
    EXPECT_TRUE(dark(main));
    EXPECT_TRUE(window->Action("nightColours")->isChecked());
}

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
    EXPECT_FALSE(window->Action("redo")->isEnabled());
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
