#include "export/textexport.h"

#include <gtest/gtest.h>

#include "model/brinnowdoc.h"
#include "tests/support/sampleship.h"

namespace {

int Columns(const std::string& line) {
    int columns = 1;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) ++columns;
    }
    return columns;
}

// A new ship of the first nation; positions outside the lists give empty
// columns.
TEST(ShipText, ANewShipOutsideTheListsQuotedValuesFormatsFlagsAndTheWholeFile) {
    CBrinnowDoc doc;
    VxShip ship;
    EXPECT_EQ(ship.GetTextLine(doc.m_nations, doc.m_armaments),
              "New Ship,Neutral,3,0,0,0,0,N,3,0,0,0,0,18,0,0,0,0,0,AC, ,0,0,0,0,0,a\n");
    ship.m_nNation = 40;
    ship.m_nMainArmament = -1;
    ship.m_nShipType = 99;
    EXPECT_EQ(ship.GetTextLine(doc.m_nations, doc.m_armaments).rfind("New Ship,,,0,", 0), 0u);
    // Values with commas, quotes or breaks are quoted.
    ship.m_strName = "Smith, \"J\"";
    ship.m_nNation = ship.m_nMainArmament = 0;
    doc.m_nations.Modify(0).m_strName = "Two\r\nLines";
    const std::string line = ship.GetTextLine(doc.m_nations, doc.m_armaments);
    EXPECT_EQ(line.rfind("\"Smith, \"\"J\"\"\",\"Two\r\nLines\",3,", 0), 0u) << line;
    EXPECT_EQ(Columns(line), 27);

    // Formats and flags, in a fresh document.
    doc = CBrinnowDoc();
    ship = SampleLion();  // Great Britain's 13.5", DF 14, its speeds
    doc.m_armaments.Modify(8).m_strNotes = "Mk V";
    ship.m_dMainAF = {1234, 12.5, 0.25, 2.94};
    ship.m_bWingTurrets = TRUE;
    ship.m_nSecondaryArmament = 4;
    ship.m_dSecondaryAF = {1, 0, 0, 0};
    ship.m_nTorpedo = 2;
    ship.m_nTorpedoAF = {4, 3, 2, 1};
    ship.m_nShipType = 13;
    ship.m_bPoorUP = TRUE;
    ship.m_nAARating = 24;
    EXPECT_EQ(ship.GetTextLine(doc.m_nations, doc.m_armaments),
              "Lion,Great Britain,13.5Mk V,1.23e+03,12.5,0.25,2.94,Y,6,1,0,0,0,21,4,3,2,1,14,TDB,*,"
              "28,24,20,16,8,20\n");
    // The whole file: the header and CRLF lines.
    doc.m_ships.resize(2);
    const std::string text = ShipTextFile(doc);
    const std::string header =
        "Name, Country, Main Armament,,,,,Wing,Secondary Armament,,,,,Torpedos,,,,,DF,Type,,"
        "Speed,,,,,AA\r\n";
    EXPECT_EQ(text.substr(0, header.size()), header);
    EXPECT_EQ(Columns(header), 27);
    EXPECT_EQ(text.substr(text.size() - 4), ",a\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

}  // namespace
