#include "interchange/shipcsvfieldchanges.h"

#include "interchange/shipcsvcolumns.h"

ShipCsvFieldChanges::Span ShipCsvFieldChanges::Keep(const VxShip& before, VxShip& after) {
    const std::size_t first = m_values.size();
    for (std::size_t i = 0; i < kShipCsvColumns; ++i) {
        const ShipCsvColumn& column = ShipCsvColumns[i];
        // A position's field is the one of the name beside it.
        if (column.kind == ShipCsvKind::Index || SameShipCsvField(before, after, column)) continue;
        Value value{std::uint32_t(i), 0, 0.0};
        if (column.text) {
            value.whole = int(m_texts.size());
            m_texts.push_back(std::move(column.text(after)));
        } else if (column.number) {
            value.number = column.number(after);
        } else {
            value.whole = column.whole(after);
        }
        m_values.push_back(value);
    }
    return {first, m_values.size() - first};
}

void ShipCsvFieldChanges::ApplyTo(const Span& span, VxShip& ship) const {
    for (std::size_t i = span.first; i < span.first + span.count; ++i) {
        const Value& value = m_values[i];
        const ShipCsvColumn& column = ShipCsvColumns[value.column];
        if (column.text) {
            column.text(ship) = m_texts[std::size_t(value.whole)];
        } else if (column.number) {
            column.number(ship) = value.number;
        } else {
            column.whole(ship) = value.whole;
        }
    }
}
