#include "model/archive.h"

#include <gtest/gtest.h>

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

}  // namespace
