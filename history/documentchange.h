#pragma once

#include <variant>
#include <vector>

#include "history/listsplice.h"
#include "model/brinnowdoc.h"

// What one edit did to the document: for each list it touched, the runs of
// records that differ. Lists it left alone cost nothing.
class DocumentChange {
  public:
    // Ends the recording the document's StartRecording began and returns
    // what changed since; empty when its lists hold the same bytes.
    static DocumentChange Recorded(CBrinnowDoc& doc);

    bool IsEmpty() const { return m_lists.empty(); }
    void Undo(CBrinnowDoc& doc) const;
    void Redo(CBrinnowDoc& doc) const;
    // About the memory the change holds, in bytes.
    std::size_t Cost() const;
    std::size_t ListCount() const { return m_lists.size(); }

  private:
    using AnyList =
        std::variant<ListSplice<VxNation>, ListSplice<VxArmament>, ListSplice<VxTorpedo>,
                     ListSplice<VxShip>, ListSplice<VxSquadron>, ListSplice<VxScenario>>;

    template <class T>
    void AddIfChanged(RecordList<T> CBrinnowDoc::*list, CBrinnowDoc& doc);

    std::vector<AnyList> m_lists;
};
