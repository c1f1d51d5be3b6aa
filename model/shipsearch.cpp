#include "model/shipsearch.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 32);
    // Latin-1 capitals, but not the multiplication sign.
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) table[c] = static_cast<unsigned char>(c + 32);
    }
    // The code page's own additions: S, OE and Z with marks, Y diaeresis.
    table[0x8A] = 0x9A;
    table[0x8C] = 0x9C;
    table[0x8E] = 0x9E;
    table[0x9F] = 0xFF;
    return table;
}

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

std::string Folded(const CString& text) {
    std::string folded(text.size(), '\0');
    std::transform(text.begin(), text.end(), folded.begin(),
                   [](char c) { return static_cast<char>(FoldCase(c)); });
    return folded;
}

}  // namespace

unsigned char FoldCase(char c) { return kFold[static_cast<unsigned char>(c)]; }

ShipSearch::ShipSearch(const CString& text)
    : m_folded(Folded(text)), m_fallback(m_folded.size(), 0) {
    std::size_t k = 0;
    for (std::size_t i = 1; i < m_folded.size(); ++i) {
        while (k > 0 && m_folded[i] != m_folded[k]) k = m_fallback[k - 1];
        if (m_folded[i] == m_folded[k]) ++k;
        m_fallback[i] = k;
    }
}

bool ShipSearch::Contains(const CString& text) const {
    const std::size_t length = m_folded.size();
    if (text.size() < length) return false;
    std::size_t matched = 0;
    for (const char c : text) {
        const char folded = static_cast<char>(FoldCase(c));
        while (matched > 0 && m_folded[matched] != folded) matched = m_fallback[matched - 1];
        if (m_folded[matched] == folded && ++matched == length) return true;
    }
    return false;
}

bool ShipSearch::Matches(const VxShip& ship) const {
    if (IsEmpty()) return false;
    return Contains(ship.m_strName) || Contains(ship.m_strIdentifier) || Contains(ship.m_strNotes);
}

std::optional<std::size_t> ShipSearch::Next(const CArray<VxShip>& ships,
                                            const std::vector<std::size_t>& rows,
                                            std::optional<std::size_t> start,
                                            bool backwards) const {
    const std::size_t count = rows.size();
    if (count == 0 || IsEmpty()) return std::nullopt;
    // Starting outside the rows, the first looked at is the first (or last).
    std::size_t row = start && *start < count ? *start : (backwards ? 0 : count - 1);
    for (std::size_t looked = 0; looked < count; ++looked) {
        row = backwards ? (row + count - 1) % count : (row + 1) % count;
        const std::size_t ship = rows[row];
        if (ship < ships.size() && Matches(ships[ship])) return row;
    }
    return std::nullopt;
}
