// Documents hold Windows-1252 bytes; every byte must come back from Unicode
// exactly, or an untouched text changes when it passes through a widget.
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/support/documentgenerator.h"

namespace {

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

}  // namespace
