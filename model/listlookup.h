#pragma once

#include <vector>

// Stored positions are never checked on load, so every use of one goes
// through here: a position outside the list finds nothing.
template <class T>
const T* ElementAt(const std::vector<T>& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return nullptr;
    return &list[static_cast<std::size_t>(index)];
}
