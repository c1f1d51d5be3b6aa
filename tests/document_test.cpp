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
    // A file cut inside its last ship.
    CBrinnowDoc fleet;
    GenerateDocument(fleet, {3, 0, 0, 0, 0, 1});
    bytes = fleet.SaveToBytes();
    bytes.resize(bytes.size() - 20);
    ASSERT_FALSE(doc.LoadFromBytes(bytes, "fleet"));
    EXPECT_NE(doc.ErrorMessage().find("ship 3 of 3 (\"Ship 2\")"), std::string::npos)
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

}  // namespace
