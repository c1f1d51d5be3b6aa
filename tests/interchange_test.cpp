#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <functional>
#include <limits>
#include <random>

#include "interchange/campaignjsonexport.h"
#include "interchange/campaignjsonimport.h"
#include "interchange/copiedrecords.h"
#include "interchange/jsonstructure.h"
#include "interchange/jsonwriter.h"
#include "interchange/recordmerge.h"
#include "interchange/shipcsv.h"
#include "interchange/shipcsvimport.h"
#include "interchange/shipcsvsummary.h"
#include "model/brinnowdoc.h"
#include "platform/codepage.h"
#include "platform/filestore.h"
#include "tests/support/documentgenerator.h"

namespace {

std::string RoundTripBytes(CBrinnowDoc& doc) {
    CBrinnowDoc imported;
    std::string error;
    EXPECT_TRUE(ImportCampaignJson(CampaignJson(doc), "test.json", imported, error)) << error;
    return imported.SaveToBytes();
}

double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

// Values the editors never make but a file may hold: they must survive.
void AddExtremes(CBrinnowDoc& doc) {
    doc.m_nations.emplace_back(AllBytes(), std::string("\0\x81\x8D\x8F\x90\x9D", 6), INT_MIN);
    VxArmament odd(AllBytes(), FromBits(0x7FF0000000000001), INT_MAX);
    odd.m_bGun = -7;
    odd.SetRangeBand(9, "\x80\x9F\xFF");
    doc.m_armaments.push_back(odd);
    doc.m_torpedoes.emplace_back(-0.0, -1);
    doc.m_torpedoes.emplace_back(std::numeric_limits<double>::denorm_min(), 0);
    VxShip ship;
    ship.m_nNation = -1;
    ship.m_nMainArmament = 1000000;
    ship.m_nSecondaryArmament = INT_MIN;
    ship.m_dMainAF = {std::numeric_limits<double>::infinity(),
                      -std::numeric_limits<double>::infinity(),
                      std::numeric_limits<double>::quiet_NaN(), FromBits(0xFFF8000000000000)};
    ship.m_dSecondaryAF = {FromBits(0x7FF4000000000abc), std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::lowest(), 0.1 + 0.2};
    ship.m_dDF = -0.0;
    ship.m_bWingTurrets = 2;
    ship.m_bPoorUP = INT_MIN;
    ship.m_bFlotilla = -1;
    ship.m_nTorpedoAF = {INT_MIN, INT_MAX, -1, 0};
    ship.m_nShipType = 99;
    ship.m_nAARating = -25;
    ship.m_strNotes = AllBytes() + "\r\n" + AllBytes();
    doc.m_ships.push_back(ship);
    if (!doc.m_scenarios.empty() && !doc.m_scenarios[0].m_forces.empty()) {
        doc.m_scenarios.Modify(0).m_forces[0].m_ships.push_back(ship);
    }
}

TEST(CampaignJson, RoundTripKeepsEveryByteOfGeneratedDocuments) {
    const DocumentShape shapes[] = {
        {0, 0, 0, 0, 0, 1}, {1, 1, 1, 1, 1, 2}, {30, 6, 3, 3, 5, 3},
        {5, 0, 4, 0, 0, 4}, {0, 3, 0, 2, 0, 5}, {200, 20, 5, 4, 8, 6},
    };
    for (const DocumentShape& shape : shapes) {
        for (const bool extremes : {false, true}) {
            CBrinnowDoc doc;
            GenerateDocument(doc, shape);
            if (extremes) AddExtremes(doc);
            EXPECT_EQ(RoundTripBytes(doc), doc.SaveToBytes())
                << "seed " << shape.seed << (extremes ? " with extremes" : "");
        }
    }
    CBrinnowDoc fresh;
    EXPECT_EQ(RoundTripBytes(fresh), fresh.SaveToBytes());
}

TEST(CampaignJson, SpecialDoublesAndTextsHaveTheirDocumentedTextAndRoundTrip) {
    CBrinnowDoc doc;
    doc.m_nations = {VxNation("\x80\xE9\x81 \"q\" \\ \t", "", 0)};
    doc.m_torpedoes = {VxTorpedo(std::numeric_limits<double>::infinity(), 0),
                       VxTorpedo(-std::numeric_limits<double>::infinity(), 0),
                       VxTorpedo(std::numeric_limits<double>::quiet_NaN(), 0),
                       VxTorpedo(FromBits(0xFFF0000000000123), 0),
                       VxTorpedo(-0.0, 0),
                       VxTorpedo(18.0, 0),
                       VxTorpedo(1e300, 0)};
    const std::string json = CampaignJson(doc);
    for (const char* text : {"\"Infinity\"", "\"-Infinity\"", "\"NaN\"",
                             "\"NaN:0xfff0000000000123\"", "-0.0", "18.0", "1e+300"}) {
        EXPECT_NE(json.find(std::string("\"calibre\": ") + text), std::string::npos) << text;
    }
    // Texts are UTF-8 with the undefined bytes as controls.
    EXPECT_NE(json.find("\"name\": \"\xE2\x82\xAC\xC3\xA9\\u0081 \\\"q\\\" \\\\ \\t\""),
              std::string::npos)
        << json;

    // Every double comes back bit for bit, and hostile sizes survive.
    std::mt19937_64 random(7);
    doc.m_ships.resize(10000);
    for (std::size_t i = 0; i < doc.m_ships.size(); ++i) {
        VxShip& ship = doc.m_ships.Modify(i);
        ship.m_dDF = FromBits(random());
        for (double& af : ship.m_dMainAF) af = FromBits(random() >> (random() % 64));
    }
    doc.m_ships.Modify(0).m_strName = std::string(1 << 20, '\x9D');
    doc.m_ships.Modify(1).m_strNotes = std::string(1 << 20, '"');
    VxSquadron squadron;
    squadron.m_shipNames.assign(10000, "\\\"\n");
    doc.m_squadrons.assign(3, squadron);
    doc.m_scenarios.emplace_back().m_forces.resize(10000);
    EXPECT_EQ(RoundTripBytes(doc), doc.SaveToBytes());
}

// A campaign whose one ship and one nation are easy to spoil by hand.
std::string SmallCampaign() {
    CBrinnowDoc doc;
    doc.m_nations.resize(1);
    doc.m_armaments.clear();
    doc.m_torpedoes.clear();
    doc.m_ships.resize(1);
    return CampaignJson(doc);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

struct Refusal {
    std::string json;
    std::string where;  // line, column and path as the message gives them
    std::string why;
};

TEST(CampaignJson, RefusalsSayLineColumnAndPathAndChangeNothing) {
    const std::string good = SmallCampaign();
    // The values most cases spoil, and where they stand.
    const auto groupCode = [&](const std::string& value) {
        return Replace(good, "\"groupCode\": 0", "\"groupCode\": " + value);
    };
    const auto name = [&](const std::string& value) {
        return Replace(good, "\"name\": \"Neutral\"", "\"name\": " + value);
    };
    const auto df = [&](const std::string& value) {
        return Replace(good, "\"df\": 0.0", "\"df\": " + value);
    };
    const std::string atGroupCode = "line 8, column 20 ($.nations[0].groupCode)";
    const std::string atName = "line 6, column 15 ($.nations[0].name)";
    const std::string atDf = "line 24, column 13 ($.ships[0].df)";
    const std::string notJson = ", which is not a JSON value.";
    const std::vector<Refusal> refusals = {
        {Replace(good, "\"version\": 1,", "\"version\": 1"), "line 4, column 3 ($)",
         "not valid JSON"},
        {name("\"unclosed"), atName, "this string is not closed before the end of its line."},
        {good + "x", "line 37, column 1 ($)", "there is text after the campaign."},
        {Replace(good, "\"notes\": \"\"", "\"notes\": \"\xC3\""),
         "line 29, column 17 ($.ships[0].notes)", "the text is not valid UTF-8."},
        {Replace(good, "\"groupCode\": 0\n", "\"groupCode\": 0,\n"),
         "line 8, column 21 ($.nations[0].groupCode)",
         "a trailing comma: nothing follows it before the \"}\"."},
        {Replace(good, "\"groupCode\": 0\n", "\"groupCode\":\n"),
         "line 9, column 5 ($.nations[0].groupCode)",
         "expected a whole number, found nothing before the \"}\"."},
        {Replace(good, "\"poorUP\": false", "\"poorUP\": tru"),
         "line 30, column 17 ($.ships[0].poorUP)", "expected true or false, found tru."},
        {groupCode("+1"), atGroupCode, "expected a whole number, found +1" + notJson},
        {groupCode("01"), atGroupCode, "expected a whole number, found 01" + notJson},
        {df("1."), atDf, "expected a number, found 1." + notJson},
        {df("1e"), atDf, "expected a number, found 1e" + notJson},
        {ReplaceAll(Replace(good, "\"groupCode\": 0\n", "\"groupCode\": 0,\t\n"), "\n", "\r\n"),
         "($.nations[0].groupCode)", "a trailing comma: nothing follows it before the \"}\"."},
        {name("-1.5E+3"), atName, "expected a string, found a number."},
        {name("true"), atName, "expected a string, found true."},
        {"[]", "line 1, column 1 ($)", "must be a JSON object"},
        {good.substr(0, good.rfind('}')), "line 35, column 17 ($)", "ended early"},
        {Replace(good, "\"mainAF\": [0.0, 0.0, 0.0, 0.0]", "\"mainAF\": [0.0, 0.0, 0.0,]"),
         "line 18, column 31 ($.ships[0].mainAF[2])",
         "a trailing comma: nothing follows it before the \"]\"."},
        {Replace(good, "      \"groupCode\": 0\n", "      \"groupCode\": 0,\n      \"extra\": 1\n"),
         "line 9, column 7 ($.nations[0])", "no field \"extra\""},
        {Replace(good, ",\n      \"groupCode\": 0", ""), "line 5, column 5 ($.nations[0])",
         "field \"groupCode\" is missing"},
        {groupCode("\"0\""), atGroupCode, "expected a whole number, found a string"},
        {groupCode("2147483648"), atGroupCode, "outside the range of a whole number"},
        {groupCode("-2147483649"), atGroupCode, "outside the range of a whole number"},
        {groupCode("-99999999999999999999"), atGroupCode, "outside the range of a whole number"},
        {groupCode("1.5"), atGroupCode, "expected a whole number, found 1.5"},
        {name("\"\\u0080\""), atName, "U+0080 cannot be held"},
        {name("\"\xF0\x9F\x9A\xA2\""), atName, "U+1F6A2 cannot be held"},
        {Replace(good, "\"mainAF\": [0.0, 0.0, 0.0, 0.0]", "\"mainAF\": [0.0, 0.0, 0.0]"),
         "line 18, column 17 ($.ships[0].mainAF)", "holds 3 values where 4 are needed"},
        {Replace(good, "\"mainAF\": [0.0, 0.0, 0.0, 0.0]", "\"mainAF\": [0.0, 0.0, 0.0, 0.0, 1]"),
         "line 18, column 38 ($.ships[0].mainAF[4])", "more than 4 values"},
        {df("\"nan\""), atDf, "\"nan\" is not a number"},
        {df("\"" + std::string(50, 'x') + "\""), atDf,
         "\"" + std::string(40, 'x') + "\" is not a number"},
        {df("\"NaN:0x7ff0000000000000\""), atDf, "is not a number"},
        {Replace(good, "\"poorUP\": false", "\"poorUP\": null"),
         "line 30, column 17 ($.ships[0].poorUP)", "expected true, false or a whole number"},
        {Replace(good, "\"brinnow-campaign\"", "\"something-else\""),
         "line 2, column 13 ($.format)", "not a campaign"},
        {Replace(good, "\"version\": 1", "\"version\": 2"), "line 3, column 14 ($.version)",
         "not version 2"},
        {Replace(good, "\"ships\": [", "\"ships\": {"), "line 13, column 12 ($.ships)",
         "expected an array, found an object"},
        {Replace(good, "\"nation\": 0,\n      \"mainArmament\"",
                 "\"nation\": 0,\n      \"nation\""),
         "line 17, column 7 ($.ships[0])", "appears twice"},
    };
    for (const Refusal& refusal : refusals) {
        CBrinnowDoc doc;
        GenerateDocument(doc, {3, 1, 1, 1, 1, 9});
        const std::string before = doc.SaveToBytes();
        std::string error;
        EXPECT_FALSE(ImportCampaignJson(refusal.json, "in.json", doc, error));
        EXPECT_EQ(error.rfind("\"in.json\" cannot be imported: at ", 0), 0u) << error;
        EXPECT_NE(error.find(refusal.where), std::string::npos) << error;
        EXPECT_NE(error.find(refusal.why), std::string::npos) << error;
        EXPECT_TRUE(doc.SaveToBytes() == before) << "the document changed";
    }
}

// The walk that places a refusal: a string value is no key, and tabs and
// carriage returns are blanks like spaces and newlines.
TEST(CampaignJson, ARefusalIsPlacedPastStringValuesAndInAnyBlanks) {
    const std::string text = "{\"a\": \"b\",\r\n\t\"c\": [1, 2,\t]\r\n}\t\r\n x";
    EXPECT_EQ(JsonStructure::Of(text, text.find(",\r")).pathAt, "$.a");
    EXPECT_EQ(JsonStructure::Of(text, text.find('2')).pathAt, "$.c[1]");
    const JsonStructure walked = JsonStructure::Of(text);
    EXPECT_EQ(walked.trailingComma, text.find(",\t]"));
    EXPECT_EQ(walked.textAfter, text.find('x'));
}

// Fields come in any order; a byte order mark is passed over; a missing
// file is refused with its name.
TEST(CampaignJson, FieldsInAnyOrderAndIntegersForFlagsAreTaken) {
    const std::string json =
        "{\"version\":1,\"format\":\"brinnow-campaign\",\"scenarios\":[],\"squadrons\":[],"
        "\"torpedoTypes\":[{\"value\":5,\"calibre\":1.8e1}],\"ships\":[],\"armaments\":[],"
        "\"nations\":[{\"groupCode\":-3,\"notes\":\"\\u20ac\",\"name\":\"\\u0081\"}]}";
    CBrinnowDoc doc;
    std::string error;
    ASSERT_TRUE(ImportCampaignJson(json, "in.json", doc, error)) << error;
    ASSERT_EQ(doc.m_nations.size(), 1u);
    EXPECT_EQ(doc.m_nations[0].m_strName, "\x81");
    EXPECT_EQ(doc.m_nations[0].m_strNotes, "\x80");
    EXPECT_EQ(doc.m_nations[0].m_nGroupCode, -3);
    ASSERT_EQ(doc.m_torpedoes.size(), 1u);
    EXPECT_EQ(doc.m_torpedoes[0].m_dCalibre, 18.0);

    const std::string good = SmallCampaign();
    EXPECT_TRUE(ImportCampaignJson("\xEF\xBB\xBF" + good, "in.json", doc, error)) << error;
    EXPECT_FALSE(
        ImportCampaignJson("\xEF\xBB\xBF" + Replace(good, "\"groupCode\": 0", "\"groupCode\": x"),
                           "in.json", doc, error));
    EXPECT_NE(error.find("at line 8, column 20 ($.nations[0].groupCode)"), std::string::npos)
        << error;
    EXPECT_FALSE(ImportCampaignJsonFile("/nonexistent/in.json", doc, error));
    EXPECT_NE(error.find("/nonexistent/in.json"), std::string::npos) << error;
}

std::vector<std::string> CsvLines(const std::string& csv) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = csv.find("\r\n", start)) != std::string::npos; start = at + 2) {
        lines.push_back(csv.substr(start, at - start));
    }
    return lines;
}

// Values made once and written again many times (a long game's log) are
// indented as where they stand and never gather in memory as one text.
TEST(JsonWriterTest, ValuesWrittenAlreadyStandAtTheirDepthAndPassInPieces) {
    std::string item;
    {
        JsonWriter nested([&item](const char* data, std::size_t size) { item.append(data, size); },
                          2);
        nested.BeginObject();
        nested.Key("ship");
        nested.String("L\xE9on");
        nested.End();
    }
    std::string whole;
    std::size_t largestPiece = 0;
    JsonWriter json([&](const char* data, std::size_t size) {
        whole.append(data, size);
        largestPiece = std::max(largestPiece, size);
    });
    json.BeginObject();
    json.Key("log");
    json.BeginArray();
    constexpr int kItems = 20'000;
    for (int i = 0; i < kItems; ++i) json.Written(item);
    json.End();
    json.End();
    json.Finish();
    const std::string head =
        "{\n  \"log\": [\n    {\n      \"ship\": \"L\xC3\xA9on\"\n    },\n    {";
    const std::string tail = "\"\n    }\n  ]\n}\n";
    EXPECT_EQ(whole.substr(0, head.size()), head);
    EXPECT_EQ(whole.substr(whole.size() - tail.size()), tail);
    EXPECT_GT(whole.size(), std::size_t(kItems) * item.size());
    EXPECT_LT(largestPiece, std::size_t(256) << 10);
}

TEST(ShipsCsv, HeaderNamesIndexesExactNumbersAndSafeTexts) {
    CBrinnowDoc doc;
    VxShip ship;
    ship.m_strName = "Lion";
    ship.m_nNation = 1;
    ship.m_nMainArmament = 8;
    ship.m_dMainAF = {2.94, 0.1 + 0.2, 0, -1};
    ship.m_nSecondaryArmament = -4;
    ship.m_nTorpedo = 1;
    ship.m_nShipType = 7;
    ship.m_nAARating = 30;
    ship.m_bPoorUP = 5;
    doc.m_ships.push_back(ship);
    const std::vector<std::string> lines = CsvLines(ShipsCsv(doc));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("\xEF\xBB\xBFName,Nation,Nation Index,Main Armament,", 0), 0u);
    EXPECT_EQ(lines[1],
              "Lion,Great Britain,1,13.5,8,2.94,0.30000000000000004,0,-1,No,,-4,0,0,0,0,"
              "\"21\"\"\",1,0,0,0,0,0,BC,7,,30,0,0,0,0,0,Yes,No,,");

    // What a spreadsheet would run as a formula shows as text, unless raw; an
    // apostrophe or an equals sign further in is left alone.
    doc.m_ships.clear();
    const std::vector<std::pair<std::string, std::string>> cells = {
        {"=1+1", "'=1+1"}, {"a=b", "a=b"}, {"", ""}, {"'quoted", "'quoted"}};
    for (const auto& [name, written] : cells) doc.m_ships.emplace_back().m_strName = name;
    const std::vector<std::string> safe = CsvLines(ShipsCsv(doc));
    const std::vector<std::string> raw = CsvLines(ShipsCsv(doc, CsvCells::Raw));
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(safe[i + 1].rfind(cells[i].second + ",", 0), 0u) << safe[i + 1];
        EXPECT_EQ(raw[i + 1].rfind(cells[i].first + ",", 0), 0u) << raw[i + 1];
    }

    // A NUL byte in a text is left out of the quoted cell.
    doc.m_ships.Modify(0).m_strNotes = std::string("line\r\nbreak \"quoted\"\0end", 24);
    const std::string csv = ShipsCsv(doc);
    EXPECT_NE(csv.find(",\"line\r\nbreak \"\"quoted\"\"end\"\r\n"), std::string::npos);
    EXPECT_EQ(csv.find('\0'), std::string::npos);
}

// Records pasted from another campaign.
using Answer = RecordMerge::Answer;

int ArmamentOf(const CBrinnowDoc& doc, int nation, const CString& calibre) {
    for (std::size_t i = 0; i < doc.m_armaments.size(); ++i) {
        const VxArmament& armament = doc.m_armaments[i];
        if (armament.m_nNation == nation && armament.m_strCalibre == calibre) return int(i);
    }
    return -1;
}

const VxShip* ShipNamed(const CBrinnowDoc& doc, const CString& name) {
    for (const VxShip& ship : doc.m_ships) {
        if (ship.m_strName == name) return &ship;
    }
    return nullptr;
}

// The campaign copied from: the defaults, a nation of its own with a gun of
// its own, two ships, a squadron naming one ship and a missing one, and a
// scenario with a squadron and a single ship in a force.
class Merge : public ::testing::Test {
  protected:
    void SetUp() override {
        from.m_nations.emplace_back("Freedonia", "", 4);
        VxArmament gun("16", 3.5, 10);
        gun.m_strNotes = "Mk I";
        from.InsertArmament(gun);
        lion.m_strName = "Lion";
        lion.m_nNation = 1;
        lion.m_nMainArmament = ArmamentOf(from, 1, "13.5");
        lion.m_nSecondaryArmament = ArmamentOf(from, 1, "4");
        lion.m_nTorpedo = 1;
        lion.m_dDF = 4.5;
        from.m_ships.push_back(lion);
        duck.m_strName = "Duck";
        duck.m_nNation = 10;
        duck.m_nMainArmament = duck.m_nSecondaryArmament = ArmamentOf(from, 10, "16");
        from.m_ships.push_back(duck);
        squadron.m_strName = "1st BCS";
        squadron.m_nNation = 1;
        squadron.m_strFlagship = "Lion";
        squadron.m_shipNames = {"Lion", "Ghost"};
        from.m_squadrons.push_back(squadron);
        VxForce force;
        force.m_nNation = 10;
        force.m_squadrons.push_back(squadron);
        force.m_ships.push_back(duck);
        scenario.m_strName = "Dogger";
        scenario.m_forces.push_back(force);
        from.m_scenarios.push_back(scenario);

        // The campaign pasted into: other nations in another order, and a
        // ship whose armament must keep pointing at its gun.
        to.m_nations = {VxNation("Neutral", "", 0), VxNation("Germany", "", 1),
                        VxNation("Great Britain", "", 2)};
        to.m_armaments = {VxArmament("11", 2, 1), VxArmament("13.5", 2.94, 2)};
        to.m_torpedoes = {VxTorpedo(21.0, 6000)};
        VxShip zeta;
        zeta.m_strName = "Zeta";
        zeta.m_nNation = 2;
        zeta.m_nMainArmament = zeta.m_nSecondaryArmament = 1;
        to.m_ships.push_back(zeta);
    }

    template <class Record>
    std::string Copied(const Record& record, void (CopiedRecords::*add)(const Record&)) {
        CopiedRecords copied(from);
        (copied.*add)(record);
        return copied.Json();
    }
    std::string CopiedShip(const VxShip& ship) { return Copied(ship, &CopiedRecords::AddShip); }

    // Pastes json into to, answering every question with answer; returns
    // the refusal, empty when it was read.
    std::string Paste(const std::string& json, Answer answer = Answer::Replace) {
        RecordMerge merge(to);
        std::string error;
        if (!merge.Read(json, error)) {
            EXPECT_FALSE(merge.Apply([](auto&&...) { return Answer::Replace; }));
            return error;
        }
        questions.clear();
        pasted = merge.Apply([&](const std::string& kind, const std::string& name) {
            questions.push_back(kind + " " + name);
            return answer;
        });
        added = merge.Added();
        replaced = merge.Replaced();
        return {};
    }

    CBrinnowDoc from, to;
    VxShip lion, duck;
    VxSquadron squadron;
    VxScenario scenario;
    std::vector<std::string> questions;
    bool pasted = false;
    std::size_t added = 0, replaced = 0;
};

TEST_F(Merge, AShipFindsItsNationArmamentsAndTorpedoByNameAndOthersKeepTheirGuns) {
    ASSERT_EQ(Paste(CopiedShip(lion)), "");
    EXPECT_TRUE(pasted);
    EXPECT_EQ(added, 1u);
    const VxShip& pastedLion = *ShipNamed(to, "Lion");
    EXPECT_EQ(pastedLion.m_nNation, 2);
    // "4" was missing: added in the armament order, in front of "13.5".
    EXPECT_EQ(to.m_armaments.size(), 3u);
    EXPECT_EQ(pastedLion.m_nSecondaryArmament, ArmamentOf(to, 2, "4"));
    EXPECT_EQ(pastedLion.m_nMainArmament, ArmamentOf(to, 2, "13.5"));
    EXPECT_EQ(ShipNamed(to, "Zeta")->m_nMainArmament, ArmamentOf(to, 2, "13.5"));
    EXPECT_EQ(pastedLion.m_nTorpedo, 0);
    EXPECT_EQ(pastedLion.m_dDF, 4.5);
    EXPECT_EQ(to.m_nations.size(), 3u);
    EXPECT_EQ(to.m_torpedoes.size(), 1u);
    // In the ship order: Great Britain's Lion before Zeta.
    EXPECT_EQ(to.m_ships[0].m_strName, "Lion");
}

TEST_F(Merge, AMissingNationAndGunAreAddedOnce) {
    CopiedRecords copied(from);
    copied.AddShip(duck);
    VxShip twin = duck;
    twin.m_strName = "Twin";
    copied.AddShip(twin);
    ASSERT_EQ(Paste(copied.Json()), "");
    ASSERT_EQ(to.m_nations.size(), 4u);
    EXPECT_EQ(to.m_nations[3].m_strName, "Freedonia");
    EXPECT_EQ(to.m_nations[3].m_nGroupCode, 4);
    const int gun = ArmamentOf(to, 3, "16");
    ASSERT_GE(gun, 0);
    EXPECT_EQ(to.m_armaments[gun].m_strNotes, "Mk I");
    EXPECT_EQ(to.m_armaments.size(), 3u);
    EXPECT_EQ(ShipNamed(to, "Twin")->m_nMainArmament, gun);
    EXPECT_EQ(ShipNamed(to, "Duck")->m_nNation, 3);
    // The ship without torpedoes brought the 18" type its torpedo names.
    EXPECT_EQ(to.m_torpedoes.size(), 2u);
    EXPECT_EQ(to.m_torpedoes[1].m_dCalibre, 18.0);
}

TEST_F(Merge, ASameNamedShipIsReplacedKeptOrLeftAloneWhenTheSame) {
    const std::string json = CopiedShip(lion);
    ASSERT_EQ(Paste(json), "");
    const std::string once = to.SaveToBytes();
    ASSERT_EQ(Paste(json), "");
    EXPECT_TRUE(questions.empty()) << "the same ship is no clash";
    EXPECT_EQ(added + replaced, 0u);
    EXPECT_EQ(to.SaveToBytes(), once);

    for (const Answer answer : {Answer::Keep, Answer::Cancel, Answer::Replace}) {
        std::size_t lionAt = 0;
        while (to.m_ships[lionAt].m_strName != "Lion") ++lionAt;
        to.m_ships.Modify(lionAt).m_dDF = 9;
        const std::string changed = to.SaveToBytes();
        ASSERT_EQ(Paste(json, answer), "");
        EXPECT_EQ(questions, std::vector<std::string>{"ship \"Lion\""});
        EXPECT_EQ(pasted, answer != Answer::Cancel);
        EXPECT_EQ(to.SaveToBytes(), answer == Answer::Replace ? once : changed);
        EXPECT_EQ(replaced, answer == Answer::Replace ? 1u : 0u);
    }

    // Cancel changes nothing even when a nation was to be added.
    to.m_ships.Modify(0).m_dDF = 1;
    const std::string before = to.SaveToBytes();
    CopiedRecords copied(from);
    copied.AddShip(duck);
    copied.AddShip(lion);
    ASSERT_EQ(Paste(copied.Json(), Answer::Cancel), "");
    EXPECT_FALSE(pasted);
    EXPECT_EQ(to.SaveToBytes(), before);
}

TEST_F(Merge, ASquadronBringsTheShipsItNames) {
    const std::string json = Copied(squadron, &CopiedRecords::AddSquadron);
    ASSERT_EQ(Paste(json), "");
    ASSERT_EQ(to.m_squadrons.size(), 1u);
    EXPECT_EQ(to.m_squadrons[0].m_nNation, 2);
    EXPECT_EQ(to.m_squadrons[0].m_shipNames, (CStringArray{"Lion", "Ghost"}));
    EXPECT_NE(ShipNamed(to, "Lion"), nullptr);
    EXPECT_EQ(to.m_ships.size(), 2u) << "Lion once, though named twice; no Ghost";

    to.m_squadrons.Modify(0).m_strCommander = "Beatty";
    ASSERT_EQ(Paste(json, Answer::Keep), "");
    EXPECT_EQ(questions, std::vector<std::string>{"squadron \"1st BCS\""});
    EXPECT_EQ(to.m_squadrons[0].m_strCommander, "Beatty");
}

TEST_F(Merge, AScenarioMapsItsForcesAndTheirCopiesAndDamageIsRefused) {
    const std::string json = Copied(scenario, &CopiedRecords::AddScenario);
    ASSERT_EQ(Paste(json), "");
    ASSERT_EQ(to.m_scenarios.size(), 1u);
    const VxForce& force = to.m_scenarios[0].m_forces.at(0);
    EXPECT_EQ(force.m_nNation, 3);
    EXPECT_EQ(force.m_squadrons.at(0).m_nNation, 2);
    EXPECT_EQ(force.m_ships.at(0).m_nMainArmament, ArmamentOf(to, 3, "16"));
    EXPECT_NE(ShipNamed(to, "Lion"), nullptr) << "the force's squadron names Lion";

    VxScenario other = scenario;
    other.m_strName = "Coronel";
    CopiedRecords copied(from);
    copied.AddScenario(other);
    ASSERT_EQ(Paste(copied.Json()), "");
    EXPECT_EQ(to.m_scenarios[0].m_strName, "Coronel") << "scenarios in the order of their names";

    // Twins pasted together keep their order: each goes after the names equal to its own.
    CopiedRecords twins(from);
    for (const char* umpire : {"first", "second"}) {
        VxScenario twin = scenario;
        twin.m_strName = "Falklands";
        twin.m_strUmpire = umpire;
        twins.AddScenario(twin);
    }
    ASSERT_EQ(Paste(twins.Json()), "");
    std::vector<std::string> umpires;
    for (const VxScenario& pasted : to.m_scenarios) {
        if (pasted.m_strName == "Falklands") umpires.push_back(pasted.m_strUmpire);
    }
    EXPECT_EQ(umpires, (std::vector<std::string>{"first", "second"}));

    // Hostile or damaged contents are refused and change nothing.
    const auto edited = [&](const std::function<void(CBrinnowDoc&)>& edit) {
        CBrinnowDoc doc;
        std::string error;
        EXPECT_TRUE(
            ImportCampaignJson(Copied(scenario, &CopiedRecords::AddScenario), "t", doc, error));
        edit(doc);
        return CampaignJson(doc);
    };
    VxShip damaged = lion;
    damaged.m_nNation = 99;
    const struct {
        std::string json;
        const char* says;
    } cases[] = {
        {"Lion,13.5,4", "\"clipboard\" cannot be imported"},
        {"{\"format\": \"brinnow-campaign\"}", "cannot be imported"},
        {edited([](CBrinnowDoc& doc) {
             doc.m_ships.clear();
             doc.m_scenarios.clear();
         }),
         "holds no ships, squadrons or scenarios"},
        {edited([](CBrinnowDoc& doc) { doc.m_ships.Modify(0).m_nMainArmament = 5; }),
         "The ship \"Lion\" on the clipboard names armament type 5"},
        {edited([](CBrinnowDoc& doc) { doc.m_ships.Modify(0).m_nSecondaryArmament = -1; }),
         "armament type -1"},
        {edited([](CBrinnowDoc& doc) { doc.m_ships.Modify(0).m_nTorpedo = 2; }), "torpedo type 2"},
        {edited([](CBrinnowDoc& doc) { doc.m_armaments.Modify(0).m_nNation = 7; }),
         "the nation of an armament type 7"},
        {edited([](CBrinnowDoc& doc) { doc.m_scenarios.Modify(0).m_forces[0].m_nNation = 3; }),
         "The scenario \"Dogger\" on the clipboard names nation 3"},
        {edited([](CBrinnowDoc& doc) {
             doc.m_scenarios.Modify(0).m_forces[0].m_squadrons[0].m_nNation = -4;
         }),
         "The squadron \"1st BCS\" on the clipboard names nation -4"},
        {edited([](CBrinnowDoc& doc) {
             doc.m_scenarios.Modify(0).m_forces[0].m_ships[0].m_nTorpedo = 1 << 30;
         }),
         "The ship \"Duck\" on the clipboard names torpedo type 1073741824"},
        {CopiedShip(damaged), "names nation -1"},
    };
    const std::string before = to.SaveToBytes();
    for (const auto& refused : cases) {
        const std::string error = Paste(refused.json);
        EXPECT_NE(error.find(refused.says), std::string::npos) << error;
        EXPECT_EQ(to.SaveToBytes(), before) << refused.says;
    }
}

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

// A file of several megabytes, whose memory the reading gives back as it
// passes it, imports as its bytes do; a file that cannot be read says so
// and refuses nothing.
TEST(ShipCsvImport, AFileReadFromDiskChangesEveryShipItNames) {
    CBrinnowDoc doc;
    GenerateDocument(doc, {30000, 4, 2, 3, 4, 3});
    CBrinnowDoc refitted = doc;
    for (std::size_t i = 0; i < refitted.m_ships.size(); ++i) {
        VxShip& ship = refitted.m_ships.Modify(i);
        ship.m_dDF += 0.5;
        ship.m_strNotes += " refitted";
    }
    const std::string path = testing::TempDir() + "/refit.csv";
    std::string error;
    ASSERT_TRUE(WriteFileSafely(path, ShipsCsv(refitted), error)) << error;
    ShipCsvImport import(doc);
    ASSERT_TRUE(import.ReadFile(path, error)) << error;
    EXPECT_EQ(import.ChangedShips().size(), doc.m_ships.size());
    EXPECT_EQ(import.ChangedShips().back().row, doc.m_ships.size() + 1);
    import.Apply(doc);
    EXPECT_EQ(doc.SaveToBytes(), refitted.SaveToBytes());

    ShipCsvImport missing(doc);
    EXPECT_FALSE(missing.ReadFile(path + ".gone", error));
    EXPECT_NE(error.find("refit.csv.gone"), std::string::npos) << error;
    EXPECT_EQ(missing.RefusalCount(), 0u);
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
