#include <gtest/gtest.h>

#include "model/archive.h"
#include "model/brinnowdoc.h"
#include "model/shipfilter.h"
#include "model/shipsearch.h"
#include "model/shiptables.h"

namespace {

std::string Stored(const CString& text) {
    std::string bytes;
    CArchive ar(CArchive::AppendTo(bytes));
    ar << text;
    ar.Flush();
    return bytes;
}

CString Loaded(const std::string& bytes) {
    CArchive ar(bytes.data(), bytes.size());
    CString text = "old";
    ar >> text;
    EXPECT_EQ(ar.BytesLeft(), 0u);
    return text;
}

// Short strings take a one-byte prefix, longer ones more; high bytes are
// kept as they are.
TEST(ArchiveStrings, PrefixesByLengthAndHighBytesRoundTrip) {
    const CString text = "Sk\xE5ne \x80 \xFF";
    EXPECT_EQ(Stored(text).substr(1), text);
    EXPECT_EQ(Loaded(Stored(text)), text);
    const struct {
        std::size_t length;
        std::string prefix;
    } cases[] = {
        {0, std::string(1, '\0')},
        {7, "\x07"},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {300, std::string("\xFF\x2C\x01", 3)},
        {65533, std::string("\xFF\xFD\xFF", 3)},
        {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
    };
    for (const auto& c : cases) {
        const CString text(c.length, 'q');
        const std::string bytes = Stored(text);
        EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(Loaded(bytes), text) << c.length;
    }
}

// Wide strings, marked FF FE FF, are read into the code page; cut strings
// of either kind are refused.
TEST(ArchiveStrings, WideStringsAreReadIntoTheCodePageAndTruncatedOnesRefused) {
    // "ab" and the euro sign, which is 0x80 in the code page.
    EXPECT_EQ(Loaded(std::string("\xFF\xFE\xFF\003a\0b\0\xAC\x20", 10)), "ab\x80");
    for (const std::string& bytes :
         {std::string("\005abc"), std::string("\xFF\x2C"), std::string("\xFF\xFF\xFF\x10"),
          std::string("\xFF\xFE\xFF\003a\0", 6)}) {
        CArchive ar(bytes.data(), bytes.size());
        CString text;
        EXPECT_THROW(ar >> text, CArchiveException);
    }

    for (const std::int32_t count : {-1, 3, 0x7FFFFFFF}) {
        std::string bytes;
        CArchive out(CArchive::AppendTo(bytes));
        out << count << std::int32_t(0);  // room for one 4-byte record only
        out.Flush();
        CArchive in(bytes.data(), bytes.size());
        try {
            in.ReadCount(4);
            FAIL() << count;
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.Offset(), 0u);
            EXPECT_NE(std::string(e.what()).find(std::to_string(count)), std::string::npos);
        }
    }
    std::string bytes("\x01\x00\x00\x00xxxx", 8);
    CArchive in(bytes.data(), bytes.size());
    EXPECT_EQ(in.ReadCount(4), 1u);
}

template <class T>
std::string Bytes(T record) {
    std::string bytes;
    CArchive ar(CArchive::AppendTo(bytes));
    record.Serialize(ar);
    ar.Flush();
    return bytes;
}

// The AF is no part of an armament's identity; its notes are.
TEST(Armament, NamesLabelsIdentityAndInsertionOrder) {
    VxArmament gun("12", 2.25, 1);
    EXPECT_EQ(gun.GetDisplayName(TRUE), "12 ");
    EXPECT_EQ(gun.GetDisplayName(FALSE), "12");
    EXPECT_EQ(gun.GetLabel(), "12\"");
    EXPECT_TRUE(gun.IsSameArmament(VxArmament("12", 2.5, 1)));
    gun.m_strNotes = "L/45";
    EXPECT_EQ(gun.GetLabel(), "12\"L/45");
    EXPECT_FALSE(gun.IsSameArmament(VxArmament("12", 2.25, 1)));
    EXPECT_EQ(VxArmament("Aircraft", 1, 1).GetLabel(), "Aircraft");
    EXPECT_EQ(VxArmament("0", 1, 1).GetLabel(), "0");
    EXPECT_EQ(VxTorpedo(18.0, 0).GetLabel(), "18\"");
    EXPECT_EQ(VxTorpedo(17.7, 0).GetLabel(), "17.7\"");

    // By nation, then by calibre as a number, then as text; in front of equals.
    CBrinnowDoc doc;
    const int at = doc.InsertArmament(VxArmament("3.0", 1, 1));
    EXPECT_EQ(at, 0);
    EXPECT_EQ(doc.m_armaments[1].m_strCalibre, "3");
    EXPECT_EQ(doc.InsertArmament(VxArmament("Aircraft", 1, 1)), 12);
    const int last = doc.InsertArmament(VxArmament("1", 1, 9));
    EXPECT_EQ(last, int(doc.m_armaments.size()) - 1);
}

// Within a nation names compare in letter case, capitals first; finding by
// name takes the first ship of the name, or a new ship.
TEST(Ship, OrderFindingByNameAndGuardedLookups) {
    CArray<VxShip> ships(3);
    ships[0].m_strName = "alpha";
    ships[1].m_strName = ships[2].m_strName = "Zeta";
    EXPECT_TRUE(ships[1] < ships[0]);
    EXPECT_FALSE(ships[0] < ships[1]);
    EXPECT_FALSE(ships[0] < ships[0]);
    ships[1].m_nNation = 4;
    EXPECT_EQ(FindShipByName(ships, "Zeta").m_nNation, 4);
    EXPECT_EQ(FindShipByName(ships, "zeta").m_strName, "New Ship");
    // Guarded lookups find nothing outside the lists.
    CBrinnowDoc doc;
    VxShip& ship = ships[0];
    ship.m_nNation = -1;
    ship.m_nMainArmament = 21;
    ship.m_nSecondaryArmament = 20;
    ship.m_dSecondaryAF[0] = 1;
    EXPECT_EQ(ship.NationIn(doc.m_nations), nullptr);
    EXPECT_EQ(ship.MainArmamentIn(doc.m_armaments), nullptr);
    ASSERT_NE(ship.SecondaryArmamentIn(doc.m_armaments), nullptr);
    EXPECT_FALSE(ship.IsCarrier(doc.m_armaments));
    EXPECT_STREQ(ShipTypeAbbreviation(14), "");
    EXPECT_STREQ(AARatingText(-1), "");
    EXPECT_STREQ(AARatingText(5), "1");
}

TEST(Squadron, EqualityOrderDifferenceAndAccessors) {
    VxSquadron a, b;
    a.m_strName = b.m_strName = "Grand Fleet";
    b.m_nNation = 1;
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a < b);
    b.m_nNation = 0;
    b.m_strCommander = "Jellicoe";
    EXPECT_TRUE(a == b);  // the commander is no part of equality
    a.m_shipNames = {"X", "Y"};
    EXPECT_EQ(a.GetShip(1), "Y");
    EXPECT_EQ(a.GetShip(2), "");
    EXPECT_EQ(a.GetAttachment(0), "");
}

// Finding ships by a text and filtering them.
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
    const std::tuple<int, int, bool> filters[] = {
        {3, -1, true}, {-1, 6, true}, {3, 6, true}, {3, 7, false}, {0, 6, false}};
    for (const auto& [nation, type, admits] : filters)
        EXPECT_EQ((ShipFilter{nation, type}.Admits(ship)), admits) << nation << " " << type;
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
