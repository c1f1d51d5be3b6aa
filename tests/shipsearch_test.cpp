#include "model/shipsearch.h"

#include <gtest/gtest.h>

#include "model/shipfilter.h"

namespace {

VxShip Ship(const char* name, const char* identifier = "", const char* notes = "") {
    VxShip ship;
    ship.m_strName = name;
    ship.m_strIdentifier = identifier;
    ship.m_strNotes = notes;
    return ship;
}

std::vector<std::size_t> AllRows(const CArray<VxShip>& ships) {
    std::vector<std::size_t> rows(ships.size());
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = i;
    return rows;
}

TEST(ShipSearch, MatchesNameIdentifierOrNotesInAnyCase) {
    const VxShip ship = Ship("HMS Dreadnought", "BB-01", "Sunk U-29\r\nby ramming");
    for (const char* text :
         {"dread", "DREADNOUGHT", "hms d", "bb-0", "u-29", "RAMMING", "\r\nby"}) {
        EXPECT_TRUE(ShipSearch(text).Matches(ship)) << text;
    }
    for (const char* text : {"dreadnoughts", "BB-02", "rammed", " hms"}) {
        EXPECT_FALSE(ShipSearch(text).Matches(ship)) << text;
    }
    EXPECT_FALSE(ShipSearch("").Matches(ship));
    EXPECT_TRUE(ShipSearch("").IsEmpty());

    // Names are Windows-1252 bytes: accented capitals fold to their small
    // letters, and signs that merely sit 32 apart do not.
    const VxShip french = Ship("\xC9mile Bertin \x8A\x8C\x8E\x9F \xD7");
    EXPECT_TRUE(ShipSearch("\xE9mile").Matches(french));
    EXPECT_TRUE(ShipSearch("\x9A\x9C\x9E\xFF").Matches(french));
    EXPECT_FALSE(ShipSearch("\xF7").Matches(french));  // the division sign is not a small x-sign
    EXPECT_EQ(FoldCase('\xDF'), 0xDF);                 // sharp s has no capital here
    EXPECT_EQ(FoldCase('@'), '@');
    EXPECT_EQ(FoldCase('['), '[');
}

TEST(ShipSearch, StepsBothWaysAndWrapsThroughTheRowsShownWhateverTheirSize) {
    CArray<VxShip> ships = {Ship("Alpha"), Ship("Bravo", "", "alpha's sister"), Ship("Charlie"),
                            Ship("Alphard")};
    const std::vector<std::size_t> rows = AllRows(ships);
    const ShipSearch search("ALPH");
    EXPECT_EQ(search.Next(ships, rows, std::nullopt, false), 0u);
    EXPECT_EQ(search.Next(ships, rows, std::nullopt, true), 3u);
    EXPECT_EQ(search.Next(ships, rows, 99, false), 0u);  // a start past the end is no start
    // The only match is found again from itself.
    EXPECT_EQ(ShipSearch("charlie").Next(ships, rows, 2, false), 2u);
    EXPECT_EQ(ShipSearch("delta").Next(ships, rows, 2, false), std::nullopt);
    EXPECT_EQ(search.Next(ships, {}, std::nullopt, false), std::nullopt);
    // Only the rows shown are looked at; rows naming ships that are gone are
    // passed over.
    ships[1].m_nNation = 2;
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < ships.size(); ++i) {
        if (ShipFilter{2, -1}.Admits(ships[i])) shown.push_back(i);
    }
    ASSERT_EQ(shown, (std::vector<std::size_t>{1}));
    EXPECT_EQ(ShipSearch("alpha").Next(ships, shown, std::nullopt, false), 0u);
    EXPECT_EQ(ShipSearch("alpha").Next(ships, {7, 3}, std::nullopt, false), 1u);
    // The filter admits by nation, by type or by both.
    VxShip& ship = ships[0];
    ship.m_nNation = 3;
    ship.m_nShipType = 6;
    EXPECT_FALSE(ShipFilter{}.IsActive());
    EXPECT_TRUE(ShipFilter{}.Admits(ship));
    EXPECT_TRUE((ShipFilter{3, -1}.Admits(ship)));
    EXPECT_TRUE((ShipFilter{-1, 6}.Admits(ship)));
    EXPECT_TRUE((ShipFilter{3, 6}.Admits(ship)));
    EXPECT_FALSE((ShipFilter{3, 7}.Admits(ship)));
    EXPECT_FALSE((ShipFilter{0, 6}.Admits(ship)));
    // Hostile sizes.
    const std::string megabyte(1 << 20, 'a');
    ships = CArray<VxShip>(10000, Ship("x"));
    ships[9999].m_strNotes = megabyte + "needle";
    ships[5000].m_strName = megabyte;
    const std::vector<std::size_t> all = AllRows(ships);
    EXPECT_EQ(ShipSearch("NEEDLE").Next(ships, all, std::nullopt, false), 9999u);
    // A text longer than every field, and one as long as the longest.
    EXPECT_EQ(ShipSearch(megabyte + megabyte).Next(ships, all, std::nullopt, false), std::nullopt);
    EXPECT_EQ(ShipSearch(megabyte).Next(ships, all, 5000, false), 9999u);
}

}  // namespace
