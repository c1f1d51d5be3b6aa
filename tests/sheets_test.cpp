#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <sstream>

#include "model/scenario.h"
#include "print/pageflow.h"
#include "print/printframework.h"
#include "print/scenarioprintjob.h"
#include "print/shiplookup.h"
#include "print/squadronprintjob.h"
#include "print/squadronsheet.h"
#include "print/textlayout.h"
#include "tests/support/recordingdc.h"

namespace {

// On the default surface p = 23: h = 80, name 115 tall, card 506 tall and
// 1012 wide, margin 230, four cards a row in the printable 4500.
constexpr double kP = 23;
constexpr int kH = 80;
constexpr int kCard = 506;
constexpr int kCell = 1012;
constexpr int kWidth = 4500;
constexpr int kMargin = 230;

struct Box {
    int left, top;
    bool operator==(const Box&) const = default;
};

// The corners of a logged rectangle; zeros for any other entry.
std::array<int, 4> RectOf(const std::string& entry) {
    std::array<int, 4> corners{};
    if (entry.rfind("Rectangle ", 0) == 0)
        std::istringstream(entry.substr(10)) >> corners[0] >> corners[1] >> corners[2] >>
            corners[3];
    return corners;
}

// The card whose outer box (966 x 345 pixels) a log entry draws, if any.
std::optional<Box> CardOf(const std::string& entry) {
    const auto [left, top, right, bottom] = RectOf(entry);
    if (right - left != 966 || bottom - top != 345) return std::nullopt;
    return Box{left, top - 161};
}

// The record cards in drawing order.
std::vector<Box> Cards(const RecordingDC& dc) {
    std::vector<Box> cards;
    for (const std::string& entry : dc.log)
        if (const auto card = CardOf(entry)) cards.push_back(*card);
    return cards;
}

// The y of a logged text, which follows the command's name and the x.
int YOf(const std::string& entry) {
    std::istringstream in(entry.substr(entry.find(' ') + 1));
    int x = 0, y = -1;
    in >> x >> y;
    return y;
}

int Count(const RecordingDC& dc, const std::string& prefix) {
    return static_cast<int>(dc.Find(prefix).size());
}

CArray<VxShip> Ships(std::initializer_list<const char*> names) {
    CArray<VxShip> ships;
    for (const char* name : names) {
        VxShip ship;
        ship.m_strName = name;
        ships.push_back(ship);
    }
    return ships;
}

const CArray<VxArmament> kArmaments(3);

VxSquadron Squadron(const char* flagship, CStringArray members, CStringArray attachments = {},
                    const char* notes = "") {
    VxSquadron squadron;
    squadron.m_strName = "Red";
    squadron.m_strFlagship = flagship;
    squadron.m_strCommander = "Adm";
    squadron.m_shipNames = std::move(members);
    squadron.m_attachmentNames = std::move(attachments);
    squadron.m_strNotes = notes;
    return squadron;
}

// Draws the sheet at (230, 230) as PrintSheet does; returns the y it ended at.
int DrawSheet(RecordingDC& dc, const VxSquadron& squadron, int notes,
              const CArray<VxShip>& ships = Ships({"A", "B"}), int width = kWidth) {
    PageFlow flow(dc, kP, kMargin);
    SquadronSheet(dc, kP, squadron, notes != 0, width)
        .Draw(flow, kMargin, ShipLookup(ships), kArmaments);
    return flow.Y();
}

TEST(SquadronSheet, FlagshipLineAndRowsOfFourCards) {
    RecordingDC dc;
    const VxSquadron squadron = Squadron("A", {"A", "B", "A", "B", "A"});
    CArray<VxShip> ships = Ships({"A", "B"});
    ships[0].m_strNotes = "A's log";
    squadron.PrintSheet(dc, kP, kMargin, kMargin, ShipLookup(ships), kArmaments, 1, kWidth);
    // The cards on a sheet carry no notes, the flagship's neither.
    EXPECT_TRUE(dc.TextEntry("A's log").empty());
    EXPECT_TRUE(dc.Has("TextOut 230 310 align=0 h=115 Red"));
    // The flagship line is 2h + 115 below the top; "Flagship" stands on the card.
    EXPECT_TRUE(dc.Has("TextOut 230 505 align=24 h=80 Flagship"));
    EXPECT_TRUE(dc.Has("TextOut 1286 505 align=24 h=80 Commander : "));
    EXPECT_TRUE(dc.Has("TextOut 1766 505 align=24 h=69 Adm"));
    EXPECT_TRUE(dc.Has("TextOut 230 1091 align=0 h=80 Ships in Squadron"));
    // The flagship's card, then rows of four cells of 1012 x 506 from the margin.
    EXPECT_EQ(Cards(dc),
              (std::vector<Box>{
                  {230, 505}, {230, 1171}, {1242, 1171}, {2254, 1171}, {3266, 1171}, {230, 1677}}));
    // The same ship listed twice prints twice (names in the 2.2 mm font).
    const auto isA = [](const std::string& entry) { return entry.ends_with(" h=50 A"); };
    EXPECT_EQ(std::ranges::count_if(dc.Find("TextOut"), isA), 4);
    EXPECT_EQ(dc.align(), unsigned(TA_LEFT | TA_TOP));
    EXPECT_EQ(dc.GetCurrentFont().lfHeight, -10);
}

// Without a flagship the commander stands at the margin.
TEST(SquadronSheet, NoFlagshipAttachmentsOnlyAndNeitherShipsNorAttachments) {
    RecordingDC dc;
    DrawSheet(dc, Squadron("", {}, {"B", "Missing"}), 1);
    EXPECT_TRUE(dc.Has("TextOut 230 505 align=24 h=80 Commander : "));
    EXPECT_TRUE(dc.TextEntry("Ships in Squadron").empty());
    EXPECT_TRUE(dc.Has("TextOut 230 745 align=0 h=80 Attachments to Squadron"));
    ASSERT_EQ(Cards(dc).size(), 2u);
    EXPECT_EQ(Cards(dc)[1].top, 825);
    // A name that matches no ship prints a default ship's card.
    EXPECT_FALSE(dc.TextEntry("NEW SHIP").empty());

    RecordingDC bare;
    const int end = DrawSheet(bare, Squadron("", {}), 1);
    EXPECT_EQ(Cards(bare).size(), 0u);
    EXPECT_EQ(bare.Find("TextOut").size(), 3u);  // name, "Commander : ", commander
    EXPECT_EQ(end, 665 + 2 * kH);
    // Notes, with the flag or without, are printed by SquadronPrintJob and
    // left out by MultiPrint's sheets; their lines as ScenarioSheet's.
}

TEST(SquadronSheet, HeightIsWhatTheDrawingUses) {
    const std::string longNotes = "word, word-word  word   " + std::string(300, 'x') + "\r\nend";
    const std::vector<VxSquadron> squadrons = {
        Squadron("A", {"A", "B", "A", "B", "A"}, {"B"}, "notes"),
        Squadron("", {}, {}, ""),
        Squadron("B", {}, {"A", "A", "A", "A", "A", "A", "A", "A", "A"}, longNotes.c_str()),
    };
    for (const VxSquadron& squadron : squadrons) {
        for (const int notes : {0, 1}) {
            for (const int width : {kWidth, 300}) {
                RecordingDC dc;
                const int end = DrawSheet(dc, squadron, notes, Ships({"A"}), width);
                EXPECT_EQ(end - kMargin, squadron.GetSheetHeight(dc, kP, notes, width));
                // Nothing is drawn at or below the end (bar the boxes under
                // the last cards, which reach into the gap after them).
                for (const std::string& text : dc.Find("TabbedTextOut"))
                    EXPECT_LE(YOf(text) + kH, end);
            }
        }
    }
}

TEST(SquadronSheet, HostileSizesStayLinearAndDrawOnlyWhatShows) {
    VxSquadron squadron = Squadron("A", CStringArray(10000, "A"), CStringArray(10000, "B"));
    squadron.m_strName = std::string(1 << 20, 'N');
    squadron.m_strNotes = std::string(1 << 20, 'n');
    RecordingDC dc;
    const int height = squadron.GetSheetHeight(dc, kP, 1, kWidth);
    EXPECT_GT(height, 2 * 2500 * kCard);
    squadron.PrintSheet(dc, kP, kMargin, kMargin, ShipLookup(Ships({"A"})), kArmaments, 1, kWidth);
    // Rows below the page are not drawn at all.
    EXPECT_LT(Cards(dc).size(), 60u);
}

// The editor's and the tool's squadron print: a squadron taller than a page
// goes on over the next pages rather than losing the cards past the edge.
TEST(SquadronPrintJob, ASquadronTallerThanAPageGoesOnOverTheNextPagesHeadingsWithTheirRows) {
    for (const std::size_t members : {std::size_t(8), std::size_t(60), std::size_t(200)}) {
        RecordingDC dc;
        RunSquadronPrintJob(dc, Squadron("A", CStringArray(members, "B"), {"A"}, "notes"),
                            Ships({"A", "B"}), kArmaments);
        EXPECT_TRUE(dc.Has("StartDoc Red"));
        EXPECT_TRUE(dc.Has("TextOut 230 310 align=0 h=115 Red"));
        const std::vector<Box> cards = Cards(dc);
        EXPECT_EQ(cards.size(), members + 2) << members;
        const int pageBottom = dc.GetDeviceCaps(VERTRES) - kMargin;
        for (const Box& card : cards) EXPECT_LE(card.top + kCard, pageBottom) << members;
        const int pages = Count(dc, "StartPage");
        EXPECT_EQ(pages == 1, members == 8) << members;
        for (int page = 1; page <= pages; ++page)
            EXPECT_FALSE(dc.TextEntry("Page " + std::to_string(page)).empty()) << members;
        EXPECT_FALSE(dc.TextEntry("notes").empty()) << members;
    }

    // A heading never ends a page alone: "Attachments to Squadron" goes over
    // with the card under it, however many member rows come before.
    int headingsStartingAPage = 0;
    for (std::size_t members = 4; members <= 120; members += 4) {
        RecordingDC dc;
        RunSquadronPrintJob(dc, Squadron("A", CStringArray(members, "B"), {"A"}), Ships({"A", "B"}),
                            kArmaments);
        int page = 0, headingPage = 0, lastMemberPage = 0, attachmentPage = 0;
        for (const std::string& entry : dc.log) {
            if (entry.rfind("StartPage", 0) == 0) ++page;
            if (entry.find("Attachments to Squadron") != std::string::npos) headingPage = page;
            if (CardOf(entry)) (headingPage == 0 ? lastMemberPage : attachmentPage) = page;
        }
        EXPECT_EQ(headingPage, attachmentPage) << members;
        if (headingPage > lastMemberPage) ++headingsStartingAPage;
    }
    EXPECT_GT(headingsStartingAPage, 0);  // the sweep reaches a page break at the heading
}

// A scenario with texts, notes and the given forces.
VxScenario Scenario(std::vector<VxForce> forces) {
    VxScenario scenario;
    scenario.m_strName = "Bay";
    scenario.m_strUmpire = "Ump";
    scenario.m_strDate = "1915";
    scenario.m_strWeather = "calm\r\n\r\nmist";
    scenario.m_strVictoryConditions = "win";
    scenario.m_strNotes = "scenario notes";
    scenario.m_forces = std::move(forces);
    return scenario;
}

VxForce Force(int squadrons, int ships, const char* notes = "force notes") {
    VxForce force;
    force.m_strName = "Blue";
    for (int i = 0; i < squadrons; ++i) force.m_squadrons.push_back(Squadron("A", {"A"}, {}, "sq"));
    for (int i = 0; i < ships; ++i) force.m_ships.push_back(VxShip());
    force.m_strNotes = notes;
    return force;
}

// Prints the force's sheet from the top margin; returns the page it ends on.
int PrintForce(RecordingDC& dc, const VxForce& force, int notes, int width = kWidth,
               const CArray<VxShip>& ships = Ships({})) {
    int page = 1;
    force.PrintSheet(dc, kP, kMargin, kMargin, ShipLookup(ships), kArmaments, notes, width, page);
    return page;
}

TEST(ScenarioSheet, WithoutForcesOnePageOfLabelledFieldsAndEveryForceStartsAPage) {
    RecordingDC dc;
    EXPECT_EQ(RunScenarioPrintJob(dc, Scenario({}), Ships({}), kArmaments), 1);
    EXPECT_TRUE(dc.Has("StartDoc Bay"));
    EXPECT_EQ(Count(dc, "StartPage"), 1);
    // Weather's two lines with a blank one between: the blank takes no space.
    for (const char* entry :
         {"TextOut 230 310 align=0 h=115 Bay", "TextOut 230 425 align=0 h=80 Umpire",
          "TextOut 230 505 align=0 h=69 Ump", "TextOut 230 585 align=0 h=80 Date",
          "TextOut 230 745 align=0 h=80 Weather", "TabbedTextOut 230 825 calm",
          "TabbedTextOut 230 905 mist", "TextOut 230 1065 align=0 h=80 Victory Conditions",
          "TextOut 230 1305 align=0 h=80 Notes", "TabbedTextOut 230 1385 scenario notes"}) {
        EXPECT_TRUE(dc.Has(entry)) << entry;
    }

    // Every force starts a page and the numbers run on.
    RecordingDC forces;
    EXPECT_EQ(
        RunScenarioPrintJob(forces, Scenario({Force(1, 1), Force(0, 2)}), Ships({"A"}), kArmaments),
        3);
    for (const char* footer : {"Page 1", "Page 2", "Page 3"})
        EXPECT_FALSE(forces.TextEntry(footer).empty()) << footer;
    // Each force's name at 10 mm + h on its page.
    EXPECT_EQ(Count(forces, "TextOut 230 310 align=0 h=115 Blue"), 2);
    EXPECT_EQ(Count(forces, "TextOut 230 425 align=0 h=80 Squadrons"), 1);
    // The editor's job prints every notes text.
    EXPECT_FALSE(forces.TextEntry("sq").empty());
    // Weather's two lines, the conditions, and the scenario's, squadron's and
    // two forces' notes.
    EXPECT_EQ(Count(forces, "TabbedTextOut 230"), 7);
}

TEST(ForceSheet, RowsGoOnUnderTheHeadingOfANewPageAndTheFirstThatDoesNotFitStartsIt) {
    RecordingDC dc;
    // 48 ships, four a row: eleven rows from y 745 fit above 6786, the
    // twelfth starts page 2 under "Additional Ships" without the gap.
    EXPECT_EQ(PrintForce(dc, Force(0, 48, ""), 1), 2);
    EXPECT_TRUE(dc.Has("TextOut 230 585 align=0 h=80 Additional Ships"));
    EXPECT_TRUE(dc.Has("TextOut 230 230 align=0 h=80 Additional Ships"));
    const std::vector<Box> cards = Cards(dc);
    ASSERT_EQ(cards.size(), 48u);
    EXPECT_EQ(cards[0].top, 745);
    EXPECT_EQ(cards[43].top, 745 + 10 * kCard);
    EXPECT_EQ(cards[44].top, 390);
    EXPECT_EQ(cards[47].left, kMargin + 3 * kCell);

    VxForce force = Force(0, 1, "");
    // One squadron of ten rows ends at 6240: the heading and the first row
    // would reach 7066, past the bottom, so they go to page 2.
    force.m_squadrons.push_back(Squadron("", CStringArray(40, "A")));
    RecordingDC after;
    EXPECT_EQ(PrintForce(after, force, 0, kWidth, Ships({"A"})), 2);
    EXPECT_TRUE(after.Has("TextOut 230 230 align=0 h=80 Additional Ships"));
    EXPECT_EQ(Cards(after).back().top, 390);
}

// Long texts go on over further pages with nothing lost and nothing below
// the footer band, hostile content included.
TEST(ScenarioSheet, HostileContentPrintsEveryWordWithoutACrash) {
    std::string weather, lines, linesPrinted;
    while (weather.size() < (1 << 20)) weather += "word" + std::to_string(weather.size()) + " ";
    weather.pop_back();
    for (int i = 0; i < 200; ++i) {
        lines += "line " + std::to_string(i) + "\r\n";
        linesPrinted += "line " + std::to_string(i) + " ";
    }
    VxScenario scenario = Scenario({Force(0, 0, lines.c_str()), Force(0, 0, "")});
    scenario.m_strName = std::string(1 << 20, '\x01');
    scenario.m_strUmpire = std::string(1 << 20, '<');
    scenario.m_strWeather = weather;
    scenario.m_strVictoryConditions = lines;
    VxShip stray;
    stray.m_nNation = 99;
    stray.m_nMainArmament = 77;
    stray.m_nSecondaryArmament = -5;
    stray.m_dDF = std::numeric_limits<double>::quiet_NaN();
    stray.m_dMainAF[0] = std::numeric_limits<double>::infinity();
    scenario.m_forces[0].m_ships.assign(500, stray);
    scenario.m_forces[1].m_squadrons.push_back(Squadron("gone", {"gone", "gone"}));
    RecordingDC dc;
    const int pages = RunScenarioPrintJob(dc, scenario, Ships({}), CArray<VxArmament>());
    EXPECT_GT(pages, 3);
    std::string printed;
    for (const std::string& entry : dc.Find("TabbedTextOut")) {
        printed += entry.substr(entry.find(' ', entry.find(' ', 14) + 1) + 1) + " ";
        EXPECT_LE(YOf(entry) + kH, 7016 - Mm(kP, 10)) << entry;
    }
    // Each wrap dropped one blank, put back here; then the other texts.
    const std::string expected = weather + " " + linesPrinted + "scenario notes " + linesPrinted;
    const auto at = std::mismatch(printed.begin(), printed.end(), expected.begin(), expected.end());
    EXPECT_TRUE(printed == expected) << "from " << at.first - printed.begin() << ": "
                                     << printed.substr(at.first - printed.begin(), 40) << "|"
                                     << expected.substr(at.second - expected.begin(), 40);
}

}  // namespace
