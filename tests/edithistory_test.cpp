// The history on its own, below any window: the saved point and the
// modified flag through Forget, saves and dropped steps.
#include "history/edithistory.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "model/brinnowdoc.h"
#include "tests/support/documentgenerator.h"

namespace {

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
