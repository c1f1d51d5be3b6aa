// Edit boxes keep untouched document text byte for byte and refuse text a
// document cannot hold.
#include "editors/textboxes.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "tests/support/scriptedanswers.h"

namespace {

// Texts that a plain-text box would not hand back as they came.
const CString kAwkwardTexts[] = {
    "no\xA0"
    "break\xA0space",
    "lone\rCR",
    "lone\nLF",
    "trailing blanks   ",
    "mixed\r\n\r\rend\n",
    "\r\n",
    "\xA0",
    std::string(100000, '\xA0') + "\r"};

TEST(TextBoxes, UntouchedTextComesBackByteForByteAndChangedTextKeepsItsNoBreakSpaces) {
    QLineEdit line;
    QPlainTextEdit lines;
    for (const CString& text : kAwkwardTexts) {
        SetBoxText(&line, text);
        SetBoxText(&lines, text);
        EXPECT_EQ(BoxText(&line), text);
        EXPECT_EQ(BoxText(&lines), text);
    }
    // Changed text keeps its no-break spaces.
    SetBoxText(&lines,
               "a\xA0"
               "b");
    lines.setPlainText(QString::fromUtf8("a\u00A0b\nc"));
    EXPECT_EQ(BoxText(&lines),
              "a\xA0"
              "b\r\nc");
    SetBoxText(&line, "x");
    line.setText(QString::fromUtf8("x\u00A0 "));
    EXPECT_EQ(BoxText(&line), "x\xA0 ");
}

TEST(Typing, CharactersOutsideTheCodePageAreRefusedWithTheirNames) {
    QWidget dialog;
    auto* line = new QLineEdit(&dialog);
    auto* lines = new QPlainTextEdit(&dialog);
    RefuseForeignCharacters(&dialog);
    RefuseForeignCharacters(&dialog);  // a second call adds no second check
    ScriptedAnswers scripted;
    line->setFocus();
    line->insert(QString::fromUtf8("Lion \u03A9"));
    EXPECT_EQ(line->text(), "Lion ");
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0],
              "A Brinnow document cannot hold these characters, so they were left out: "
              "\"\u03A9\" (U+03A9).");

    lines->insertPlainText(QString::fromUtf8("\u0416\u0416 caf\u00E9 \u20AC \U0001F6A2!"));
    EXPECT_EQ(lines->toPlainText(), QString::fromUtf8(" caf\u00E9 \u20AC !"));
    ASSERT_EQ(scripted.messages.size(), 2u);
    EXPECT_EQ(scripted.messages[1],
              "A Brinnow document cannot hold these characters, so they were left out: "
              "\"\u0416\" (U+0416), \"\U0001F6A2\" (U+1F6A2).");

    // Text the code page holds passes without a word, however long, line
    // breaks included, typed or given.
    lines->insertPlainText(QString(100000, QChar(0x20AC)));
    lines->insertPlainText("\nnew line\n");
    QTest::keyClick(lines, Qt::Key_Return);
    QTest::keyClick(lines, Qt::Key_Return, Qt::ShiftModifier);
    lines->setPlainText("Haze,\nvisibility 8 miles\n\n");
    EXPECT_EQ(lines->toPlainText(), "Haze,\nvisibility 8 miles\n\n");
    line->insert(QString::fromUtf8("\u00E9\u0153\u2122"));
    EXPECT_EQ(scripted.messages.size(), 2u);
}

}  // namespace
