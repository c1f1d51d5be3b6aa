#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/ship.h"

// The fields of the ships' CSV in which imported ships differ from the
// campaign's, kept without the rest of each ship: an import that changes a
// field or two of every ship of a large campaign keeps a few bytes a ship
// instead of a copy of it.
class ShipCsvFieldChanges {
  public:
    // Where the changed fields of one ship stand among all kept.
    struct Span {
        std::size_t first = 0;
        std::size_t count = 0;
    };

    // Keeps the fields in which after differs from before, taking the
    // changed texts out of after.
    Span Keep(const VxShip& before, VxShip& after);
    // Sets the fields kept for a ship.
    void ApplyTo(const Span& span, VxShip& ship) const;

  private:
    struct Value {
        std::uint32_t column;  // in ShipCsvColumns
        int whole;             // a whole number, flag or position, or the text's place in m_texts
        double number;
    };

    std::vector<Value> m_values;
    std::vector<CString> m_texts;
};
