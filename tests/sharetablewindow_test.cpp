// The table window shared with the players' phones, as its host meets it:
// Game > Share Table, the seats' links and codes, marks from a real
// WebSocket client arriving in the window and the window's Undo reaching
// the client, Stop Sharing, and the join cards printed to a PDF file.
#include "table/joincardspage.h"
#include "table/sharetablewindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <sstream>

#include "desktop/nightcolours.h"
#include "desktop/printcommand.h"
#include "desktop/printoutput.h"
#include "platform/progress.h"
#include "platform/qpainterdc.h"
#include "platform/qtstrings.h"
#include "share/sharegate.h"
#include "share/sharehost.h"
#include "table/seatpanel.h"
#include "table/tableview.h"
#include "table/tablewindow.h"
#include "tests/game/gamefixture.h"
#include "tests/share/sharedevice.h"
#include "tests/support/recordingdc.h"
#include "tests/support/scriptedanswers.h"

namespace {

// A text as the page placed it: its anchor and its height.
struct Placed {
    int x = 0, y = 0, height = 0;
};

Placed PlacedText(const RecordingDC& page, const std::string& text) {
    const std::string entry = page.TextEntry(text);
    Placed placed;
    std::istringstream in(entry.substr(entry.find(' ')));
    std::string height;
    in >> placed.x >> placed.y >> height >> height;
    placed.height = std::stoi(height.substr(2));
    return placed;
}

std::vector<JoinCard> Seats(int count) {
    std::vector<JoinCard> cards;
    for (int seat = 1; seat <= count; ++seat) {
        cards.push_back({QString("Force %1").arg(seat),
                         QUrl(QString("http://192.168.1.20:8080/seat/%1a7Kq9").arg(seat))});
    }
    return cards;
}

class ShareTable : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings().clear();
        window = std::make_unique<TableWindow>(
            ScenarioSnapshot::Of(doc, doc.m_scenarios[0]),
            GameSession({}, dir.filePath("g.game.json").toStdString()), "", nullptr);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        SetPrintHook({});
        NightColours::Instance().Set(false);
    }

    // Game > Share Table; then this computer's own address, the last
    // choice, from the keyboard.
    void Share() {
        window->Action("shareTable")->trigger();
        share = window->ShareWindow();
        ASSERT_NE(share, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(share));
        auto* address = share->findChild<QComboBox*>("address");
        address->setFocus();
        QTest::keyClick(address, Qt::Key_End);
    }
    // The first two greetings taken.
    static std::unique_ptr<ShareDevice> Join(const QUrl& link) {
        auto device = std::make_unique<ShareDevice>(link);
        EXPECT_TRUE(device->WaitForMessages(2));
        return device;
    }
    static QByteArray Status(const QUrl& link) {
        QTcpSocket socket;
        socket.connectToHost(link.host(), quint16(link.port()));
        if (!socket.waitForConnected(ShareDevice::kWaitMs)) return "not connected";
        socket.write("GET " + link.path().toLatin1() + " HTTP/1.1\r\nHost: x\r\n\r\n");
        QByteArray all;
        [[maybe_unused]] const bool ended = QTest::qWaitFor(
            [&] {
                all += socket.readAll();
                return all.contains("\r\n\r\n") ||
                       socket.state() == QAbstractSocket::UnconnectedState;
            },
            ShareDevice::kWaitMs);
        return all.left(12);
    }

    CBrinnowDoc doc = GameCampaign();
    QTemporaryDir dir;
    ScriptedAnswers scripted;
    std::unique_ptr<TableWindow> window;
    ShareTableWindow* share = nullptr;
};

}  // namespace

// A seat for each force and the umpire's, each with a link of its own under
// a new token, a code to scan and Copy Link; the default port, when taken,
// is said.
TEST_F(ShareTable, ListsTheSeatsWithTheirLinksAndCopiesALink) {
    QTcpServer squatter;  // holds the default port on every address, if it is free
    squatter.listen(QHostAddress::Any, ShareHost::kDefaultPort);
    ASSERT_NO_FATAL_FAILURE(Share());
    const std::vector<SeatPanel*>& panels = share->Panels();
    ASSERT_EQ(panels.size(), 3u);
    EXPECT_EQ(panels[0]->title(), "Umpire");  // the forces' titles are the seats'
    QSet<QString> tokens;
    for (const SeatPanel* panel : panels) {
        const QUrl link = panel->Link();
        EXPECT_EQ(link.host(), "127.0.0.1");
        EXPECT_NE(link.port(), ShareHost::kDefaultPort);
        EXPECT_EQ(panel->findChild<QLineEdit*>("link")->text(), link.toString());
        EXPECT_FALSE(panel->findChild<QLabel*>("code")->pixmap().isNull());
        tokens << link.path();
    }
    EXPECT_EQ(tokens.size(), 3);
    EXPECT_TRUE(share->findChild<QLabel*>("portNote")->text().contains("8765 was taken"));
    EXPECT_TRUE(share->findChild<QLabel*>("reach")->text().contains("same network"));

    QApplication::clipboard()->clear();
    QTest::mouseClick(panels[1]->findChild<QPushButton*>("copyLink"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), panels[1]->Link().toString());

    // Under Night Colours the window is dark and the codes dark on white.
    window->Action("nightColours")->trigger();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return panels[0]->palette().color(QPalette::Window).lightness() < 100; }, 2000));
    const QImage code = panels[0]->findChild<QLabel*>("code")->pixmap().toImage();
    EXPECT_EQ(code.pixelColor(0, 0), QColor(Qt::white));
    int dark = 0;
    for (int y = 0; y < code.height(); ++y) {
        for (int x = 0; x < code.width(); ++x) {
            const QColor pixel = code.pixelColor(x, y);
            ASSERT_TRUE(pixel == Qt::white || pixel == Qt::black) << x << "," << y;
            dark += pixel == Qt::black ? 1 : 0;
        }
    }
    EXPECT_GT(dark, code.width() * code.height() / 4);

    // Within a 1366 x 768 screen's room, where Tab brings every seat's Copy
    // Link into sight, whole.
    EXPECT_LE(share->frameGeometry().width(), 1366);
    EXPECT_LE(share->frameGeometry().height(), 768);
    share->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(share));
    panels[0]->findChild<QLineEdit*>("link")->setFocus();
    for (const SeatPanel* panel : panels) {
        auto* copy = panel->findChild<QPushButton*>("copyLink");
        for (int tabs = 0; tabs < 4 && QApplication::focusWidget() != copy; ++tabs)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), copy) << panel->title().toStdString();
        EXPECT_EQ(copy->visibleRegion().boundingRect(), copy->rect())
            << panel->title().toStdString();
    }
}

// A phone's mark is in the window's game, on its card and in its log with
// the seat; the window's marks and its Undo and Redo of either reach the
// phone.
TEST_F(ShareTable, MarksGoBothWaysAndUndoTakesBackAPhonesMark) {
    ASSERT_NO_FATAL_FAILURE(Share());
    auto phone = Join(share->Panels()[1]->Link());
    phone->Send(R"({"device": {"name": "Anna's\u0007phone"}})");
    ASSERT_TRUE(QTest::qWaitFor([&] { return share->Panels()[1]->DevicesText().contains("Anna"); },
                                ShareDevice::kWaitMs));
    // What the device sent is shown, its control characters escaped.
    EXPECT_EQ(share->Panels()[1]->DevicesText(), "1 device connected: Anna's\\u0007phone");
    EXPECT_EQ(share->Panels()[2]->DevicesText(), "No device connected.");
    // The umpire's too, nameless until it names itself.
    auto umpire = Join(share->Panels()[0]->Link());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return share->Panels()[0]->DevicesText() == "1 device connected: (no name)"; },
        ShareDevice::kWaitMs))
        << share->Panels()[0]->DevicesText().toStdString();

    // Bravo's card (44 x 22 mm) and its small boxes below as the screen
    // shows them, inside the focus frame's reach.
    const auto table = [&] {
        TableView& view = window->View();
        const double ppm = view.DevicePixelsPerMm();
        const QRect card(view.DeviceToViewport(view.CardOrigin(1)),
                         QSize(int(44 * ppm), int(25 * ppm)));
        return view.viewport()->grab(card.adjusted(8, 8, -8, 0)).toImage();
    };
    window->View().ScrollToCard(1);
    const QImage unmarked = table();
    phone->Send(R"({"mark": {"force": 1, "ship": "Bravo", "places": ["box7"]}})");
    ASSERT_TRUE(phone->WaitForMessages(3));
    EXPECT_NE(table(), unmarked);  // Bravo's card drawn again with it
    const Game& game = window->GetGame();
    const RosterShip& bravo = window->Snapshot().roster[1];
    ASSERT_NE(game.MarksOf(bravo.place, bravo.name), nullptr);
    ASSERT_EQ(window->LogList().count(), 1);
    EXPECT_EQ(window->LogList().item(0)->text(),
              QStringLiteral("Turn 1 — BRAVO: small box 7 (Force 1)"));
    EXPECT_TRUE(window->Action("undo")->isEnabled());

    // Space on the first card strikes its fire control: the phone hears it.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->View().setFocus();
    QTest::keyClick(&window->View(), Qt::Key_Space);
    ASSERT_TRUE(phone->WaitForMessages(4));
    const QJsonObject alpha =
        phone->Message(3).value("changed").toObject().value("ships").toArray()[0].toObject();
    EXPECT_EQ(alpha.value("name"), "Alpha");
    EXPECT_EQ(alpha.value("marks").toArray(), QJsonArray({"fire-control"}));

    // Undo twice: the window's mark, then the phone's, whose last mark goes.
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_TRUE(phone->WaitForMessages(6));
    const QJsonArray ships = phone->Message(5).value("changed").toObject().value("ships").toArray();
    ASSERT_EQ(ships.size(), 1);
    EXPECT_EQ(ships[0].toObject().value("name"), "Bravo");
    EXPECT_EQ(ships[0].toObject().value("marks").toArray(), QJsonArray());
    EXPECT_EQ(window->LogList().count(), 0);
    EXPECT_EQ(game.MarksOf(bravo.place, bravo.name), nullptr);
    window->View().ScrollToCard(1);
    EXPECT_EQ(table(), unmarked);

    // Redo gives it back, still the seat's.
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(phone->WaitForMessages(7));
    EXPECT_EQ(phone->Message(6), phone->Message(2));
    ASSERT_EQ(window->LogList().count(), 1);
    EXPECT_TRUE(window->LogList().item(0)->text().endsWith("(Force 1)"));
}

// A device turned away by the limit of connections is said in the window;
// another address makes new links, on which the window's seats are listed.
TEST_F(ShareTable, SaysWhenTheLimitTurnedADeviceAway) {
    ASSERT_NO_FATAL_FAILURE(Share());
    auto* refusal = share->findChild<QLabel*>("refusal");
    EXPECT_TRUE(refusal->isHidden());
    const QUrl link = share->Panels()[1]->Link();
    std::vector<std::unique_ptr<QTcpSocket>> idle;
    for (int i = 0; i <= ShareGate::kMostConnections; ++i) {
        idle.push_back(std::make_unique<QTcpSocket>());
        idle.back()->connectToHost(link.host(), quint16(link.port()));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !refusal->isHidden(); }, ShareDevice::kWaitMs));
    EXPECT_TRUE(refusal->text().contains("64 devices are connected"))
        << refusal->text().toStdString();
    EXPECT_EQ(Status(link), "HTTP/1.1 503");
    idle.clear();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window->Host()->Connections() < ShareGate::kMostConnections; },
        ShareDevice::kWaitMs));
    EXPECT_EQ(Status(link), "HTTP/1.1 200");

    // Sharing on another address hides the old word and shows the new links.
    auto* address = share->findChild<QComboBox*>("address");
    QTest::keyClick(address, Qt::Key_Home);
    EXPECT_TRUE(refusal->isHidden());
    EXPECT_EQ(share->Panels()[1]->Link().host(), address->currentData().toString());
    EXPECT_NE(share->Panels()[1]->Link(), link);
}

// Closing the Share Table window keeps the share; Stop Sharing ends every
// connection at once; an old link is refused even where a new share
// listens; closing the table window ends the share too.
TEST_F(ShareTable, StopSharingAndClosingTheWindowEndEveryConnection) {
    ASSERT_NO_FATAL_FAILURE(Share());
    const QUrl oldLink = share->Panels()[2]->Link();
    auto umpire = Join(share->Panels()[0]->Link());
    auto away = Join(oldLink);
    EXPECT_EQ(Status(oldLink), "HTTP/1.1 200");

    // Close leaves the game shared: the phones stay on, and Share Table
    // shows the same links again.
    QPushButton* close = share->findChild<QPushButton*>("close");
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->ShareWindow() == nullptr; }, 2000));
    EXPECT_TRUE(window->Host()->IsSharing());
    ASSERT_NO_FATAL_FAILURE(Share());
    EXPECT_EQ(share->Panels()[2]->Link(), oldLink);
    EXPECT_FALSE(away->Closed());

    // Stop Sharing stands in the row of buttons, just left of Close.
    QPushButton* stop = share->findChild<QPushButton*>("stopSharing");
    EXPECT_EQ(stop->y(), share->findChild<QPushButton*>("close")->y());
    EXPECT_LT(stop->geometry().right(), share->findChild<QPushButton*>("close")->x());
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_TRUE(umpire->WaitForClose());
    EXPECT_TRUE(away->WaitForClose());
    EXPECT_FALSE(window->Host()->IsSharing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->ShareWindow() == nullptr; }, 2000));

    ASSERT_NO_FATAL_FAILURE(Share());
    const QUrl newLink = share->Panels()[2]->Link();
    EXPECT_NE(newLink.path(), oldLink.path());
    QUrl stale = newLink;
    stale.setPath(oldLink.path());
    EXPECT_EQ(Status(stale), "HTTP/1.1 404");
    auto again = Join(newLink);

    window->close();
    EXPECT_TRUE(again->WaitForClose());
    EXPECT_FALSE(window->Host()->IsSharing());
    // Nothing listens there now, unless a test beside this one took the
    // freed port, and that host knows no such token.
    const QByteArray closed = Status(newLink);
    EXPECT_TRUE(closed == "not connected" || closed == "HTTP/1.1 404") << closed.constData();
}

// One page: each seat's title, its code and its link, black on white,
// printed to a PDF file as every print is.
TEST_F(ShareTable, PrintsTheJoinCardsOnOnePage) {
    ASSERT_NO_FATAL_FAILURE(Share());
    PrinterJob printed;
    SetPrintHook([&](const std::string&, const PrinterJob& job, bool) { printed = job; });
    QTest::mouseClick(share->findChild<QPushButton*>("printJoinCards"), Qt::LeftButton);
    ASSERT_TRUE(printed);

    RecordingDC recording;
    printed(recording, Unwatched());
    EXPECT_EQ(recording.Find("StartPage").size(), 1u);
    EXPECT_GT(recording.Find("Rectangle").size(), 3 * 21u);  // modules of three codes at least
    const QRect paper(0, 0, recording.GetDeviceCaps(HORZRES), recording.GetDeviceCaps(VERTRES));
    const auto title = [&](const SeatPanel* panel) {
        return PlacedText(recording, FromQt(panel->title()));
    };
    // Two cards to a row, the rows sharing the page: the third seat's card
    // starts on the lower half.
    EXPECT_GT(title(share->Panels()[2]).y, paper.height() / 2);
    EXPECT_LT(title(share->Panels()[2]).x, paper.width() / 2);
    // Each seat's title stands out over its link.
    for (const SeatPanel* panel : share->Panels()) {
        const int link = PlacedText(recording, panel->Link().toString().toStdString()).height;
        EXPECT_GT(link, 0);
        EXPECT_GT(title(panel).height, link) << panel->title().toStdString();
    }
    // Each code stands centred under its title, on the page and clear of the
    // others; the two cards of a row stand evenly across the page.
    std::vector<QRect> codes;
    for (const SeatPanel* panel : share->Panels()) {
        auto entry = std::find(recording.log.begin(), recording.log.end(),
                               recording.TextEntry(FromQt(panel->title())));
        QRect code;
        while (++entry != recording.log.end() && entry->starts_with("Rectangle ")) {
            std::istringstream corners(entry->substr(10));
            int left = 0, top = 0, right = 0, bottom = 0;
            corners >> left >> top >> right >> bottom;
            code |= QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
        }
        EXPECT_NEAR(code.center().x(), title(panel).x, 2) << panel->title().toStdString();
        EXPECT_TRUE(paper.contains(code)) << panel->title().toStdString();
        for (const QRect& other : codes) EXPECT_FALSE(code.intersects(other));
        codes.push_back(code);
    }
    EXPECT_NEAR(title(share->Panels()[0]).x + title(share->Panels()[1]).x, paper.width(), 2);

    // Black on white alone, as any printer prints it: every pixel a grey.
    QImage sheet(1240, 1754, QImage::Format_RGB32);  // A4 at 150 dpi
    sheet.setDotsPerMeterX(5906);
    sheet.setDotsPerMeterY(5906);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        QPainterDC dc(painter);
        printed(dc, Unwatched());
    }
    int inked = 0;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            const QColor pixel = sheet.pixelColor(x, y);
            ASSERT_TRUE(pixel.red() == pixel.green() && pixel.green() == pixel.blue())
                << x << "," << y;
            inked += pixel.red() < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 3 * 21 * 21);

    const QString pdf = dir.filePath("join.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    PrintOutput output(printer);
    ASSERT_TRUE(output.IsOpen());
    printed(output.Dc(), Unwatched());
    ASSERT_TRUE(output.Finish()) << output.Error();
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(ShareDevice::kWaitMs));
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_EQ(page.count(QChar('\f')), 1) << page.toStdString();
    EXPECT_TRUE(page.contains("Join Skirmish"));
    EXPECT_TRUE(page.contains(QStringLiteral("Force 1 — Home")));
    for (const SeatPanel* panel : share->Panels())
        EXPECT_TRUE(page.contains(panel->Link().toString())) << page.toStdString();
}

// Eight seats fill four rows of the page. The codes are as large as their
// rows let them be, and the page reads evenly from the heading down: the
// first row stands no further under the heading's line than a row stands
// under the link of the one above.
TEST(JoinCardsPage, EightSeatsFillTheirRowsEvenly) {
    RecordingDC page;
    const std::vector<JoinCard> cards = Seats(8);
    DrawJoinCardsPage(page, "Skirmish", cards);

    const Placed heading = PlacedText(page, "Skirmish");
    const int margin = heading.x;
    const Placed intro = PlacedText(
        page,
        "Scan your seat's code with your phone's camera, or open its link, on the network of "
        "this room.");
    const auto title = [&](int seat) { return PlacedText(page, FromQt(cards[seat].title)); };
    const auto link = [&](int seat) {
        return PlacedText(page, cards[seat].link.toEncoded().toStdString());
    };
    // The space between the columns, from where the two codes of a row stand.
    const int width = page.GetDeviceCaps(HORZRES) - 2 * margin;
    const int gap = 2 * (title(1).x - title(0).x) - width;
    ASSERT_GT(gap, 0);

    for (int seat = 0; seat + 2 < int(cards.size()); ++seat) {
        const int cellBottom = title(seat + 2).y - gap;
        const int linkBottom = link(seat).y + link(seat).height;
        EXPECT_GE(cellBottom, linkBottom) << "seat " << seat;
        EXPECT_LT(cellBottom - linkBottom, link(seat).height) << "seat " << seat;
        EXPECT_LE(title(0).y - (intro.y + intro.height), title(seat + 2).y - linkBottom)
            << "seat " << seat;
    }
}
