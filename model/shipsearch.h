#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/ship.h"

// The lower case of a Windows-1252 character; others are themselves.
unsigned char FoldCase(char c);

// Find Ship's text: part of a name, an identifier or the notes, matched
// without regard to case (Windows-1252 letters included).
class ShipSearch {
  public:
    explicit ShipSearch(const CString& text);

    bool IsEmpty() const { return m_folded.empty(); }
    bool Matches(const VxShip& ship) const;

    // The next shown position from the one given (itself excluded) in the
    // given direction, wrapping around, whose ship matches; a start outside
    // the rows begins at the first (or the last, going back). rows holds
    // the ships' positions in the document, as the listing shows them.
    std::optional<std::size_t> Next(const CArray<VxShip>& ships,
                                    const std::vector<std::size_t>& rows,
                                    std::optional<std::size_t> start, bool backwards) const;

  private:
    // Whether the folded text occurs in text, in one pass over it whatever
    // either holds.
    bool Contains(const CString& text) const;

    std::string m_folded;
    // For each length of a partial match, the longest proper prefix of the
    // text that is also a suffix of it: where a failed match goes on.
    std::vector<std::size_t> m_fallback;
};
