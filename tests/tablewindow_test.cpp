// The game table window: where it opens, its keyboard, Night Colours on
// every window, finding a ship, and the game file it alone writes. The
// placement tests run again on a 1366 x 768 screen beside a 1024 x 576 one.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "desktop/findbar.h"
#include "platform/documentlock.h"
#include "platform/filestore.h"
#include "platform/processidentity.h"
#include "tests/support/lockracers.h"
#include "tests/support/tablefixture.h"

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
