// Numbers taken from text and from doubles of a file.
#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "model/armament.h"
#include "platform/textformat.h"

namespace {

TEST(Numbers, TheLeadingNumberOfACalibreReadsDecimalDigitsOnly) {
    EXPECT_EQ(LeadingNumber("12"), 12.0);
    EXPECT_EQ(LeadingNumber(" 4.7 in"), 4.7);
    EXPECT_EQ(LeadingNumber("-3"), -3.0);
    EXPECT_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_EQ(LeadingNumber("1e3"), 1.0);
    for (const char* text :
         {"0x10", "Infantry", "inf", "NaN", "nan(1)", "", "-", ".", "+.x", "Aircraft"}) {
        EXPECT_EQ(LeadingNumber(text), 0.0) << text;
    }
    EXPECT_TRUE(std::isfinite(LeadingNumber(std::string(1 << 20, '9') + "x")));
    // A calibre without a number gets no inch mark and no place in the order.
    const VxArmament hex("0x10", 1.0, 1);
    const VxArmament twelve("12", 1.0, 1);
    EXPECT_EQ(hex.GetLabel().find('"'), CString::npos);
    // "0x10" sorts as text, not as a 16-inch gun after the 12-inch.
    EXPECT_TRUE(VxArmament::ComesBefore(hex, twelve));
    EXPECT_FALSE(VxArmament::ComesBefore(twelve, hex));
    const VxArmament aircraft("Aircraft", 1.0, 1);
    EXPECT_FALSE(VxArmament::ComesBefore(aircraft, twelve));
    // Every double has a whole number.
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(TruncatedInt(2.9), 2);
    EXPECT_EQ(TruncatedInt(-2.9), -2);
    EXPECT_EQ(TruncatedInt(std::nan("")), 0);
    EXPECT_EQ(TruncatedInt(kInf), INT_MAX);
    EXPECT_EQ(TruncatedInt(-kInf), INT_MIN);
    EXPECT_EQ(TruncatedInt(1e300), INT_MAX);
    EXPECT_EQ(TruncatedInt(-1e300), INT_MIN);
    EXPECT_EQ(TruncatedInt(2147483647.5), INT_MAX);
    EXPECT_EQ(TruncatedInt(-2147483648.5), INT_MIN);
}

}  // namespace
