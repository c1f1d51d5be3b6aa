#pragma once

#include <cstddef>

#include "history/documentnotice.h"
#include "model/recordlist.h"

// Writes an editor's working copy back over the record at index, posting
// the document-changed notice when the two differ. It is written either
// way: the history compares the bytes, which may differ where the values
// are alike.
template <class T>
void StoreWorkingCopy(RecordList<T>& list, std::size_t index, const T& working) {
    if (working.IsDifferent(list[index])) PostDocumentChangedNotice();
    list.Modify(index) = working;
}
