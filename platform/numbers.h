#pragma once

#include <cmath>
#include <limits>

// A double read from a file, as a whole number: truncated as a cast would,
// but defined for every value a file can hold. NaN gives 0, and values past
// the range of int (infinities among them) give its nearest end.
inline int TruncatedInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}
