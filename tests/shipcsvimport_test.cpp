#include "interchange/shipcsvimport.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "interchange/shipcsv.h"
#include "interchange/shipcsvsummary.h"
#include "model/brinnowdoc.h"
#include "platform/codepage.h"
#include "platform/filestore.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/textreplace.h"

namespace {

// Ships read from a CSV file.
struct Outcome {
    bool read = false;
    std::size_t added = 0, changed = 0, unchanged = 0;
    std::vector<std::string> refusals;
    std::string summary;
};

// Reads the CSV into doc as an import does and applies it when it can.
Outcome Import(CBrinnowDoc& doc, const std::string& csv, ShipCsvOptions options = {}) {
    ShipCsvImport import(doc, options);
    Outcome outcome;
    outcome.read = import.Read(csv);
    outcome.added = import.AddedShips().size();
    outcome.changed = import.ChangedShips().size();
    outcome.unchanged = import.UnchangedShips().size();
    outcome.refusals = import.Refusals();
    outcome.summary = ShipCsvSummary(import);
    import.Apply(doc);
    return outcome;
}

const std::string kSampleNations =
    "Neutral, Great Britain, Germany, Russia, Italy, France, Japan, Austria-Hungary, Turkey, "
    "United States of America";

CBrinnowDoc Sample() {
    CBrinnowDoc doc;
    EXPECT_TRUE(doc.OnOpenDocument(BRINNOW_SAMPLE));
    return doc;
}

// A ship with what a file may hold but the editors never make.
VxShip OddShip(const CBrinnowDoc& doc) {
    VxShip ship = doc.m_ships.front();
    ship.m_strName = "=Odd, \"ship\"\r\nsecond line";
    ship.m_strNotes = "-lone\nfeed and lone\rreturn \x80\xFF";
    ship.m_nNation = -3;
    ship.m_nMainArmament = 1000000;
    ship.m_nTorpedo = INT_MIN;
    ship.m_nShipType = 99;
    ship.m_nAARating = -25;
    ship.m_bWingTurrets = 2;
    ship.m_bPoorUP = INT_MIN;
    ship.m_dDF = -0.0;
    ship.m_dMainAF = {std::numeric_limits<double>::infinity(),
                      std::numeric_limits<double>::quiet_NaN(), 0.1 + 0.2,
                      std::numeric_limits<double>::denorm_min()};
    ship.m_nTorpedoAF = {INT_MIN, INT_MAX, -1, 0};
    return ship;
}

// The export read back into the campaign it came from changes no byte,
// through every form a spreadsheet may give it.
TEST(ShipCsvImport, TheExportReadBackChangesNothingInEveryFormSpreadsheetsSave) {
    CBrinnowDoc generated;
    GenerateDocument(generated, {400, 4, 2, 3, 4, 7});
    generated.m_ships.push_back(OddShip(generated));
    CBrinnowDoc sample = Sample();
    for (CBrinnowDoc* doc : {&sample, &generated}) {
        const std::string saved = doc->SaveToBytes();
        const std::string csv = ShipsCsv(*doc);
        const std::string raw = ShipsCsv(*doc, CsvCells::Raw);
        const std::string lineFeeds = ReplaceAll(csv, "\r\n", "\n");
        const std::string noMark = csv.substr(3);
        const std::string cp1252 = Cp1252FromUtf8(noMark);
        const std::string trailing =
            csv.substr(0, csv.find("\r\n")) + ",," + csv.substr(csv.find("\r\n")) + ",,\r\n\r\n";
        for (const std::string* form : {&csv, &raw, &lineFeeds, &noMark, &cp1252, &trailing}) {
            const Outcome outcome = Import(*doc, *form);
            ASSERT_TRUE(outcome.read) << (outcome.refusals.empty() ? "" : outcome.refusals[0]);
            EXPECT_EQ(outcome.added + outcome.changed, 0u) << outcome.summary;
            EXPECT_EQ(outcome.unchanged, doc->m_ships.size());
            EXPECT_EQ(doc->SaveToBytes(), saved);
        }
    }
}

// A German spreadsheet saves with semicolons and decimal commas.
TEST(ShipCsvImport, SemicolonsTakeDecimalCommasAndQuotedLineBreaksStayInTheirCell) {
    CBrinnowDoc doc = Sample();
    const std::string name = doc.m_ships[1].m_strName;
    // A calibre that reads as a number comes with a decimal comma too.
    const std::string csv = "Name;DF;Main AF 1;Main Armament;Notes\n" + name +
                            ";4,5;\"1,25\";13,5;\"two\nlines; \"\"quoted\"\"\"\n;;;;\n";
    const Outcome outcome = Import(doc, csv);
    ASSERT_TRUE(outcome.read) << outcome.refusals.at(0);
    EXPECT_EQ(CsvArmamentName(doc.m_armaments[std::size_t(doc.m_ships[1].m_nMainArmament)]),
              "13.5");
    EXPECT_EQ(doc.m_ships[1].m_dDF, 4.5);
    EXPECT_EQ(doc.m_ships[1].m_dMainAF[0], 1.25);
    EXPECT_EQ(doc.m_ships[1].m_strNotes, "two\nlines; \"quoted\"");

    // With commas between the fields, a decimal comma is no number.
    const Outcome comma = Import(doc, "Name,DF\n" + name + ",\"4,5\"\n");
    EXPECT_FALSE(comma.read);
    EXPECT_EQ(comma.refusals.at(0), "row 2, DF: expected a number, found 4,5");
}

// Only the columns given change; new names add ships at the end; the
// summary counts and lists each field with its old and new value.
TEST(ShipCsvImport, PartialColumnsChangeOnlyTheirFieldsAndNewNamesAddShipsAtTheEnd) {
    CBrinnowDoc doc = Sample();
    const CBrinnowDoc before = doc;
    const VxShip& first = before.m_ships[0];
    const VxShip& third = before.m_ships[2];
    const std::string csv =
        "turn speed 5,Name, DF ,Turn Speed 1\r\n"
        "7," +
        first.m_strName + ",9.5,1\r\n" + "3,Brand New,2,2\r\n" +
        std::to_string(third.m_nTurnSpeed[4]) + "," + third.m_strName + "," +
        std::to_string(third.m_dDF) + "," + std::to_string(third.m_nTurnSpeed[0]) + "\r\n";
    ShipCsvImport import(doc);
    ASSERT_TRUE(import.Read(csv));
    ASSERT_EQ(import.ChangedShips().size(), 1u);
    ASSERT_EQ(import.AddedShips().size(), 1u);
    EXPECT_EQ(import.UnchangedShips().size(), 1u);
    const auto fields = import.ChangedFields(import.ChangedShips()[0]);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].column, "DF");
    EXPECT_EQ(fields[0].after, "9.5");
    EXPECT_EQ(fields[2].column, "Turn Speed 5");
    EXPECT_EQ(fields[2].after, "7");
    EXPECT_NE(ShipCsvSummary(import).find("1 ship added, 1 changed, 1 unchanged, " +
                                          std::to_string(before.m_ships.size() - 2) +
                                          " not in the file\n"),
              std::string::npos);
    EXPECT_NE(ShipCsvSummary(import).find("renamed"), std::string::npos);
    EXPECT_NE(ShipCsvSummary(import).find("added (row 3): Brand New"), std::string::npos);
    import.Apply(doc);

    VxShip expected = first;
    expected.m_dDF = 9.5;
    expected.m_nTurnSpeed[0] = 1;
    expected.m_nTurnSpeed[4] = 7;
    EXPECT_FALSE(doc.m_ships[0].IsDifferent(expected));
    for (std::size_t i = 1; i < before.m_ships.size(); ++i) {
        EXPECT_FALSE(doc.m_ships[i].IsDifferent(before.m_ships[i])) << i;
    }
    ASSERT_EQ(doc.m_ships.size(), before.m_ships.size() + 1);
    VxShip added;
    added.m_strName = "Brand New";
    added.m_dDF = 2;
    added.m_nTurnSpeed[0] = 2;
    added.m_nTurnSpeed[4] = 3;
    EXPECT_FALSE(doc.m_ships.back().IsDifferent(added));
}

// Names find nations, armaments and torpedoes, whatever their case for
// ship types, ratings and flags; the index decides between twins.
TEST(ShipCsvImport, ReferencesAreFoundByNameAndTheIndexDecidesBetweenTwins) {
    CBrinnowDoc doc = Sample();
    const std::string name = doc.m_ships[0].m_strName;
    const int nation = doc.m_ships[0].m_nNation;
    const VxArmament twin = doc.m_armaments[std::size_t(doc.m_ships[0].m_nMainArmament)];
    doc.m_armaments.push_back(twin);
    const std::string twinIndex = std::to_string(doc.m_armaments.size() - 1);
    const std::string armament = twin.GetDisplayName(!twin.m_strNotes.empty());
    const std::string header =
        "Name,Main Armament,Main Armament Index,Ship Type,AA Rating,Flotilla\n";
    const Outcome twins =
        Import(doc, header + name + "," + armament + "," + twinIndex + ",bc,C,yes\n");
    ASSERT_TRUE(twins.read);
    // A position is shown beside its name only where the names are alike.
    EXPECT_NE(twins.summary.find("Main Armament Index "), std::string::npos) << twins.summary;
    EXPECT_EQ(doc.m_ships[0].m_nMainArmament, int(doc.m_armaments.size() - 1));
    EXPECT_EQ(doc.m_ships[0].m_nShipType, 7);
    EXPECT_EQ(doc.m_ships[0].m_nAARating, 2);
    EXPECT_EQ(doc.m_ships[0].m_bFlotilla, TRUE);
    EXPECT_EQ(doc.m_ships[0].m_nNation, nation);
    // Without an index the ship keeps the twin it has.
    const Outcome kept = Import(doc, "Name,Main Armament\n" + name + "," + armament + "\n");
    EXPECT_EQ(kept.unchanged, 1u);
    EXPECT_EQ(doc.m_ships[0].m_nMainArmament, int(doc.m_armaments.size() - 1));
    const Outcome other = Import(doc, "Name,Main Armament\n" + name + ",4\n");
    EXPECT_NE(
        other.summary.find("changed (row 2): " + name + ": Main Armament " + armament + " -> 4\n"),
        std::string::npos)
        << other.summary;
}

// Every refusal says where and why, and nothing is imported from a file
// with one bad row.
TEST(ShipCsvImport, EveryRefusalNamesItsRowAndColumnAndNothingIsImported) {
    CBrinnowDoc doc = Sample();
    doc.m_ships.push_back(doc.m_ships[3]);
    const std::string saved = doc.SaveToBytes();
    const std::string a = doc.m_ships[0].m_strName, twice = doc.m_ships[3].m_strName;
    const std::string kept = " cannot be kept: a campaign holds Windows-1252 text";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "row 1: there is no header row"},
        {"DF\n4\n", "row 1: there is no Name column"},
        {"Name,Nmae\nX,1\n", "row 1, column 2: Nmae is not a column of the ships' CSV"},
        {"Name,DF,df\n", "row 1: the column DF stands twice, in columns 2 and 3"},
        {"Name,Nation\nX,Atlantis\n",
         "row 2, Nation: no nation named Atlantis; the campaign has " + kSampleNations},
        {"Name,Main Armament\n" + a + ",13.4\n",
         "row 2, Main Armament: no 13.4 armament of Great Britain; Great Britain has 3, 4, 4.7, "
         "5.5, 6, 7.5, 9.2, 12, 13.5, 14, 15, Aircraft Sopwith Pup"},
        {"Name,Torpedo\nX,19\"\n", "row 2, Torpedo: no torpedo 19\"; the campaign has 18\", 21\""},
        {"Name,Ship Type\nX,ZZ\n", "row 2, Ship Type: ZZ is no ship type; one of AC, AK, "},
        {"Name,AA Rating\nX,21\n", "row 2, AA Rating: 21 is no AA rating; one of a, b, "},
        {"Name,Poor UP\nX,maybe\n", "row 2, Poor UP: expected Yes or No, found maybe"},
        {"Name,DF\nX,4x\n", "row 2, DF: expected a number, found 4x"},
        {"Name,Turn Speed 1\nX,2147483648\n",
         "row 2, Turn Speed 1: expected a whole number from -2147483648 to 2147483647, found "
         "2147483648"},
        {"Name\nX\nY\nX\n", "row 4: rows 2 and 4 both name X"},
        {"Name\n" + twice + "\n", "row 2: ships 4 and " + std::to_string(doc.m_ships.size()) +
                                      " of the campaign are both named " + twice},
        {"Name\n\xCE\xA9mega\n", "row 2, Name: the character \xCE\xA9 (U+03A9)" + kept},
        {"Name\n\xE2\x86\x92 Ship\n", "row 2, Name: the character \xE2\x86\x92 (U+2192)" + kept},
        {"Name\n\xF0\x9F\x9A\xA2 Ship\n",
         "row 2, Name: the character \xF0\x9F\x9A\xA2 (U+1F6A2)" + kept},
        {"Name,\xCE\xA9mega\nX,1\n", "row 1, column 2: the character \xCE\xA9 (U+03A9)" + kept},
        {"\xEF\xBB\xBFName\n\xE9t\xE9\n",
         "row 2, Name: the text is not UTF-8, although the file is"},
        {"Name,Notes\nX,\"open\n", "row 2, column 2: the quoted field never ends"},
        {"\"Name,DF\nX,1\n", "row 1, column 1: the quoted field never ends"},
        {"Name,Notes\nX,\"closed\"after\n",
         "row 2, column 2: there is text after the closing quote"},
        {"Name,DF\nX\n", "row 2: only 1 of the header's 2 fields"},
        {"Name,DF\nX,1,,2\n", "row 2, column 4: a value beyond the last column"},
        {"Name,,DF\nX,1,2\n", "row 2, column 2: a value in a column without a name"},
    };
    for (const auto& [csv, message] : cases) {
        const Outcome outcome = Import(doc, csv);
        EXPECT_FALSE(outcome.read) << csv;
        ASSERT_FALSE(outcome.refusals.empty()) << csv;
        EXPECT_EQ(outcome.refusals[0].substr(0, message.size()), message) << csv;
        EXPECT_EQ(doc.SaveToBytes(), saved) << csv;
    }
    // A good row before a bad one is not imported either, and every bad
    // row is told.
    const Outcome mixed = Import(doc, "Name,DF\nFresh,1\nX,bad\nY,worse\n");
    EXPECT_EQ(mixed.refusals.size(), 2u);
    EXPECT_EQ(doc.SaveToBytes(), saved);
    // Past twelve names the rest are counted.
    CBrinnowDoc more = Sample();
    for (const char* name : {"Chile", "Peru", "Spain"}) more.m_nations.emplace_back(name, "", 0);
    EXPECT_EQ(Import(more, "Name,Nation\nX,Atlantis\n").refusals.at(0),
              "row 2, Nation: no nation named Atlantis; the campaign has " + kSampleNations +
                  ", Chile, Peru and 1 more");
    // Unknown columns are passed over when asked to.
    EXPECT_TRUE(Import(doc, "Name,Nmae,\nFresh,1,2\n", {true}).read);
    EXPECT_EQ(doc.m_ships.back().m_strName, "Fresh");
    // The delimiter is the one the header row uses outside its quotes.
    EXPECT_TRUE(Import(doc, "Name;\"Odd, quoted, column\"\nFresher;1\n", {true}).read);
    EXPECT_EQ(doc.m_ships.back().m_strName, "Fresher");
}

}  // namespace
