#pragma once

#include <vector>

// Two lists of records differ when their lengths do or any pair at the same
// position does.
template <class T>
bool AnyDifferent(const std::vector<T>& a, const std::vector<T>& b) {
    if (a.size() != b.size()) return true;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].IsDifferent(b[i])) return true;
    }
    return false;
}
