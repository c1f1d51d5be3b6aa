#include <gtest/gtest.h>

#include <cstring>

#include "model/brinnowdoc.h"
#include "tests/support/documentgenerator.h"

namespace {

// An encoder written apart from the archive, from the file layout alone.
struct Expected {
    std::string bytes;
    Expected& Int(std::int32_t v) {
        bytes.append(reinterpret_cast<const char*>(&v), 4);
        return *this;
    }
    Expected& Real(double v) {
        bytes.append(reinterpret_cast<const char*>(&v), 8);
        return *this;
    }
    Expected& Str(const std::string& s) {
        bytes += char(s.size());
        bytes += s;
        return *this;
    }
};

std::string NewDocumentBytes() {
    Expected e;
    const std::pair<const char*, int> nations[] = {{"Neutral", 0}, {"Great Britain", 2},
                                                   {"Germany", 1}, {"Russia", 2},
                                                   {"Italy", 0},   {"France", 2},
                                                   {"Japan", 0},   {"Austria-Hungary", 1},
                                                   {"Turkey", 1},  {"United States of America", 0}};
    e.Int(10);
    for (const auto& [name, group] : nations) e.Str(name).Str("No Notes").Int(group);
    const std::tuple<int, const char*, double> guns[] = {
        {1, "3", 0.33},  {1, "4", 0.5},    {1, "4.7", 0.5},  {1, "5.5", 0.6},   {1, "6", 0.7},
        {1, "7.5", 0.8}, {1, "9.2", 1.5},  {1, "12", 2.25},  {1, "13.5", 2.94}, {1, "14", 3.0},
        {1, "15", 4.0},  {2, "3.4", 0.33}, {2, "3.5", 0.33}, {2, "4.1", 0.5},   {2, "5", 0.5},
        {2, "5.9", 0.7}, {2, "6", 0.7},    {2, "8.2", 1.0},  {2, "11", 2.0},    {2, "12", 2.6},
        {2, "15", 3.5}};
    e.Int(21);
    for (const auto& [nation, calibre, af] : guns) {
        e.Str(calibre).Int(1);
        for (int band = 0; band < 10; ++band) e.Str("");
        e.Int(nation).Real(af).Str("");
    }
    e.Int(2).Real(18.0).Int(3000).Real(21.0).Int(6000);
    e.Int(0).Int(0).Int(0);
    return e.bytes;
}

TEST(DocumentFile, NewDocumentIsTheDefaultFileAndLoadingReplacesItOrRefusesDamage) {
    CBrinnowDoc doc;
    EXPECT_EQ(doc.SaveToBytes(), NewDocumentBytes());
    EXPECT_FALSE(doc.IsModified());
    // Loading a shorter file shrinks the lists.
    doc.m_nations.resize(3);
    doc.m_armaments.clear();
    CBrinnowDoc big;
    GenerateDocument(big, {});
    ASSERT_TRUE(big.LoadFromBytes(doc.SaveToBytes(), "small"));
    EXPECT_EQ(big.SaveToBytes(), doc.SaveToBytes());
    // A failed open keeps the document and its modified flag.
    big.m_ships.resize(2);
    big.SetModifiedFlag(TRUE);
    EXPECT_FALSE(big.OnOpenDocument("/nonexistent/nothing.brn"));
    EXPECT_EQ(big.m_ships.size(), 2u);
    EXPECT_TRUE(big.IsModified());
    EXPECT_NE(big.ErrorMessage().find("nothing.brn"), std::string::npos);

    // Hostile counts are refused quickly; every message names the record read.
    std::string bytes = doc.SaveToBytes();
    // The ship count sits just before the last two counts.
    const std::size_t shipCount = bytes.size() - 12;
    for (const std::int32_t count : {-1, 1, 0x7FFFFFFF}) {
        std::memcpy(bytes.data() + shipCount, &count, 4);
        ASSERT_FALSE(doc.LoadFromBytes(bytes, "hostile"));
        EXPECT_NE(doc.ErrorMessage().find("number of ships"), std::string::npos)
            << doc.ErrorMessage();
    }
    // A force count deep inside a scenario.
    doc.m_scenarios.emplace_back();
    bytes = doc.SaveToBytes();
    const std::int32_t huge = 100000000;
    std::memcpy(bytes.data() + bytes.size() - 4, &huge, 4);
    EXPECT_FALSE(doc.LoadFromBytes(bytes, "hostile"));
    EXPECT_NE(doc.ErrorMessage().find("scenario 1 of 1 (\"New Scenario\")"), std::string::npos)
        << doc.ErrorMessage();
}

TEST(DocumentReferences, ShiftingReachesShipsAndForceCopies) {
    CBrinnowDoc doc;
    doc.m_ships.resize(3);
    doc.m_ships.Modify(0).m_nMainArmament = 5;
    doc.m_ships.Modify(1).m_nMainArmament = 4;
    doc.m_ships.Modify(2).m_nMainArmament = 7;
    doc.m_ships.Modify(2).m_nSecondaryArmament = 0;
    VxScenario scenario;
    scenario.m_forces.resize(1);
    scenario.m_forces[0].m_ships = doc.m_ships;
    doc.m_scenarios.push_back(scenario);

    doc.ShiftArmamentReferences(5, +1);
    EXPECT_EQ(doc.m_ships[0].m_nMainArmament, 6);
    EXPECT_EQ(doc.m_ships[1].m_nMainArmament, 4);
    EXPECT_EQ(doc.m_scenarios[0].m_forces[0].m_ships[0].m_nMainArmament, 6);

    doc.ShiftArmamentReferences(6, -1);  // removal of position 5
    EXPECT_EQ(doc.m_ships[0].m_nMainArmament, 5);
    EXPECT_EQ(doc.m_ships[2].m_nMainArmament, 7);
    EXPECT_EQ(doc.m_scenarios[0].m_forces[0].m_ships[2].m_nMainArmament, 7);

    doc.ShiftArmamentReferences(0, -1);  // a reference of 0 never goes negative
    EXPECT_EQ(doc.m_ships[2].m_nSecondaryArmament, 0);
    EXPECT_EQ(doc.m_ships[1].m_nMainArmament, 3);

    // Removing the last armament leaves a reference past the end.
    doc.m_ships.Modify(2).m_nMainArmament = 20;
    doc.RemoveArmament(20);
    EXPECT_EQ(doc.m_armaments.size(), 20u);
    EXPECT_EQ(doc.m_ships[2].m_nMainArmament, 20);
    EXPECT_EQ(doc.m_ships[2].MainArmamentIn(doc.m_armaments), nullptr);
}

// What a load says about a file it cannot take whole.
std::string Saved(const DocumentShape& shape) {
    CBrinnowDoc doc;
    GenerateDocument(doc, shape);
    return doc.SaveToBytes();
}

TEST(LoadMessages, EveryTruncationOrTextIsRefusedAndSaysWhy) {
    const std::string bytes = Saved({6, 2, 1, 2, 2, 7});
    const std::string fresh = CBrinnowDoc().SaveToBytes();
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        CBrinnowDoc doc;
        doc.SetModifiedFlag(TRUE);
        ASSERT_FALSE(doc.LoadFromBytes(bytes.substr(0, length), "f.brn")) << length;
        ASSERT_EQ(doc.SaveToBytes(), fresh) << length;
        ASSERT_FALSE(doc.IsModified());
        const std::string expected = length == 0
                                         ? "\"f.brn\" is not a Brinnow document: the file is empty."
                                         : "\"f.brn\" is not a valid Brinnow document: at byte ";
        ASSERT_EQ(doc.ErrorMessage().rfind(expected, 0), 0u) << doc.ErrorMessage();
        // A count that a cut file announces is right: it is the end that is missing.
        ASSERT_EQ(doc.ErrorMessage().find("impossible"), std::string::npos) << doc.ErrorMessage();
    }
    // A file cut short says it ends before the records it announces.
    CBrinnowDoc doc;
    doc.m_ships.resize(19);
    std::string cut = doc.SaveToBytes();
    cut.resize(cut.size() - 19 * 60);
    ASSERT_FALSE(doc.LoadFromBytes(cut, "cut.brn"));
    EXPECT_NE(doc.ErrorMessage().find(
                  "while reading the number of ships, the file ends before the 19 records it "
                  "announces."),
              std::string::npos)
        << doc.ErrorMessage();

    // A text file is not a document.
    for (const std::string text :
         {"Dear Admiral,\r\nthe fleet sails at dawn.", "\xEF\xBB\xBF{}", "\t\t\t\t1,2,3"}) {
        ASSERT_FALSE(doc.LoadFromBytes(text, "letter.txt"));
        EXPECT_EQ(doc.ErrorMessage(),
                  "\"letter.txt\" is not a Brinnow document: it holds text where a document "
                  "begins with its list of nations.");
    }
    // Binary rubbish is still described by the byte where it fails.
    ASSERT_FALSE(doc.LoadFromBytes(std::string("\xFF\xFF\xFF\xFF", 4), "rubbish"));
    EXPECT_NE(doc.ErrorMessage().find("the count -1 is impossible"), std::string::npos);
}

TEST(LoadMessages, RecordNamesAreEscapedAndCutShortAndTrailingBytesWarnedOf) {
    for (const std::size_t padding : {std::size_t(0), std::size_t(1) << 20}) {
        CBrinnowDoc original;
        original.m_ships.resize(2);
        original.m_ships.Modify(0).m_strNotes = std::string(1000, 'n');
        original.m_ships.Modify(1).m_strName =
            "Evil\r\nName\x01\x7F\xE9" + std::string(padding, 'x');
        std::string bytes = original.SaveToBytes();
        bytes.resize(bytes.size() - 30);  // inside the ship
        CBrinnowDoc doc;
        ASSERT_FALSE(doc.LoadFromBytes(bytes, "f"));
        const std::string& message = doc.ErrorMessage();
        EXPECT_NE(message.find("ship 2 of 2 (\"Evil\\r\\nName\\x01\\x7F\xC3\xA9"),
                  std::string::npos)
            << message;
        EXPECT_LT(message.size(), 300u);
        EXPECT_EQ(message.find_first_of("\r\n\x01\x7F"), std::string::npos);
        EXPECT_EQ(message.find("\xE2\x80\xA6\")") != std::string::npos, padding > 0);
    }
    // Bytes after the last list are loaded with a warning.
    const std::string bytes = Saved({4, 1, 1, 1, 2});
    CBrinnowDoc doc;
    ASSERT_TRUE(doc.LoadFromBytes(bytes + std::string(1234, '\0'), "long.brn"));
    EXPECT_EQ(doc.LoadWarning(),
              "\"long.brn\" holds 1,234 bytes after its last scenario. They were not read, and "
              "saving the document will not keep them.");
    EXPECT_EQ(doc.SaveToBytes(), bytes);
    ASSERT_TRUE(doc.LoadFromBytes(bytes, "clean.brn"));
    EXPECT_EQ(doc.LoadWarning(), "");

    // A damaged count that makes most of a file trailing.
    CBrinnowDoc three;
    GenerateDocument(three, {4, 1, 3});
    std::string damaged = three.SaveToBytes();
    CBrinnowDoc withoutScenarios = three;
    withoutScenarios.m_scenarios.clear();
    const std::int32_t one = 1;
    std::memcpy(damaged.data() + withoutScenarios.SaveToBytes().size() - 4, &one, 4);
    ASSERT_TRUE(doc.LoadFromBytes(damaged, "flipped.brn"));
    EXPECT_EQ(doc.m_scenarios.size(), 1u);
    EXPECT_NE(doc.LoadWarning().find("bytes after its last scenario"), std::string::npos);
}

}  // namespace
