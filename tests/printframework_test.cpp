#include "print/printframework.h"

#include <gtest/gtest.h>

#include "print/blankform.h"
#include "tests/support/recordingdc.h"

namespace {

TEST(PrintPage, TitleBlockFooterAndScale) {
    RecordingDC dc;
    const CPen pen = dc.pen();
    PrintTitleBlock(dc, 23);
    EXPECT_EQ(dc.log[0], "Rectangle 184 0 4776 230");
    EXPECT_EQ(dc.log[1], "Line 184 0 184 7016 w=11");
    EXPECT_EQ(dc.log[2], "Line 4776 0 4776 7016 w=11");
    EXPECT_EQ(dc.log[3], "Rectangle 184 6901 4776 7016");
    EXPECT_EQ(dc.log[4], "TextOut 2480 23 align=6 h=184 Vexmoor");  // (230 - 184) / 2
    // f = 69; y1 = (230 + 138) / 3 = 122; x = 4960 - 69 - 184.
    EXPECT_EQ(dc.log[5], "TextOut 4707 122 align=2 h=69 Brinnow Version 1.0");
    EXPECT_EQ(dc.log[6].rfind("TextOut 4707 53 align=2 h=69 ", 0), 0u);
    EXPECT_EQ(dc.pen(), pen);
    EXPECT_EQ(dc.align(), unsigned(TA_LEFT | TA_TOP));

    dc.log.clear();
    int page = 4;
    NewPrintPage(dc, 23, page);
    EXPECT_EQ(page, 5);
    EXPECT_EQ(dc.log[0], "TextOut 2480 6901 align=6 h=80 Page 4");
    EXPECT_EQ(dc.log[1], "EndPage");
    EXPECT_EQ(dc.log[2], "StartPage");

    // A page without a size has no scale. (A4's scale, margin and printable
    // width are under every job's pinned places.)
    EXPECT_EQ(PixelsPerMm(RecordingDC(100, 100, 0, 0)), 0.0);
}

TEST(BlankForm, A4At600DpiHolds13RowsOf4) {
    RecordingDC dc;
    const BlankFormGrid grid = BlankFormGrid::Of(dc, 23);
    EXPECT_EQ(grid.columns, 4);
    EXPECT_EQ(grid.rows, 13);
    EXPECT_EQ(grid.gap, 90);

    PrintBlankShipForm(dc);
    EXPECT_EQ(dc.log.front(), "StartDoc Brinnow Blank Ship Form");
    EXPECT_EQ(dc.Find("StartPage").size(), 1u);
    EXPECT_EQ(dc.Find("TextOut 2480 6901 align=6 h=80 Page 1").size(), 1u);
    // Each card's outer box, 161 below its cell: the first cell at (320, 230),
    // the next column 1102 on, the last row 12 cells of 506 down.
    EXPECT_TRUE(dc.Has("Rectangle 320 391 1286 736"));
    EXPECT_TRUE(dc.Has("Rectangle 1422 391 2388 736"));
    EXPECT_TRUE(dc.Has("Rectangle 3626 6463 4592 6808"));
    EXPECT_EQ(dc.Find("TextOut").size(), 3u + 52 * 8 + 1);
    // Paper narrower than a card has no cards.
    RecordingDC narrow(500, 7016, 21, 297);
    PrintBlankShipForm(narrow);
    EXPECT_EQ(narrow.Find("TextOut").size(), 4u);
}

}  // namespace
