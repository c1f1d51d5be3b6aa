#include "table/tablelayout.h"

#include <algorithm>
#include <cstdlib>

#include "print/printframework.h"

namespace {

// Millimetres of the card at scale p: a card takes 44 x 23.5 mm with its
// small boxes; a cell adds a gap on the right and below.
constexpr double kMargin = 2;
constexpr double kCellWidth = 47;
constexpr double kCellHeight = 26;
constexpr double kForceHeading = 5;
constexpr double kGroupHeading = 3.5;
constexpr const char* kSingleShips = "Additional Ships";

// Which heading a roster ship stands under: its squadron, or the force's
// single ships.
bool SameGroup(const ShipPlace& a, const ShipPlace& b) {
    return a.force == b.force && (a.role == ShipRole::Single) == (b.role == ShipRole::Single) &&
           (a.role == ShipRole::Single || a.squadron == b.squadron);
}

CString ForceName(const VxForce& force, int index) {
    return force.m_strName.empty() ? "Force " + std::to_string(index + 1) : force.m_strName;
}

}  // namespace

TableLayout::TableLayout(const ScenarioSnapshot& snapshot, double p, int width)
    : m_p(p),
      m_margin(Mm(p, kMargin)),
      m_cellWidth(std::max(1, Mm(p, kCellWidth))),
      m_cellHeight(std::max(1, Mm(p, kCellHeight))) {
    m_columns = std::max(1, (width - 2 * m_margin + (m_cellWidth - Mm(p, 44))) / m_cellWidth);
    const auto& roster = snapshot.roster;
    m_cards.reserve(roster.size());
    int y = m_margin;
    int column = 0;
    for (std::size_t i = 0; i < roster.size(); ++i) {
        const ShipPlace& place = roster[i].place;
        const bool newForce = i == 0 || roster[i - 1].place.force != place.force;
        if (newForce || !SameGroup(roster[i - 1].place, place)) {
            if (column > 0) y += m_cellHeight;
            column = 0;
            if (newForce) {
                const VxForce& force = snapshot.scenario.m_forces[std::size_t(place.force)];
                Group(ForceName(force, place.force), Level::Force, m_margin, y);
            }
            const CString group = place.role == ShipRole::Single
                                      ? CString(kSingleShips)
                                      : snapshot.scenario.m_forces[std::size_t(place.force)]
                                            .m_squadrons[std::size_t(place.squadron)]
                                            .m_strName;
            Group(group, Level::Group, m_margin, y);
        } else if (column == m_columns) {
            y += m_cellHeight;
            column = 0;
        }
        m_cards.push_back({m_margin + column * m_cellWidth, y});
        ++column;
    }
    m_height = y + (column > 0 ? m_cellHeight : 0) + m_margin;
}

void TableLayout::Group(const CString& heading, Level level, int x, int& y) {
    m_headings.push_back({heading, level, x, y});
    y += HeadingHeight(level);
}

int TableLayout::HeadingHeight(Level level) const {
    return Mm(m_p, level == Level::Force ? kForceHeading : kGroupHeading);
}

int TableLayout::CardAt(int x, int y) const {
    // Cards run down the table: the first whose row ends below y is in it.
    const auto row = std::partition_point(m_cards.begin(), m_cards.end(), [&](const Cell& cell) {
        return cell.y + m_cellHeight <= y;
    });
    for (auto cell = row; cell != m_cards.end() && cell->y <= y; ++cell) {
        if (x >= cell->x && x < cell->x + m_cellWidth && y >= cell->y) {
            return int(cell - m_cards.begin());
        }
    }
    return -1;
}

int TableLayout::CardInNextRow(int card, int step) const {
    const Cell from = m_cards[std::size_t(card)];
    int best = card;
    int bestRowY = 0;
    for (int i = card + step; i >= 0 && i < int(m_cards.size()); i += step) {
        const Cell cell = m_cards[std::size_t(i)];
        if (cell.y == from.y) continue;
        if (best != card && cell.y != bestRowY) break;
        bestRowY = cell.y;
        if (best == card ||
            std::abs(cell.x - from.x) < std::abs(m_cards[std::size_t(best)].x - from.x))
            best = i;
    }
    return best;
}

double TableLayout::ScaleToFill(int width, int columns) {
    // width = 2 margins + columns cells less the last cell's gap.
    return width / (2 * kMargin + columns * kCellWidth - (kCellWidth - 44));
}
