#include "print/textlayout.h"

#include <gtest/gtest.h>

#include "tests/support/recordingdc.h"

namespace {

// With a 10-pixel font every character is 5 pixels wide.
class TextLayout : public ::testing::Test {
  protected:
    TextLayout() { dc.SelectObject(font); }
    // The pieces the callers' loop draws for one line.
    std::vector<std::string> Pieces(const std::string& line, int width) {
        std::vector<std::string> pieces;
        int next = 0;
        for (CString piece = FitTextLine(dc, width, line, 0, next); !piece.empty();
             piece = FitTextLine(dc, width, line, next + 1, next)) {
            pieces.push_back(piece);
            if (pieces.size() > line.size() + 1) break;  // never loops for ever
        }
        return pieces;
    }
    std::string Joined(const std::string& line, int width) {
        std::string joined;
        for (const std::string& piece : Pieces(line, width)) joined += piece;
        return joined;
    }
    RecordingDC dc;
    CFont font{-10, 400, false, "Arial"};
};

TEST_F(TextLayout, TextBlockHeightCountsWrappedLinesAsDrawnKeepsAHyphenAndTakesAMegabyteLinearly) {
    EXPECT_EQ(TextBlockHeight(dc, font, 100, ""), 0);
    EXPECT_EQ(TextBlockHeight(dc, font, 100, "fits"), 10);
    EXPECT_EQ(TextBlockHeight(dc, font, 30, "one two-three"), 30);
    EXPECT_EQ(TextBlockHeight(dc, font, 30, "abcdefghijklmnopqrstuvwxyz"), 50);
    EXPECT_EQ(TextBlockHeight(dc, font, 2, "abc"), 30);
    EXPECT_EQ(dc.GetCurrentFont(), font);
    // "aaaa-bbbbbbbbbb" into 40: "aaaa", then the height goes on with
    // "-bbbbbbbbbb", which has no break after its first character and is cut
    // at the width: "-bbbbbbb", "bbb". Drawing drops the hyphen.
    EXPECT_EQ(TextBlockHeight(dc, font, 40, "aaaa-bbbbbbbbbb"), 30);
    EXPECT_EQ(Pieces("aaaa-bbbbbbbbbb", 40), (std::vector<std::string>{"aaaa", "bbbbbbbb", "bb"}));

    // A megabyte line without breaks takes linear time.
    // 6 characters a line at width 30; done piece by piece within a window,
    // this finishes at once instead of measuring the whole rest each time.
    // The height stops counting past the surface's 7016 pixels.
    const std::string line(1 << 20, 'w');
    EXPECT_EQ(TextBlockHeight(dc, font, 30, line), 7020);
    EXPECT_TRUE(Joined(line, 30) == line);
    // Wide enough for a whole window: windows follow each other without a loss.
    EXPECT_EQ(TextBlockHeight(dc, font, 1 << 30, std::string(40000, 'w')), 100);
    EXPECT_TRUE(Joined(line, 1 << 30) == line);

    // Words and blanks only: the hyphen and comma quirks of the height aside,
    // the measure that page breaks rely on must match the lines drawn.
    const char* words[] = {"a", "bb", "ccc", "dddddd", "eeeeeeeeeeeeee", "ff"};
    unsigned seed = 7;
    for (int sample = 0; sample < 400; ++sample) {
        std::string line;
        for (int w = 0; w < 2 + sample % 13; ++w) {
            seed = seed * 1103515245 + 12345;
            if (!line.empty()) line += ' ';
            line += words[(seed >> 16) % 6];
        }
        const int width = 10 + 5 * (sample % 17);
        RecordingDC drawn;
        drawn.SelectObject(font);
        DrawWrappedText(drawn, 0, 0, width, 10, line);
        EXPECT_EQ(TextBlockHeight(dc, font, width, line), 10 * int(drawn.log.size()))
            << '"' << line << "\" at " << width;
    }
}

}  // namespace
