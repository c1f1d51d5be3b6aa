#include <gtest/gtest.h>

#include "model/archive.h"
#include "model/brinnowdoc.h"
#include "model/shiptables.h"

namespace {

template <class T>
std::string Bytes(T record) {
    std::string bytes;
    CArchive ar(CArchive::AppendTo(bytes));
    record.Serialize(ar);
    ar.Flush();
    return bytes;
}

template <class T>
T RoundTrip(T record) {
    const std::string bytes = Bytes(record);
    CArchive ar(bytes.data(), bytes.size());
    T loaded;
    loaded.Serialize(ar);
    EXPECT_EQ(ar.BytesLeft(), 0u);
    return loaded;
}

// A new record of each kind, and an aircraft armament, as the file lays
// them out.
TEST(NewRecords, Layout) {
    EXPECT_EQ(Bytes(VxNation("", "", 7)), std::string("\0\0\x07\0\0\0", 6));
    EXPECT_EQ(RoundTrip(VxNation("A", "x\r\ny", -4)).m_nGroupCode, -4);
    const std::string ship = Bytes(VxShip());
    EXPECT_EQ(ship.size(), 144u + 9 + 1 + 1);
    EXPECT_EQ(ship.substr(0, 9), "\x08New Ship");
    EXPECT_EQ(Bytes(VxSquadron()), "\x0CNew Squadron" + std::string(4 + 2 + 8 + 1, '\0'));
    EXPECT_EQ(Bytes(VxScenario()), "\x0CNew Scenario" + std::string(5 + 4, '\0'));
    EXPECT_EQ(Bytes(VxForce()), std::string(1 + 12 + 1, '\0'));
    VxArmament aircraft("Aircraft", 0.5, 1);
    aircraft.m_bGun = FALSE;
    aircraft.m_strNotes = "N";
    // Not a gun, ten empty range bands, the nation, the AF, the notes.
    EXPECT_EQ(Bytes(aircraft), std::string("\x08") + "Aircraft" + std::string(14, '\0') +
                                   std::string("\x01\0\0\0\0\0\0\0\0\0\xE0\x3F\x01N", 14));
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
    EXPECT_EQ(RoundTrip(VxTorpedo(21.0, 6000)).m_nValue, 6000);

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
    EXPECT_FALSE(RoundTrip(a).IsDifferent(a));
    EXPECT_EQ(a.GetShip(1), "Y");
    EXPECT_EQ(a.GetShip(2), "");
    EXPECT_EQ(a.GetAttachment(0), "");
}

TEST(Scenario, LoadingOverAnotherResizesItsForcesInPlace) {
    VxScenario small;
    small.m_forces.resize(1);
    small.m_forces[0].m_strName = "Only";
    VxScenario big;
    big.m_forces.resize(3);
    const std::string bytes = Bytes(small);
    CArchive ar(bytes.data(), bytes.size());
    big.Serialize(ar);
    ASSERT_EQ(big.m_forces.size(), 1u);
    EXPECT_EQ(big.m_forces[0].m_strName, "Only");
}

}  // namespace
