#include <gtest/gtest.h>

#include <QImage>
#include <limits>

#include "model/brinnowdoc.h"
#include "print/cardimage.h"
#include "tests/support/recordingdc.h"
#include "tests/support/sampleship.h"

namespace {

// Cards at p = 23 (A4 at 600 dpi) with origin (0, 0). The recording surface
// makes the label text 36 pixels high.
class Card : public ::testing::Test {
  protected:
    void Draw(int mode = 0, int width = 4500) {
        dc.log.clear();
        ship.DrawCard(dc, 23, 0, 0, doc.m_armaments, mode, width);
    }
    std::string Text(const std::string& text) { return dc.TextEntry(text); }
    CBrinnowDoc doc;
    VxShip ship;
    RecordingDC dc;
};

TEST_F(Card, PlainMainFiguresCentredMerchantsShowCargoAndCarriersMarkTheirFigures) {
    ship.m_nShipType = 6;
    ship.m_dMainAF = {4, 3, 2.25, 0};
    Draw();
    EXPECT_EQ(Text("4"), "TextOut 120 299 align=6 h=69 4");
    EXPECT_EQ(Text("3"), "TextOut 361 299 align=6 h=69 3");
    EXPECT_EQ(Text("2.25"), "TextOut 602 299 align=6 h=69 2.25");
    EXPECT_EQ(dc.Find("TextOut 843 299").size(), 0u);
    EXPECT_EQ(dc.Find("Line 120").size(), 0u);  // no half rules

    // Merchants show cargo; small figures of 43 px: ty = trunc(172.5 + 161 - 21).
    ship.m_nShipType = 0;
    ship.m_dMainAF = {0, 1, 0, 0};
    Draw();
    EXPECT_TRUE(dc.Has("TextOut 120 312 align=6 h=43 Cargo"));
    EXPECT_TRUE(dc.Has("TextOut 361 312 align=6 h=43 1/Cargo"));

    // An aeroplane carrier marks its figures and counts whole aircraft.
    VxArmament aircraft("Aircraft", 1, 1);
    aircraft.m_bGun = FALSE;
    const int at = doc.InsertArmament(aircraft);
    ship.m_nShipType = 10;
    ship.m_nSecondaryArmament = at;
    ship.m_dSecondaryAF = {12, 0, 0, 0};
    ship.m_dMainAF = {1, 2, 3, 4};
    Draw();
    EXPECT_EQ(Text("12 A/C"), "TextOut 54 89 align=0 h=36 12 A/C");
    EXPECT_EQ(Text("S="), "");
    EXPECT_TRUE(dc.Has("TextOut 120 299 align=6 h=69 1 FD"));
    EXPECT_TRUE(dc.Has("TextOut 361 299 align=6 h=69 2 HD"));
    EXPECT_TRUE(dc.Has("TextOut 843 299 align=6 h=69 4 HD"));

    ship.m_nShipType = 3;  // a seaplane carrier carries no marks
    Draw();
    EXPECT_TRUE(dc.Has("TextOut 120 299 align=6 h=69 1"));

    // Aircraft counts of any double are whole numbers; only a count above
    // zero makes a carrier.
    ship.m_nShipType = 0;
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [count, text] :
         {std::pair{inf, "2147483647 A/C"}, {1e300, "2147483647 A/C"}, {3.99, "3 A/C"}}) {
        ship.m_dSecondaryAF = {count, 0, 0, 0};
        Draw();
        EXPECT_NE(Text(text), "") << text;
    }
}

TEST_F(Card, SplitLayoutRingsEighteenInchTorpedoesBracketsTwentyOneInchAndFlotillasRingOnly) {
    ship.m_nShipType = 8;
    ship.m_dMainAF = {3, 3, 2, 2};
    ship.m_nSecondaryArmament = 4;
    ship.m_dSecondaryAF = {2, 2, 1, 1};
    ship.m_nTorpedoAF = {3, 2, 0, 0};
    // The ringed layout's places are pinned by the reference image.
    Draw();
    EXPECT_EQ(dc.Find("Ellipse").size(), 8u);

    // Twenty-one inch torpedoes are bracketed without rings.
    ship.m_nTorpedo = 1;
    Draw();
    EXPECT_TRUE(dc.Has("TextOut 120 331 align=8 h=43 2 (3 )"));
    EXPECT_TRUE(dc.Has("TextOut 602 335 align=0 h=43 1 (- )"));
    EXPECT_EQ(dc.Find("Ellipse").size(), 0u);

    // A flotilla shows ringed torpedo figures only.
    ship = VxShip();
    ship.m_nShipType = 11;
    ship.m_bFlotilla = TRUE;
    ship.m_dMainAF = {1, 1, 1, 1};
    ship.m_dSecondaryAF = {2, 2, 2, 2};
    ship.m_nTorpedoAF = {4, 3, 2, 1};
    Draw();
    // Torpedo font 64 px: d = 76, ty = 161 + 172 - 32 = 301.
    EXPECT_TRUE(dc.Has("Ellipse 131 301 206 377"));
    EXPECT_TRUE(dc.Has("TextOut 156 301 align=6 h=64   4"));
    EXPECT_TRUE(dc.Has("TextOut 879 301 align=6 h=64   1"));
    EXPECT_EQ(dc.Find("TextOut 120 331").size(), 0u);  // no secondary figures
    EXPECT_EQ(dc.Find("TextOut 60 ").size(), 1u);      // main figures are split
}

TEST_F(Card, BlankCardShowsNoFiguresAndBadIndexesDrawEmptyTexts) {
    ship.m_dMainAF = {4, 4, 4, 4};
    ship.DrawBlankCard(dc, 23, 0, 0);
    EXPECT_EQ(dc.Find("TextOut").size(), 8u);

    // Indexes outside the lists draw empty texts.
    ship.m_nMainArmament = 500;
    ship.m_nSecondaryArmament = -3;
    ship.m_dSecondaryAF = {1, 1, 1, 1};
    ship.m_nShipType = 99;
    ship.m_nAARating = 1000;
    Draw(1);
    EXPECT_TRUE(dc.Has("TextOut 54 125 align=0 h=36 "));
    EXPECT_EQ(Text("AA="), "TextOut 816 200 align=0 h=36 AA=");
}

// A rendered card against a stored image, so that a change in drawing shows.
TEST(CardImageRendering, MatchesTheReferenceImage) {
    CBrinnowDoc doc;
    VxShip ship = SampleLion();
    ship.m_nTorpedo = 0;
    ship.m_nTorpedoAF = {2, 1, 0, 0};
    ship.m_bWingTurrets = TRUE;
    CardImage card;
    ship.CreateCardBitmap(card, 5.9, doc.m_armaments, false);
    ASSERT_EQ(card.Width(), 259);
    ASSERT_EQ(card.Height(), 129);

    const QString path = BRINNOW_TEST_DATA "/card_lion.png";
    if (qEnvironmentVariableIsSet("BRINNOW_UPDATE_REFERENCES")) card.Image().save(path);
    const QImage reference = QImage(path).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(reference.isNull()) << path.toStdString();
    const QImage rendered = card.Image().convertToFormat(QImage::Format_Grayscale8);
    ASSERT_EQ(reference.size(), rendered.size());
    // Only anti-aliased edges may shade differently; a rule or a figure that
    // moves by a pixel turns black into white somewhere and fails.
    for (int y = 0; y < rendered.height(); ++y) {
        for (int x = 0; x < rendered.width(); ++x) {
            const int difference =
                std::abs(qGray(rendered.pixel(x, y)) - qGray(reference.pixel(x, y)));
            ASSERT_LE(difference, 48) << "at (" << x << ", " << y << ")";
        }
    }
}

}  // namespace
