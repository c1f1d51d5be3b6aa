// Faster loading, saving and text export must not change a single byte: the
// figures here were taken from the straightforward code they replaced.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

#include "export/textexport.h"
#include "model/brinnowdoc.h"
#include "platform/filestore.h"
#include "platform/textformat.h"
#include "tests/support/documentgenerator.h"

namespace {

std::uint64_t Fnv1a(const std::string& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325;
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3;
    return hash;
}

// 2,000 ships in the shape of the benchmark campaign.
const CBrinnowDoc& Generated() {
    static const CBrinnowDoc* doc = [] {
        auto* generated = new CBrinnowDoc;
        GenerateDocument(*generated, {2000, 5000, 500, 4, 6, 42});
        return generated;
    }();
    return *doc;
}

TEST(SameOutput, SavedDocumentKeepsItsBytesThroughALoadAndAFileGetsTheSameBytes) {
    const std::string bytes = CBrinnowDoc(Generated()).SaveToBytes();
    EXPECT_EQ(bytes.size(), 3294823u);
    EXPECT_EQ(Fnv1a(bytes), 0xf08d038c65bc1d57u);
    CBrinnowDoc loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(bytes, "generated")) << loaded.ErrorMessage();
    EXPECT_TRUE(loaded.SaveToBytes() == bytes);

    // Saving to a file writes what SaveToBytes gives.
    CBrinnowDoc doc(Generated());
    const std::string path = testing::TempDir() + "/same_output.brn";
    doc.SetModifiedFlag(TRUE);
    ASSERT_TRUE(doc.OnSaveDocument(path)) << doc.ErrorMessage();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "same_output.brn");
    std::string written, error;
    ASSERT_TRUE(ReadWholeFile(path, written, error)) << error;
    EXPECT_TRUE(written == doc.SaveToBytes());
    CBrinnowDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path)) << reopened.ErrorMessage();
    EXPECT_TRUE(reopened.SaveToBytes() == written);
    EXPECT_EQ(reopened.GetPathName(), path);
    std::remove(path.c_str());
}

TEST(SameOutput, TextExportOfAGeneratedCampaignAndOfHostileNamesLineByLine) {
    const std::string text = ShipTextFile(Generated());
    EXPECT_EQ(text.size(), 199669u);
    EXPECT_EQ(Fnv1a(text), 0xfb1709ed4bfc4003u);

    // Every line break inside a quoted value leaves as CR LF too, just like the
    // breaks that end lines; one ship line alone keeps plain LF.
    CBrinnowDoc doc;
    doc.m_nations.Modify(1).m_strName = "Line\nbreak, \"quoted\"\r\n";
    doc.m_armaments.Modify(0).m_strNotes = "\n,";
    for (const char* name : {"\"", "\n", "\r", ",", "a\"\"b", "", "x\r\ny"}) {
        VxShip ship;
        ship.m_strName = name;
        ship.m_nNation = 1;
        ship.m_dMainAF = {-0.0, 1e300, 0.5, 2.5};
        ship.m_nTorpedoAF = {INT_MIN, INT_MAX, -1, 0};
        doc.m_ships.push_back(ship);
    }
    doc.m_ships.push_back(VxShip());
    doc.m_ships.Modify(doc.m_ships.size() - 1).m_strName = std::string(1 << 20, '"');
    std::string expected = kShipTextHeader;
    for (const VxShip& ship : doc.m_ships)
        expected += ship.GetTextLine(doc.m_nations, doc.m_armaments);
    EXPECT_TRUE(ShipTextFile(doc) == WithCrLf(expected));
}

std::string PrintfG3(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%1.3g", value);
    return buffer;
}

void ExpectSameAsPrintf(double value) {
    char buffer[kG3MaxChars];
    const std::string ours(buffer, WriteG3(buffer, value));
    ASSERT_EQ(ours, PrintfG3(value)) << "bits " << std::hex << std::bit_cast<std::uint64_t>(value);
}

TEST(FormatG3, SpecialValuesRoundingEdgesPowersOfTenRandomBitsAndTheDirectlyWrittenRange) {
    const double specials[] = {0.0,      -0.0,      INFINITY,    -INFINITY,  NAN,          -NAN,
                               DBL_MAX,  -DBL_MAX,  DBL_MIN,     -DBL_MIN,   DBL_TRUE_MIN, 1e-4,
                               9.995e-5, 9.9949e-5, 0.0001,      0.00009999, 999.5,        999.49,
                               99.95,    9.995,     1.005,       2.675,      0.125,        0.0625,
                               1e15,     1e16,      123456789.0, 1e100,      1e-100,       4.0 / 3};
    for (const double value : specials) ExpectSameAsPrintf(value);
    EXPECT_EQ(FormatG3(-0.0), "-0");
    EXPECT_EQ(FormatG3(1234), "1.23e+03");
    EXPECT_EQ(FormatG3(0.00001), "1e-05");
    EXPECT_EQ(FormatG3(2.94), "2.94");

    // Powers of ten, their neighbours and random bit patterns.
    std::mt19937_64 random(11);
    for (int i = 0; i < 500000; ++i) ExpectSameAsPrintf(std::bit_cast<double>(random()));
    for (int e = -320; e <= 308; ++e) {
        const double power = std::pow(10.0, e);
        for (const double value :
             {power, std::nextafter(power, 0.0), std::nextafter(power, INFINITY), power * 9.995,
              power * 9.9949999, power * 0.5, -power}) {
            ExpectSameAsPrintf(value);
        }
    }

    // The range written without the general conversion: binary ties, decimal
    // near-ties on both sides, decade edges and plain random values.
    for (int n = 1; n <= 32000; ++n) ExpectSameAsPrintf(n / 32.0);
    for (int n = 1; n <= 999999; n += 7) {
        const double value = n / 1000.0;
        ExpectSameAsPrintf(value);
        ExpectSameAsPrintf(std::nextafter(value, 0.0));
        ExpectSameAsPrintf(std::nextafter(value, INFINITY));
    }
    for (const double edge : {0.001, 0.01, 0.1, 1.0, 10.0, 100.0, 999.5, 0.0009995, 0.00995, 0.0995,
                              0.995, 9.995, 99.95}) {
        ExpectSameAsPrintf(edge);
        ExpectSameAsPrintf(-std::nextafter(edge, 0.0));
        ExpectSameAsPrintf(std::nextafter(edge, INFINITY));
    }
    std::mt19937_64 direct(13);
    std::uniform_real_distribution<double> anywhere(0.0005, 1000.0);
    for (int i = 0; i < 300000; ++i) ExpectSameAsPrintf(anywhere(direct));
}

}  // namespace
