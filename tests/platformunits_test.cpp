// The platform's small units: the code page, numbers read from text, and
// jobs run on several threads.
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <limits>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/armament.h"
#include "platform/numbers.h"
#include "platform/orderedworkers.h"
#include "platform/textformat.h"
#include "tests/support/documentgenerator.h"

namespace {

// Documents hold Windows-1252 bytes; every byte must come back from Unicode
// exactly, or an untouched text changes when it passes through a widget.
TEST(CodePage, EveryByteSurvivesUtf16AndUtf8AndOtherCharactersDoNot) {
    const std::string bytes = AllBytes();
    const std::u16string wide = Cp1252ToUtf16(bytes);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(std::set<char16_t>(wide.begin(), wide.end()).size(), 256u)
        << "two bytes share a character";
    EXPECT_EQ(Cp1252FromUtf16(wide), bytes);
    EXPECT_EQ(Cp1252FromUtf8(Cp1252ToUtf8(bytes)), bytes);
    // Characters at the edges of the ranges, and outside them.
    const struct {
        unsigned char byte;
        char16_t unicode;
    } cases[] = {{0x7F, 0x7F}, {0x80, 0x20AC}, {0x81, 0x81},   {0x8C, 0x0152},
                 {0x8D, 0x8D}, {0x8F, 0x8F},   {0x90, 0x90},   {0x91, 0x2018},
                 {0x9D, 0x9D}, {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xFF, 0x00FF}};
    for (const auto& c : cases) {
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(Cp1252ToUtf16(byte), std::u16string(1, c.unicode)) << int(c.byte);
        EXPECT_EQ(Cp1252FromUtf16(std::u16string(1, c.unicode)), byte) << int(c.byte);
    }
    EXPECT_EQ(Cp1252ToUtf8("\xA0"), "\xC2\xA0");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
    // Characters outside the code page become a question mark.
    // U+0080 and U+009F have bytes of their own in Latin-1 but not here.
    EXPECT_EQ(Cp1252FromUtf16(u"\u0080\u009F\u03A9\u0416"), "????");
    EXPECT_EQ(Cp1252FromUtf16(u"a\U0001F6A2b"), "a?b");  // one character, not two
    EXPECT_EQ(Cp1252FromUtf8("\xE2\x84\xA6"), "?");      // the ohm sign
}

// Numbers taken from text and from doubles of a file.
TEST(Numbers, TheLeadingNumberOfACalibreReadsDecimalDigitsOnly) {
    const std::pair<const char*, double> numbers[] = {
        {"12", 12.0}, {" 4.7 in", 4.7}, {"-3", -3.0}, {".5", 0.5}, {"1e3", 1.0}};
    for (const auto& [text, number] : numbers) EXPECT_EQ(LeadingNumber(text), number) << text;
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

// Jobs run on several threads, their results taken in order.
TEST(OrderedWorkers, ResultsArriveInJobOrderWhateverTheWindow) {
    for (const std::size_t ahead : {std::size_t(1), std::size_t(3), std::size_t(64)}) {
        constexpr std::size_t kJobs = 10000;
        std::vector<std::size_t> order;
        OrderedWorkers::Run(
            kJobs, OrderedWorkers::WorkerCount(kJobs), ahead,
            [&](std::size_t job, std::size_t) { return std::to_string(job); },
            [&](std::size_t job, std::string&& result) {
                EXPECT_EQ(result, std::to_string(job));
                order.push_back(job);
            });
        ASSERT_EQ(order.size(), kJobs);
        for (std::size_t i = 0; i < kJobs; ++i) ASSERT_EQ(order[i], i);
    }
    // No jobs run nothing.
    OrderedWorkers::Run(
        0, 2, 8, [](std::size_t, std::size_t) -> std::string { throw std::logic_error("ran"); },
        [](std::size_t, std::string&&) { FAIL(); });
    EXPECT_EQ(OrderedWorkers::WorkerCount(0), 1u);
}

// A consumer that gives up does not leave workers waiting; a failed job
// reaches the caller in its turn.
TEST(OrderedWorkers, AFailureOnEitherSideEndsTheRun) {
    std::atomic<std::size_t> produced = 0;
    EXPECT_THROW(OrderedWorkers::Run(
                     100000, 2, 4,
                     [&](std::size_t job, std::size_t) {
                         ++produced;
                         return std::to_string(job);
                     },
                     [](std::size_t job, std::string&&) {
                         if (job == 10) throw std::runtime_error("disk full");
                     }),
                 std::runtime_error);
    EXPECT_LT(produced, 100u);  // the window keeps the workers near the consumer

    std::vector<std::size_t> consumed;
    EXPECT_THROW(OrderedWorkers::Run(
                     1000, 3, 16,
                     [](std::size_t job, std::size_t) -> std::string {
                         if (job == 5) throw std::bad_alloc();
                         return std::to_string(job);
                     },
                     [&](std::size_t job, std::string&&) { consumed.push_back(job); }),
                 std::bad_alloc);
    EXPECT_EQ(consumed, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
}

}  // namespace
