#include "history/documentchange.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <limits>

#include "history/edithistory.h"
#include "history/listsplice.h"
#include "model/brinnowdoc.h"
#include "tests/support/documentgenerator.h"

namespace {

// Records a change made to the document, as the history does.
class Change : public ::testing::Test {
  protected:
    void SetUp() override { GenerateDocument(doc, {200, 6, 3, 2, 4, 7}); }
    DocumentChange Edit(const std::function<void(CBrinnowDoc&)>& edit) {
        original = doc.SaveToBytes();
        doc.StartRecording();
        edit(doc);
        edited = doc.SaveToBytes();
        return DocumentChange::Recorded(doc);
    }
    // Undo gives back the bytes before, redo the bytes after, twice over.
    void ExpectRoundTrip(const DocumentChange& change) {
        for (int i = 0; i < 2; ++i) {
            change.Undo(doc);
            EXPECT_EQ(doc.SaveToBytes(), original);
            change.Redo(doc);
            EXPECT_EQ(doc.SaveToBytes(), edited);
        }
    }

    CBrinnowDoc doc;
    std::string original, edited;
};

TEST_F(Change, OneShipCostsOneShipAndSeparateWritesKeepSeparateRuns) {
    const DocumentChange whole =
        Edit([](CBrinnowDoc& d) { d.m_ships.assign(d.m_ships.size(), {}); });
    const DocumentChange one = Edit([](CBrinnowDoc& d) { d.m_ships.Modify(100).m_dDF = 42; });
    EXPECT_EQ(one.ListCount(), 1u);
    EXPECT_LT(one.Cost() * 50, whole.Cost());
    ExpectRoundTrip(one);
    // Records written apart stay apart: a change at each end of a long list
    // holds two short runs, not the list between them.
    const DocumentChange ends = Edit([](CBrinnowDoc& d) {
        d.m_ships.Modify(3).m_dDF = 7;
        d.m_ships.erase(d.m_ships.begin() + 190);
        d.m_ships.insert(d.m_ships.begin() + 100, VxShip());
        d.m_ships.Modify(4).m_dDF = d.m_ships[4].m_dDF;  // written, not changed
    });
    ExpectRoundTrip(ends);
    EXPECT_LT(ends.Cost(), one.Cost() * 5);
    // A whole list written back with one record changed in its middle
    // holds that record alone, as writing the record itself would.
    const DocumentChange middle = Edit([](CBrinnowDoc& d) {
        d.m_ships.ChangeAll([](std::vector<VxShip>& ships) { ships[120].m_dDF = 9; });
    });
    ExpectRoundTrip(middle);
    EXPECT_EQ(middle.Cost(), one.Cost());
}

TEST_F(Change, RemovalsInsertionsAndMovesAnywhere) {
    // Removing an armament touches every list it moved.
    const DocumentChange change = Edit([](CBrinnowDoc& d) { d.RemoveArmament(3); });
    EXPECT_GE(change.ListCount(), 2u);
    ExpectRoundTrip(change);
    ExpectRoundTrip(Edit([](CBrinnowDoc& d) {
        d.m_nations.emplace_back("Sweden", "", 0);
        d.m_torpedoes.pop_back();
        d.m_squadrons.Modify(2).m_shipNames.push_back("Extra");
        d.m_scenarios.Modify(1).m_forces[0].m_ships[0].m_strNotes = "changed in a force";
    }));
    ExpectRoundTrip(Edit([](CBrinnowDoc& d) { d.m_ships.insert(d.m_ships.begin(), VxShip()); }));
    ExpectRoundTrip(Edit([](CBrinnowDoc& d) { d.m_ships.push_back(VxShip()); }));
    ExpectRoundTrip(Edit([](CBrinnowDoc& d) { d.m_ships.erase(d.m_ships.begin()); }));
    ExpectRoundTrip(Edit([](CBrinnowDoc& d) { d.m_ships.pop_back(); }));
    // The edits pile up on one document: the list is emptied only after the
    // move, which needs its 200 ships.
    ExpectRoundTrip(Edit([](CBrinnowDoc& d) {
        d.m_ships.ChangeAll([](std::vector<VxShip>& ships) {
            std::rotate(ships.begin() + 10, ships.begin() + 11, ships.end() - 10);
        });
    }));
    ExpectRoundTrip(Edit([](CBrinnowDoc& d) { d.m_ships.clear(); }));
    // A run of equal records: the change still lands where it was made.
    ExpectRoundTrip(Edit([](CBrinnowDoc& d) {
        d.m_ships.assign(50, VxShip());
        d.m_ships.insert(d.m_ships.begin() + 20, VxShip());
    }));
}

// Values that compare equal can be stored differently, and the file is what
// must come back.
TEST_F(Change, ComparesStoredBytesOnlyAndTakesHostileSizesAndShorterLists) {
    doc.m_ships.Modify(0).m_dDF = 0.0;
    doc.m_ships.Modify(1).m_dDF = std::numeric_limits<double>::quiet_NaN();
    const DocumentChange negativeZero =
        Edit([](CBrinnowDoc& d) { d.m_ships.Modify(0).m_dDF = -0.0; });
    EXPECT_FALSE(negativeZero.IsEmpty());
    ExpectRoundTrip(negativeZero);
    EXPECT_TRUE(Edit([](CBrinnowDoc&) {}).IsEmpty());  // NaN is still itself
    // Edits taken back before the end are no change.
    EXPECT_TRUE(Edit([](CBrinnowDoc& d) {
                    const VxShip kept = d.m_ships[5];
                    d.m_ships.Modify(5).m_strName = "Other";
                    d.m_ships.push_back(VxShip());
                    d.m_ships.pop_back();
                    d.m_ships.Modify(5) = kept;
                }).IsEmpty());
    // Hostile sizes.
    const std::string megabyte(1 << 20, '\xE9');
    const DocumentChange big =
        Edit([&](CBrinnowDoc& d) { d.m_ships.Modify(7).m_strNotes = megabyte; });
    EXPECT_GT(big.Cost(), megabyte.size());
    ExpectRoundTrip(big);
    ExpectRoundTrip(Edit([&](CBrinnowDoc& d) {
        d.m_ships.assign(10000, VxShip());
        d.m_ships.Modify(9999).m_strName = megabyte;
    }));
    ExpectRoundTrip(Edit([](CBrinnowDoc& d) {
        d.m_ships.ChangeAll(
            [](std::vector<VxShip>& ships) { std::reverse(ships.begin(), ships.end()); });
    }));

    // A change applied to a list that lost the records it expects does nothing
    // rather than reach outside the list.
    const DocumentChange change = Edit([](CBrinnowDoc& d) { d.m_ships.Modify(150).m_nNation = 3; });
    doc.m_ships.resize(20);
    const std::string shortened = doc.SaveToBytes();
    change.Undo(doc);
    change.Redo(doc);
    EXPECT_EQ(doc.SaveToBytes(), shortened);
}

TEST(ListSplice, HoldsOnlyTheDifferingRuns) {
    CBrinnowDoc doc;
    doc.m_nations.resize(100);
    for (std::size_t i = 0; i < 100; ++i) doc.m_nations.Modify(i).m_strName = std::to_string(i);
    doc.m_nations.StartRecording();
    doc.m_nations.Modify(40).m_nGroupCode = 1;
    doc.m_nations.Modify(41).m_nGroupCode = 0;  // as it was
    doc.m_nations.erase(doc.m_nations.begin() + 60);
    const auto splice = ListSplice<VxNation>::Recorded(&CBrinnowDoc::m_nations, doc);
    ASSERT_TRUE(splice);
    std::vector<std::array<std::size_t, 3>> runs;  // where, how many before, how many after
    for (const auto& run : splice->Runs())
        runs.push_back({run.at, run.before.size(), run.after.size()});
    EXPECT_EQ(runs, (std::vector<std::array<std::size_t, 3>>{{40, 1, 1}, {60, 1, 0}}));
    EXPECT_FALSE(doc.m_nations.IsRecording());
    doc.m_nations.StartRecording();
    EXPECT_FALSE(ListSplice<VxNation>::Recorded(&CBrinnowDoc::m_nations, doc));

    // A copy put in or taken out beside its twin, after the twin was touched:
    // the twins' likeness must not make the run reach back past its start.
    for (const bool insert : {true, false}) {
        doc.m_nations.StartRecording();
        doc.m_nations.Modify(50).m_nGroupCode = doc.m_nations[50].m_nGroupCode;
        if (insert)
            doc.m_nations.insert(doc.m_nations.begin() + 51, doc.m_nations[50]);
        else
            doc.m_nations.erase(doc.m_nations.begin() + 51);
        const auto twin = ListSplice<VxNation>::Recorded(&CBrinnowDoc::m_nations, doc);
        ASSERT_TRUE(twin);
        ASSERT_EQ(twin->Runs().size(), 1u);
        EXPECT_EQ(twin->Runs()[0].at, 51u);
        EXPECT_EQ(twin->Runs()[0].before.size(), insert ? 0u : 1u);
        EXPECT_EQ(twin->Runs()[0].after.size(), insert ? 1u : 0u);
    }
}

// The history on its own, below any window: the saved point and the
// modified flag through Forget, saves and dropped steps.
class EditHistoryAlone : public ::testing::Test {
  protected:
    void SetUp() override { GenerateDocument(doc, {20, 2, 2, 2, 2, 2}); }
    void Grow(int ship) {
        history.Run("Grow", [&] {
            doc.m_ships.Modify(std::size_t(ship)).m_strNotes = std::string(1000, 'x');
        });
    }
    bool Modified() const { return doc.IsModified() != FALSE; }

    CBrinnowDoc doc;
    EditHistory history{doc};
};

TEST_F(EditHistoryAlone, ForgettingSaysWhetherTheDocumentIsTheOneOnDisk) {
    // A flag set with no step behind it, as the card view sets it on a notice.
    doc.SetModifiedFlag(TRUE);
    history.Forget();
    EXPECT_FALSE(Modified());

    QSignalSpy told(&history, &EditHistory::modifiedChanged);
    Grow(0);
    ASSERT_TRUE(Modified());
    history.Forget();  // opened from disk
    EXPECT_FALSE(Modified());
    EXPECT_EQ(told.takeLast().at(0).toBool(), false);
    EXPECT_EQ(history.Stack().count(), 0);
    EXPECT_EQ(history.Cost(), 0u);
    history.Forget(false);  // imported: nothing on disk is this document
    EXPECT_TRUE(Modified());
    EXPECT_EQ(told.takeLast().at(0).toBool(), true);
}

TEST_F(EditHistoryAlone, ASavedLatestStepStaysSavedWhenOlderStepsAreDropped) {
    for (int i = 0; i < 3; ++i) Grow(i);
    history.MarkSaved();
    history.SetBudget(1);
    ASSERT_EQ(history.Stack().count(), 1);
    EXPECT_FALSE(Modified());
    history.Stack().undo();
    EXPECT_TRUE(Modified());
    history.Stack().redo();
    EXPECT_FALSE(Modified());
}

}  // namespace
