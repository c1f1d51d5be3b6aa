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

TEST_F(TextLayout, SplitLinesKeepsInnerEmptyLinesAndFitTextLineBreaksAtTheLastBreakOrTheWidth) {
    CStringArray lines{"stale"};
    SplitLines("a\r\n\r\nb\r\n", lines);
    EXPECT_EQ(lines, (CStringArray{"a", "", "b"}));
    SplitLines("", lines);
    EXPECT_TRUE(lines.empty());
    SplitLines("\r\n", lines);
    EXPECT_EQ(lines, CStringArray{""});
    SplitLines("one", lines);
    EXPECT_EQ(lines, CStringArray{"one"});

    // FitTextLine returns the rest when it fits, else breaks at the last break or the width.
    int next = -1;
    EXPECT_EQ(FitTextLine(dc, 100, "hello world", 6, next), "world");
    EXPECT_EQ(next, 11);
    // 18 characters, 90 pixels, into 50: estimate 11 characters "alpha,beta,".
    EXPECT_EQ(Pieces("alpha,beta,gamma12", 50),
              (std::vector<std::string>{"alpha,beta", "gamma12"}));
    EXPECT_EQ(Pieces("one two-three", 30), (std::vector<std::string>{"one", "two", "three"}));
    // A word without breaks is cut at the width without losing characters.
    for (const std::string& piece : Pieces("abcdefghijklmnopqrstuvwxyz", 30))
        EXPECT_LE(int(piece.size()) * 5, 30) << piece;
    EXPECT_EQ(Joined("abcdefghijklmnopqrstuvwxyz", 30), "abcdefghijklmnopqrstuvwxyz");
    // A break only at the first character still makes progress.
    EXPECT_EQ(Joined("-abcdefghijklmnop", 20), "-abcdefghijklmnop");
    // Narrower than one character still gives lines of one.
    EXPECT_EQ(Pieces("abc", 2), (std::vector<std::string>{"a", "b", "c"}));
}

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
