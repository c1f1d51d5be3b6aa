#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <limits>
#include <random>

#include "interchange/campaignjsonexport.h"
#include "interchange/campaignjsonimport.h"
#include "interchange/jsonstructure.h"
#include "interchange/jsonwriter.h"
#include "interchange/shipcsv.h"
#include "model/brinnowdoc.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/textreplace.h"

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

}  // namespace
