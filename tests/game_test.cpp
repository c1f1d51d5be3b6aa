#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <random>
#include <sstream>

#include "export/htmlexport.h"
#include "game/campaignpath.h"
#include "game/gamefile.h"
#include "game/gamelog.h"
#include "game/gamesession.h"
#include "game/marknames.h"
#include "game/scenarioroster.h"
#include "game/scenariosnapshot.h"
#include "platform/filestore.h"
#include "print/cardgeometry.h"
#include "print/scenarioprintjob.h"
#include "tests/game/gamefixture.h"
#include "tests/support/recordingdc.h"

namespace {

CardMark Mark(int i) { return CardMark(i); }

GameAction Toggle(const RosterShip& ship, CardMark mark, const CString& seat = {}) {
    return {GameAction::Kind::Toggle, ship.place, ship.name, mark, {}, seat};
}

CStringArray NamesOf(const std::vector<RosterShip>& roster) {
    CStringArray names;
    for (const RosterShip& ship : roster) names.push_back(ship.name);
    return names;
}

std::string FileBytes(const QString& path) {
    std::string bytes, error;
    ReadWholeFile(path.toStdString(), bytes, error);
    return bytes;
}

}  // namespace

// The worked card at p = 23: the places are the boxes the frame rules off.
TEST(CardGeometry, PlacesAreTheBoxesOfTheWorkedCardFoundInsideThemselvesAndNamedOnce) {
    const CardGeometry card(23, 0, 0);
    const struct {
        CardMark mark;
        CardGeometry::Quad quad;
    } cases[] = {
        {CardMark::FireControl, {{{0, 161}, {241, 161}, {241, 276}, {0, 276}}}},
        {CardMark::AA, {{{724, 161}, {966, 161}, {966, 276}, {724, 276}}}},
        {CardMark::Bridge, {{{483, 161}, {724, 161}, {724, 199}, {483, 237}}}},
        {CardMark::Rudder, {{{483, 237}, {724, 199}, {724, 276}, {483, 276}}}},
        {CardMark::AF4, {{{724, 276}, {966, 276}, {966, 391}, {724, 391}}}},
        {CardMark::Speed1, {{{0, 391}, {193, 391}, {193, 506}, {0, 506}}}},
        {CardMark::Speed5, {{{772, 391}, {966, 391}, {966, 506}, {772, 506}}}},
        {CardMark::Box1, {{{0, 506}, {34, 506}, {34, 540}, {0, 540}}}},
        {CardMark::Box18, {{{578, 506}, {612, 506}, {612, 540}, {578, 540}}}},
    };
    for (const auto& c : cases) EXPECT_EQ(card.Place(c.mark), c.quad) << MarkToken(c.mark);
    // The diagonal from (483, 237) to (724, 199) splits the bridge from the rudder.
    EXPECT_EQ(card.PlaceAt(484, 235), CardMark::Bridge);
    EXPECT_EQ(card.PlaceAt(484, 238), CardMark::Rudder);
    EXPECT_EQ(card.PlaceAt(722, 198), CardMark::Bridge);
    EXPECT_EQ(card.PlaceAt(722, 201), CardMark::Rudder);

    // Every place is found at its own corners, on any scale and origin, and
    // nothing is found off the boxes.
    for (const double p : {3.7795, 5.9, 16.06, 23.62, 32.1}) {
        for (const auto& [x, y] : {std::pair{0, 0}, {137, 2003}}) {
            const CardGeometry at(p, x, y);
            for (std::size_t i = 0; i < kCardPlaceCount; ++i) {
                const CardGeometry::Quad quad = at.Place(Mark(int(i)));
                if (Mark(int(i)) == CardMark::Bridge || Mark(int(i)) == CardMark::Rudder) continue;
                EXPECT_EQ(at.PlaceAt(quad[0].x, quad[0].y), Mark(int(i))) << p << " " << i;
                EXPECT_EQ(at.PlaceAt(quad[2].x - 1, quad[2].y - 1), Mark(int(i))) << p << " " << i;
            }
            const int right = at.OuterRight();
            for (const auto& [px, py] : {std::pair{x - 1, at.Top()},
                                         {x, at.Top() - 1},
                                         {right, at.Top()},
                                         {x + 18 * at.SmallBoxWidth(), at.SmallBoxTop()},
                                         {x, at.SmallBoxBottom()}}) {
                EXPECT_EQ(at.PlaceAt(px, py), std::nullopt) << p << " " << px << "," << py;
            }
        }
    }

    // The tokens name every mark once and nothing else.
    for (std::size_t i = 0; i < kCardMarkCount; ++i)
        EXPECT_EQ(MarkFromToken(MarkToken(Mark(int(i)))), Mark(int(i)));
    EXPECT_EQ(MarkToken(CardMark::AF4), "af4");
    EXPECT_EQ(MarkToken(CardMark::Speed1), "speed1");
    EXPECT_EQ(MarkLabel(CardMark::Speed5), "turn speed 5");
    for (const char* wrong : {"", "box0", "box19", "af0", "af5", "speed6", "Sunk", "box", "aa "})
        EXPECT_EQ(MarkFromToken(wrong), std::nullopt) << wrong;
}

TEST(Game, TheRosterInPrintOrderRevertingRestoresTheExactGameAndMarksKeptByPlaceAndName) {
    const CBrinnowDoc doc = GameCampaign();
    const auto roster = ScenarioRoster(doc.m_scenarios[0]);
    EXPECT_EQ(NamesOf(roster), (CStringArray{"Alpha", "Bravo", "Charlie", "Delta", "Echo",
                                             "Foxtrot", "Golf", "Alpha"}));
    EXPECT_TRUE(std::is_sorted(roster.begin(), roster.end(),
                               [](auto& a, auto& b) { return a.place < b.place; }));
    EXPECT_EQ(FindInForce(roster, 0, "Alpha")->place.role, ShipRole::Flagship);
    EXPECT_EQ(FindInForce(roster, 1, "Alpha")->place.role, ShipRole::Single);
    EXPECT_EQ(FindInForce(roster, 1, "Bravo"), nullptr);
    EXPECT_EQ(DescribeShip(roster[2].place, "Charlie"),
              "force 1, Charlie (member 2 of squadron 1)");
    EXPECT_EQ(DescribeShip(roster[7].place, "Alpha"), "force 2, Alpha (single ship 2)");

    // Any run of marks, turns and their undoing gives back the very game it
    // started from, log included; redoing gives the very game it reached.
    std::mt19937 random(7);
    Game game;
    game.scenario = "Skirmish";
    std::vector<GameAction> actions;
    std::vector<Game> states{game};
    for (int i = 0; i < 300; ++i) {
        GameAction action = Toggle(roster[random() % roster.size()], Mark(int(random() % 6)));
        if (random() % 10 == 0) action.kind = GameAction::Kind::NextTurn;
        game.Apply(action);
        actions.push_back(action);
        states.push_back(game);
    }
    for (std::size_t i = actions.size(); i-- > 0;) {
        game.Revert(actions[i]);
        ASSERT_TRUE(game == states[i]) << i;
    }
    for (std::size_t i = 0; i < actions.size(); ++i) game.Apply(actions[i]);
    EXPECT_TRUE(game == states.back());

    // Marks are kept by place and name and logged with their turn.
    game = Game();
    game.Apply(Toggle(roster[0], CardMark(int(CardMark::Box1) + 6)));
    game.Apply(GameAction::NextTurn());
    game.Apply(Toggle(roster[7], CardMark::Sunk));
    game.Apply(Toggle(roster[7], CardMark::Sunk));
    // The same name at another place is another ship.
    EXPECT_NE(game.MarksOf(roster[0].place, "Alpha"), nullptr);
    EXPECT_EQ(game.MarksOf(roster[7].place, "Alpha"), nullptr);
    EXPECT_EQ(game.MarksOf(roster[0].place, "Bravo"), nullptr);
    EXPECT_EQ(game.Ships().size(), 1u);
    EXPECT_EQ(LogText(game),
              "Turn 1 \u2014 ALPHA: small box 7\nTurn 2 \u2014 ALPHA: sunk\n"
              "Turn 2 \u2014 ALPHA: sunk unmarked\n");
}

class GameFile : public ::testing::Test {
  protected:
    std::string Path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    std::string Bytes(const char* name) const { return FileBytes(m_dir.filePath(name)); }
    QTemporaryDir m_dir;
};

// A squadron that lists its flagship among its members holds one ship: one
// card, one set of marks, both roles on its label; a game file that kept
// the two apart loads with their marks joined. Two ships of a force that
// share a name say which is which, on the card and in the log.
TEST(Game, AShipNamedTwiceInItsSquadronIsOneShipAndSharedNamesSayWhichOne) {
    CBrinnowDoc doc = GameCampaign();
    VxForce& home = doc.m_scenarios.Modify(0).m_forces[0];
    home.m_squadrons[0].m_shipNames = {"Bravo", "Alpha", "Charlie"};
    home.m_ships.push_back(doc.m_ships[1]);  // a second Bravo in Home
    const VxScenario& scenario = doc.m_scenarios[0];
    const ScenarioSnapshot snapshot = ScenarioSnapshot::Of(doc, scenario);
    EXPECT_EQ(NamesOf(snapshot.roster), (CStringArray{"Alpha", "Bravo", "Charlie", "Delta", "Echo",
                                                      "Foxtrot", "Bravo", "Golf", "Alpha"}));
    EXPECT_EQ(snapshot.labels[0], "flagship and member 2");
    EXPECT_EQ(snapshot.LabelledName(1), "Bravo (member 1, First)");
    EXPECT_EQ(snapshot.LabelledName(6), "Bravo (additional ship 3)");
    EXPECT_EQ(snapshot.LabelledName(2), "Charlie");
    EXPECT_EQ(snapshot.LabelledName(8), "Alpha");  // Away's own Alpha: one of its name there

    // An older file marked the member Alpha apart from the flagship.
    const std::vector<RosterShip> full = ScenarioRoster(scenario);
    std::vector<int> repeats(full.size(), -1);
    repeats[2] = 0;  // member 2 is the flagship again; the single Bravo is another ship
    EXPECT_EQ(RepeatedShips(full), repeats);
    Game game;
    game.SetMarks(full[0].place, "Alpha", CardMarks{1u << 0});
    game.SetMarks(full[2].place, "Alpha", CardMarks{(1u << 0) | (1u << 14)});
    game.JoinRepeatedShips(full);
    ASSERT_EQ(game.Ships().size(), 1u);
    EXPECT_EQ(game.Ships()[0].place, full[0].place);
    EXPECT_EQ(game.Ships()[0].marks, (CardMarks{(1u << 0) | (1u << 14)}));
    // Either place reaches the one set of marks; the sheets draw it on both cards.
    game.Apply(Toggle(full[2], CardMark::AA));
    EXPECT_TRUE(game.MarksOf(full[0].place, "Alpha")->Has(CardMark::AA));
    EXPECT_EQ(game.MarksOf(full[2].place, "Alpha"), game.MarksOf(full[0].place, "Alpha"));
    EXPECT_EQ(game.MarksOf(full[3].place, "Alpha"), nullptr);  // not a place of it
    game.Revert(Toggle(full[2], CardMark::AA));
    EXPECT_FALSE(game.MarksOf(full[0].place, "Alpha")->Has(CardMark::AA));
    EXPECT_EQ(game.Ships().size(), 1u);

    // The log says which Bravo; a ship alone of its name keeps its bare name.
    GameAction second = Toggle(snapshot.roster[6], CardMark::Sunk);
    second.logged = snapshot.LabelledName(6);
    game.Apply(second);
    EXPECT_EQ(LogLine(game.Log().back()), "Turn 1 \u2014 BRAVO (ADDITIONAL SHIP 3): sunk");
    EXPECT_TRUE(game.MarksOf(snapshot.roster[6].place, "Bravo")->Has(CardMark::Sunk));
    EXPECT_EQ(game.MarksOf(snapshot.roster[1].place, "Bravo"), nullptr);
}

// A name that matches no ship of the campaign is a plainly missing card,
// never a default ship, and is named once.
TEST(Game, ANameMatchingNoShipIsAMissingCardNamedOnce) {
    CBrinnowDoc doc = GameCampaign();
    doc.m_ships.erase(doc.m_ships.begin() + 2);  // Charlie
    doc.m_scenarios.Modify(0).m_forces[0].m_squadrons[0].m_attachmentNames = {"Charlie"};
    const ScenarioSnapshot snapshot = ScenarioSnapshot::Of(doc, doc.m_scenarios[0]);
    EXPECT_EQ(snapshot.missingNames, CStringArray{"Charlie"});
    std::vector<std::size_t> missing;
    for (std::size_t i = 0; i < snapshot.missing.size(); ++i)
        if (snapshot.missing[i]) missing.push_back(i);
    EXPECT_EQ(missing, std::vector<std::size_t>{2});  // member and attachment: one card
    EXPECT_EQ(snapshot.cards[2].m_strName, "Charlie");
    EXPECT_EQ(snapshot.cards[1].m_strName, "Bravo");
}

TEST_F(GameFile, ASavedGameReadsBackTheSameAndASessionKeepsAChangeItCouldNotWrite) {
    const auto roster = ScenarioRoster(GameCampaign().m_scenarios[0]);
    Game game;
    game.campaign = "../campaigns/\xC3\xA9t\xC3\xA9 \"1916\".brn";
    game.scenario = "Jutland \xE4\r\n";  // Windows-1252, as campaigns hold it
    for (std::size_t i = 0; i < kCardMarkCount; i += 3)
        game.Apply(Toggle(roster[i % 8], Mark(int(i))));
    game.Apply(GameAction::NextTurn());
    game.Apply(Toggle(roster[7], CardMark::Sunk));
    // A member of a second squadron of a third force.
    game.Apply(
        {GameAction::Kind::Toggle, {2, 1, ShipRole::Attachment, 4}, "Hotel", CardMark::AA, {}, {}});
    // Marked at a seat of the shared table: the log says which.
    game.Apply(Toggle(roster[1], CardMark(int(CardMark::Box1) + 6), "Force 1"));
    EXPECT_EQ(LogLine(game.Log().back()), "Turn 2 \u2014 BRAVO: small box 7 (Force 1)");
    std::string error;
    ASSERT_TRUE(WriteGameFile(game, Path("g.json"), error)) << error;
    const std::string written = Bytes("g.json");
    EXPECT_EQ(written.find("\"seat\""), written.rfind("\"seat\""));  // that entry's only
    EXPECT_NE(written.find("\"seat\": \"Force 1\""), std::string::npos) << written;
    Game read;
    ASSERT_TRUE(ReadGameFile(Path("g.json"), read, error)) << error;
    EXPECT_TRUE(read == game);  // the log's seats too
    // The same game writes the same bytes.
    ASSERT_TRUE(WriteGameFile(read, Path("h.json"), error));
    EXPECT_EQ(Bytes("g.json"), Bytes("h.json"));

    // The session keeps a change when its write fails.
    GameSession lost(Game(), Path("no such folder/s.json"));
    EXPECT_FALSE(lost.Do(Toggle(roster[1], CardMark::AF2), error));
    EXPECT_NE(error.find("no such folder/s.json"), std::string::npos) << error;
    EXPECT_NE(lost.GetGame().MarksOf(roster[1].place, "Bravo"), nullptr);

    // The game names its campaign from the game's own folder.
    EXPECT_EQ(CampaignReference("/a/b/c.brn", "/a/b/g.json"), "c.brn");
    EXPECT_EQ(CampaignReference("/a/c.brn", "/a/b/g.json"), "../c.brn");
    EXPECT_EQ(CampaignPathOf("../c.brn", "/a/b/g.json"), "/a/c.brn");
    EXPECT_EQ(CampaignPathOf("/x/c.brn", "/a/b/g.json"), "/x/c.brn");
}

// A session keeps its log's text between writes: whatever Undo, Redo and new
// marks do to the log's end, the file is what a fresh write of the game makes.
TEST_F(GameFile, ASessionWritesWhatAFreshWriteWouldAfterEveryStep) {
    const auto roster = ScenarioRoster(GameCampaign().m_scenarios[0]);
    GameSession session(Game(), Path("s.json"));
    std::string error;
    const auto expectFresh = [&](const char* step) {
        ASSERT_TRUE(WriteGameFile(session.GetGame(), Path("fresh.json"), error)) << error;
        EXPECT_EQ(Bytes("s.json"), Bytes("fresh.json")) << step;
    };
    ASSERT_TRUE(session.DoAll({Toggle(roster[0], CardMark::AA), Toggle(roster[1], CardMark::Sunk),
                               Toggle(roster[2], CardMark::Box1)},
                              error));
    expectFresh("three marks");
    ASSERT_TRUE(session.Undo(error) && session.Undo(error));
    expectFresh("two undone");
    // As long a log as before, ending otherwise.
    ASSERT_TRUE(session.DoAll({Toggle(roster[3], CardMark::AF1), GameAction::NextTurn(),
                               Toggle(roster[4], CardMark::Rudder)},
                              error));
    expectFresh("other marks in their place");
    ASSERT_TRUE(session.Undo(error) && session.Undo(error) && session.Redo(error));
    expectFresh("undone and redone across a turn");
    Game restarted;
    restarted.Apply(Toggle(roster[5], CardMark::Box18));
    session.Restart(restarted);
    ASSERT_TRUE(session.Save(error));
    expectFresh("restarted");
}

// A damaged or foreign file is refused whole, with the file, the place and
// the reason; the game given is left as it was.
TEST_F(GameFile, HostileFilesAreRefusedWithTheirPlace) {
    const std::string head =
        R"({"format": "brinnow-game", "version": 1, "campaign": "c.brn", "scenario": "S", )";
    const std::string ship = R"({"force": 1, "squadron": 1, "role": "member", "position": 2, )"
                             R"("name": "A", "marks": )";
    const auto ships = [&](const std::string& list) {
        return head + R"("turn": 1, "ships": [)" + list + R"(], "log": []})";
    };
    const auto log = [&](const std::string& fields) {
        return head + R"("turn": 1, "ships": [], "log": [{"turn": 1, "force": 1, "ship": "A", )" +
               R"("mark": "aa")" + fields + "}]}";
    };
    const struct {
        std::string json;
        const char* says;
    } cases[] = {
        {"", "no JSON found"},
        {"[1]", "the game must be a JSON object"},
        {R"({"format": "brinnow-campaign", "version": 1})", "this is not a game"},
        {head + R"("turn": 0, "ships": [], "log": []})", "1 or more"},
        {ships("") + " x", "there is text after the game"},
        {head + R"("turn": 1, "ships": [], "log": [], "extra": 1})", "extra"},
        {ships(ship + R"(["box19"]})"), "\"box19\" is not a mark"},
        {ships(ship + R"(["aa", "aa"]})"), "listed twice"},
        {ships(ship + "[]}"), "only when it has marks"},
        {ships(ship + R"(["aa"]}, )" + ship + R"(["af1"]})"), "listed twice at one place"},
        {ships(R"({"force": 1, "squadron": 0, "role": "member", "position": 1, "name": "A", )"
               R"("marks": ["aa"]})"),
         "a single ship has squadron 0"},
        {ships(R"({"force": 1, "squadron": 1, "role": "captain", "position": 1, "name": "A", )"
               R"("marks": ["aa"]})"),
         "the role must be"},
        {head + R"("turn": 99999999999, "ships": [], "log": []})", "number"},
        {log(R"(, "marked": 2)"), "marked must be true or false"},
        // Only the seat may be left out of a log entry.
        {log(R"(, "seat": "Umpire")"), "the field \"marked\" is missing"},
        {log(R"(, "marked": true, "seat": 1)"), "string"},
    };
    for (const auto& c : cases) {
        Game game;
        game.scenario = "kept";
        std::string error;
        EXPECT_FALSE(ReadGameJson(c.json, "g.json", game, error)) << c.json;
        EXPECT_NE(error.find("\"g.json\" cannot be opened as a game"), std::string::npos) << error;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_EQ(game.scenario, "kept");
    }
}

namespace {

// The point of a log entry: "MoveTo 12 34" gives (12, 34); a Rectangle its
// two corners.
std::vector<std::pair<int, int>> PointsOf(const std::string& entry) {
    std::istringstream words(entry.substr(entry.find(' ') + 1));
    std::vector<std::pair<int, int>> points;
    int x = 0, y = 0;
    while (points.size() < 2 && words >> x >> y) points.push_back({x, y});
    return points;
}

RecordingDC Printed(const ScenarioSnapshot& snapshot, const Game* game) {
    RecordingDC dc;
    RunScenarioPrintJob(dc, snapshot.scenario, snapshot.ships, snapshot.armaments, game);
    return dc;
}

}  // namespace

// What the marks add to a print lies inside the cards they mark, and
// nothing else of the print changes; no marks print the very same pages.
TEST(GamePrint, MarksChangeOnlyTheMarkedCardsInPrintAndInTheirOwnImagesInHtml) {
    const CBrinnowDoc doc = GameCampaign();
    const ScenarioSnapshot snapshot = ScenarioSnapshot::Of(doc, doc.m_scenarios[0]);
    const auto& roster = snapshot.roster;
    const RecordingDC plainPrint = Printed(snapshot, nullptr);
    const std::vector<std::string>& plain = plainPrint.log;
    Game game;
    EXPECT_EQ(Printed(snapshot, &game).log, plain);

    // Bravo (a member), Delta (an attachment), Golf (a single ship).
    for (std::size_t i = 0; i < kCardMarkCount; i += 4) game.Apply(Toggle(roster[1], Mark(int(i))));
    game.Apply(Toggle(roster[3], CardMark::Box18));
    game.Apply(Toggle(roster[6], CardMark::Sunk));
    const std::vector<std::string> marked = Printed(snapshot, &game).log;

    // The cell of each marked card, from where the plain print wrote its name.
    const double p = 600 / 25.4;
    std::vector<std::array<int, 4>> cells;
    for (const char* name : {"BRAVO", "DELTA", "GOLF"}) {
        const std::string entry = plainPrint.TextEntry(name);
        ASSERT_FALSE(entry.empty()) << name;
        const auto [cx, cy] = PointsOf(entry)[0];
        const int x = cx - int(21 * p);
        const int y = cy + 2 - int(7 * p);
        cells.push_back({x, y, x + int(44 * p), y + int(23.5 * p) + 1});
    }
    std::vector<int> extras(cells.size());
    std::size_t j = 0;
    for (const std::string& entry : marked) {
        if (j < plain.size() && entry == plain[j]) {
            ++j;
            continue;
        }
        const auto points = PointsOf(entry);
        const auto in = std::find_if(cells.begin(), cells.end(), [&](const auto& cell) {
            return std::all_of(points.begin(), points.end(), [&](auto pt) {
                return pt.first >= cell[0] && pt.first <= cell[2] && pt.second >= cell[1] &&
                       pt.second <= cell[3];
            });
        });
        EXPECT_NE(in, cells.end()) << entry;
        if (in != cells.end()) ++extras[std::size_t(in - cells.begin())];
    }
    EXPECT_EQ(j, plain.size()) << "the plain print is not kept whole";
    for (const int count : extras) EXPECT_GT(count, 0);

    // Marked cards get images of their own; every other image and the rest of
    // the page stay as without the game.
    const VxScenario& scenario = doc.m_scenarios[0];
    QTemporaryDir plainDir, markedDir;
    const QDir clean(plainDir.path()), withMarks(markedDir.path());
    std::string error;
    ASSERT_TRUE(ExportScenarioHtml(doc, scenario, clean.filePath("s.htm").toStdString(), error))
        << error;
    Game alpha;
    alpha.Apply(Toggle(roster[7], CardMark::AF1));  // the second Alpha, a single ship of Away
    ASSERT_TRUE(
        ExportScenarioHtml(doc, scenario, withMarks.filePath("s.htm").toStdString(), error, &alpha))
        << error;
    for (const QString& image : clean.entryList({"*.gif"})) {
        EXPECT_EQ(FileBytes(clean.filePath(image)), FileBytes(withMarks.filePath(image)))
            << image.toStdString();
    }
    const std::string plainHtml = FileBytes(clean.filePath("s.htm"));
    std::string markedHtml = FileBytes(withMarks.filePath("s.htm"));
    const std::string ownImage = FileBytes(withMarks.filePath("Alpha (2).gif"));
    const std::string sharedImage = FileBytes(withMarks.filePath("Alpha.gif"));
    EXPECT_FALSE(ownImage.empty());
    EXPECT_NE(ownImage, sharedImage) << "the marked card shows its mark";
    const std::string own = "<IMG SRC=\"Alpha (2).gif\" ALT=\"Alpha\">";
    ASSERT_NE(markedHtml.find(own), std::string::npos);
    EXPECT_EQ(markedHtml.replace(markedHtml.find(own), own.size(),
                                 "<IMG SRC=\"Alpha.gif\" ALT=\"Alpha\">"),
              plainHtml);
}

// The marks at the worked scale: a cross corner to corner a fifth in from
// each corner, a filled small box, and a greyed card with "SUNK" on a label
// across it; the pen and brush found are given back.
TEST(CardMarks, CrossesFillsAndTheSunkLabelAtTheWorkedScale) {
    RecordingDC dc;
    DrawCardMarks(dc, 23, 0, 0, CardMarks());
    EXPECT_TRUE(dc.log.empty());
    CardMarks marks;
    marks.Toggle(CardMark::FireControl);
    marks.Toggle(CardMark::Box1);
    DrawCardMarks(dc, 23, 0, 0, marks);
    EXPECT_EQ(dc.log,
              (std::vector<std::string>{"Line 48 184 193 253 w=10", "Line 193 184 48 253 w=10",
                                        "Rectangle 0 506 34 540"}));
    EXPECT_EQ(dc.pen(), CPen());
    EXPECT_EQ(dc.brush(), CBrush());

    RecordingDC sunk;
    DrawCardMarks(sunk, 23, 0, 0,
                  CardMarks{std::bitset<kCardMarkCount>().set(std::size_t(CardMark::Sunk))});
    const auto hatching = sunk.Find("Line");
    ASSERT_GT(hatching.size(), 40u);
    for (const std::string& line : hatching) EXPECT_NE(line.find(" w=1"), std::string::npos);
    EXPECT_TRUE(sunk.Has("Rectangle 322 241 644 425"));
    EXPECT_EQ(sunk.TextEntry("SUNK").rfind("TextOut 345 264", 0), 0u) << sunk.TextEntry("SUNK");
    EXPECT_EQ(sunk.pen(), CPen());
    EXPECT_EQ(sunk.brush(), CBrush());
}
