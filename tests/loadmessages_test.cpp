// What a load says about a file it cannot take whole.
#include <gtest/gtest.h>

#include <cstring>

#include "model/brinnowdoc.h"
#include "tests/support/documentgenerator.h"

namespace {

std::string Saved(const DocumentShape& shape) {
    CBrinnowDoc doc;
    GenerateDocument(doc, shape);
    return doc.SaveToBytes();
}

TEST(LoadMessages, EveryTruncationOrTextIsRefusedAndSaysWhy) {
    const std::string bytes = Saved({6, 2, 1, 2, 2, 7});
    const std::string fresh = CBrinnowDoc().SaveToBytes();
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        CBrinnowDoc doc;
        doc.SetModifiedFlag(TRUE);
        ASSERT_FALSE(doc.LoadFromBytes(bytes.substr(0, length), "f.brn")) << length;
        ASSERT_EQ(doc.SaveToBytes(), fresh) << length;
        ASSERT_FALSE(doc.IsModified());
        const std::string expected = length == 0
                                         ? "\"f.brn\" is not a Brinnow document: the file is empty."
                                         : "\"f.brn\" is not a valid Brinnow document: at byte ";
        ASSERT_EQ(doc.ErrorMessage().rfind(expected, 0), 0u) << doc.ErrorMessage();
        // A count that a cut file announces is right: it is the end that is missing.
        ASSERT_EQ(doc.ErrorMessage().find("impossible"), std::string::npos) << doc.ErrorMessage();
    }
    // A file cut short says it ends before the records it announces.
    CBrinnowDoc doc;
    doc.m_ships.resize(19);
    std::string cut = doc.SaveToBytes();
    cut.resize(cut.size() - 19 * 60);
    ASSERT_FALSE(doc.LoadFromBytes(cut, "cut.brn"));
    EXPECT_NE(doc.ErrorMessage().find(
                  "while reading the number of ships, the file ends before the 19 records it "
                  "announces."),
              std::string::npos)
        << doc.ErrorMessage();

    // A text file is not a document.
    for (const std::string text :
         {"Dear Admiral,\r\nthe fleet sails at dawn.", "\xEF\xBB\xBF{}", "\t\t\t\t1,2,3"}) {
        ASSERT_FALSE(doc.LoadFromBytes(text, "letter.txt"));
        EXPECT_EQ(doc.ErrorMessage(),
                  "\"letter.txt\" is not a Brinnow document: it holds text where a document "
                  "begins with its list of nations.");
    }
    // Binary rubbish is still described by the byte where it fails.
    ASSERT_FALSE(doc.LoadFromBytes(std::string("\xFF\xFF\xFF\xFF", 4), "rubbish"));
    EXPECT_NE(doc.ErrorMessage().find("the count -1 is impossible"), std::string::npos);
}

TEST(LoadMessages, RecordNamesAreEscapedAndCutShortAndTrailingBytesWarnedOf) {
    for (const std::size_t padding : {std::size_t(0), std::size_t(1) << 20}) {
        CBrinnowDoc original;
        original.m_ships.resize(2);
        original.m_ships.Modify(0).m_strNotes = std::string(1000, 'n');
        original.m_ships.Modify(1).m_strName =
            "Evil\r\nName\x01\x7F\xE9" + std::string(padding, 'x');
        std::string bytes = original.SaveToBytes();
        bytes.resize(bytes.size() - 30);  // inside the ship
        CBrinnowDoc doc;
        ASSERT_FALSE(doc.LoadFromBytes(bytes, "f"));
        const std::string& message = doc.ErrorMessage();
        EXPECT_NE(message.find("(\"Evil\\r\\nName\\x01\\x7F\xC3\xA9"), std::string::npos)
            << message;
        EXPECT_LT(message.size(), 300u);
        EXPECT_EQ(message.find_first_of("\r\n\x01\x7F"), std::string::npos);
        EXPECT_EQ(message.find("\xE2\x80\xA6\")") != std::string::npos, padding > 0);
    }
    // Bytes after the last list are loaded with a warning.
    const std::string bytes = Saved({4, 1, 1, 1, 2});
    CBrinnowDoc doc;
    ASSERT_TRUE(doc.LoadFromBytes(bytes + std::string(1234, '\0'), "long.brn"));
    EXPECT_EQ(doc.LoadWarning(),
              "\"long.brn\" holds 1,234 bytes after its last scenario. They were not read, and "
              "saving the document will not keep them.");
    EXPECT_EQ(doc.SaveToBytes(), bytes);
    ASSERT_TRUE(doc.LoadFromBytes(bytes, "clean.brn"));
    EXPECT_EQ(doc.LoadWarning(), "");

    // A damaged count that makes most of a file trailing.
    CBrinnowDoc three;
    GenerateDocument(three, {4, 1, 3});
    std::string damaged = three.SaveToBytes();
    CBrinnowDoc withoutScenarios = three;
    withoutScenarios.m_scenarios.clear();
    const std::int32_t one = 1;
    std::memcpy(damaged.data() + withoutScenarios.SaveToBytes().size() - 4, &one, 4);
    ASSERT_TRUE(doc.LoadFromBytes(damaged, "flipped.brn"));
    EXPECT_EQ(doc.m_scenarios.size(), 1u);
    EXPECT_NE(doc.LoadWarning().find("bytes after its last scenario"), std::string::npos);
}

}  // namespace
