#include <gtest/gtest.h>

#include <algorithm>

#include "model/brinnowdoc.h"
#include "print/printframework.h"
#include "print/shipcardjob.h"
#include "tests/support/documentgenerator.h"
#include "tests/support/recordingdc.h"
#include "tests/support/steprecorder.h"

namespace {

TEST(ShipCardJob, ExactlyFullPagesAndHandWorkedPagesWithAndWithoutNationBreaks) {
    CBrinnowDoc doc;
    // Cards start at 115 + 230 = 345 and must end by the footer band at
    // 6825 - 115 = 6710: 6365 pixels, 11 cards of 540. (The bottom limit
    // alone, 6480, would let a twelfth end at 6825, inside the band.)
    RecordingDC dc(4960, 6825, 210, 297);
    doc.m_ships.resize(22);
    EXPECT_EQ(ShipCardJob(doc).Layout(dc), (std::vector<ShipPageRange>{{0, 10}, {11, 22}}));
    doc.m_ships.resize(23);
    EXPECT_EQ(ShipCardJob(doc).Layout(dc).size(), 3u);

    // Worked by hand at p = 23 on a page whose bottom limit is 6480: a plain card
    // is 540 high; with L lines of notes it is trunc(7p) + L * 69 = 161 + 69 L
    // once that passes 506, so 40 lines make 2921.
    doc.m_ships.resize(10);
    for (std::size_t i = 0; i < doc.m_ships.size(); ++i)
        doc.m_ships.Modify(i).m_nNation = i < 6 ? 1 : 2;
    for (int line = 0; line < 40; ++line) doc.m_ships.Modify(5).m_strNotes += "line\r\n";
    const double p = PixelsPerMm(dc);
    ASSERT_EQ(doc.m_ships[5].GetCardHeight(dc, p, 1, 4500), 2921);
    // 5 x 540 + 2921 = 5621 fits; the next ship is of another nation.
    EXPECT_EQ(ShipCardJob(doc).Layout(dc, true), (std::vector<ShipPageRange>{{0, 5}, {6, 10}}));
    // Without nation breaks 5621 + 540 = 6161 still fits, 6701 does not.
    EXPECT_EQ(ShipCardJob(doc).Layout(dc, false), (std::vector<ShipPageRange>{{0, 6}, {7, 10}}));
}

// Counts text measurements: a card's height comes from measuring its notes.
class MeasuringDC : public RecordingDC {
  public:
    CSize GetTextExtent(const std::string& text) const override {
        ++measured;
        return RecordingDC::GetTextExtent(text);
    }
    mutable int measured = 0;
};

TEST(ShipCardJob, PrintingReusesTheLayoutsCardHeights) {
    CBrinnowDoc doc;
    GenerateDocument(doc, {120, 0, 0, 0, 0, 3});
    doc.m_ships.ChangeAll([](auto& ships) { std::sort(ships.begin(), ships.end()); });
    MeasuringDC layoutOnly;
    const std::vector<ShipPageRange> pages = ShipCardJob(doc).Layout(layoutOnly);
    ASSERT_GT(layoutOnly.measured, 0);

    MeasuringDC printed;
    ASSERT_EQ(ShipCardJob(doc).Print(printed, "Brinnow"), int(pages.size()));
    // The same pages, each card measured again by a job that never laid out.
    MeasuringDC remeasured;
    remeasured.StartDoc("Brinnow");
    for (std::size_t k = 0; k < pages.size(); ++k) {
        remeasured.StartPage();
        ShipCardJob(doc).PrintPage(remeasured, pages[k], int(k + 1));
        remeasured.EndPage();
    }
    remeasured.EndDoc();
    EXPECT_EQ(printed.log, remeasured.log);
    // Laying out and printing costs no more than printing laid-out pages
    // alone: the layout's measurements are all the printing needs.
    EXPECT_EQ(printed.measured, remeasured.measured);
}

}  // namespace

// A print dialog's page range prints those pages as the whole job has them,
// and the progress counts the pages of the range.
TEST(ShipCardJob, PrintsThePagesOfARangeAndCountsThemAsItGoes) {
    CBrinnowDoc doc;
    GenerateDocument(doc, {60, 0, 0, 0, 0, 3});
    RecordingDC whole;
    const int count = ShipCardJob(doc).Print(whole, "Brinnow");
    ASSERT_GE(count, 4);
    const auto pageStarts = [](const RecordingDC& dc) {
        std::vector<std::size_t> starts;
        for (std::size_t i = 0; i < dc.log.size(); ++i)
            if (dc.log[i] == "StartPage") starts.push_back(i);
        return starts;
    };
    const std::vector<std::size_t> starts = pageStarts(whole);

    RecordingDC range;
    StepRecorder steps;
    EXPECT_EQ(ShipCardJob(doc).Print(range, "Brinnow", steps, 2, 3), count);
    EXPECT_EQ(pageStarts(range).size(), 2u);
    EXPECT_TRUE(std::equal(whole.log.begin() + std::ptrdiff_t(starts[1]),
                           whole.log.begin() + std::ptrdiff_t(starts[3]),
                           range.log.begin() + std::ptrdiff_t(pageStarts(range)[0])));
    EXPECT_EQ(steps.steps, (std::vector<StepRecorder::Shown>{{0, 2}, {1, 2}, {2, 2}}));

    // A range past the last page ends with the job; one wholly past prints and
    // counts nothing.
    RecordingDC tail;
    StepRecorder tailSteps;
    ShipCardJob(doc).Print(tail, "Brinnow", tailSteps, count - 1, count + 5);
    EXPECT_EQ(pageStarts(tail).size(), 2u);
    EXPECT_EQ(tailSteps.steps.back(), (StepRecorder::Shown{2, 2}));
    RecordingDC none;
    StepRecorder noSteps;
    ShipCardJob(doc).Print(none, "Brinnow", noSteps, count + 1, 0);
    EXPECT_TRUE(pageStarts(none).empty());
    EXPECT_EQ(noSteps.steps, (std::vector<StepRecorder::Shown>{{0, 0}}));
    // The first page alone is a range too.
    RecordingDC first;
    ShipCardJob(doc).Print(first, "Brinnow", Unwatched(), 1, 1);
    EXPECT_EQ(pageStarts(first).size(), 1u);
}
