#include "print/printframework.h"

#include <gtest/gtest.h>

#include "print/blankform.h"
#include "tests/support/recordingdc.h"

namespace {

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
