#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "model/recordlist.h"

// Puts the list in the order of its records' operator<, just as a stable
// sort would. When the record at moved is the only one out of place, as
// after an edit, only that record moves, so a recording keeps two records
// rather than the list.
template <class T>
void PutInOrder(RecordList<T>& list, std::size_t moved) {
    const std::vector<T>& records = list.Records();
    if (std::is_sorted(records.begin(), records.end())) return;
    const auto at = records.begin() + std::ptrdiff_t(std::min(moved, records.size()));
    const bool othersInOrder =
        at != records.end() && std::is_sorted(records.begin(), at) &&
        std::is_sorted(at + 1, records.end()) &&
        (at == records.begin() || at + 1 == records.end() || !(*(at + 1) < *(at - 1)));
    if (!othersInOrder) {
        list.ChangeAll([](std::vector<T>& all) { std::stable_sort(all.begin(), all.end()); });
        return;
    }
    T record = *at;
    list.erase(at);
    // Among equal records it keeps its place, as in a stable sort.
    const auto first = std::lower_bound(list.begin(), list.end(), record);
    const auto last = std::upper_bound(first, list.end(), record);
    list.insert(std::clamp(list.begin() + std::ptrdiff_t(moved), first, last), std::move(record));
}
