#include "model/shipnamechoice.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <tuple>
#include <unordered_set>

#include "model/shipreferences.h"
#include "platform/textformat.h"

namespace {

// Names are compared on their first bytes only, so that a hostile name of
// megabytes costs no more than an ordinary one.
constexpr std::size_t kComparedBytes = 64;

std::string Folded(const CString& name) { return ToUpperAnsi(name.substr(0, kComparedBytes)); }

// Letters added, dropped or changed to make one name the other.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t(0));
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::size_t CommonPrefix(std::string_view a, std::string_view b) {
    const auto differ = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return std::size_t(differ.first - a.begin());
}

// Smaller is closer: a name that holds the other ("Tiger (1915)" for
// "Tiger") before any that does not, then fewer letters to change, then a
// longer common beginning.
struct Closeness {
    bool apart = true;
    std::size_t distance = 0;
    std::size_t unshared = 0;

    Closeness(std::string_view missing, std::string_view name)
        : apart(name.find(missing) == std::string_view::npos &&
                missing.find(name) == std::string_view::npos),
          distance(EditDistance(missing, name)),
          unshared(kComparedBytes - CommonPrefix(missing, name)) {}

    bool operator<(const Closeness& other) const {
        return std::tie(apart, distance, unshared) <
               std::tie(other.apart, other.distance, other.unshared);
    }
};

// The positions of the ships of the nation, or of every ship when it has
// none; each name once.
std::vector<std::size_t> ShipsToChoose(const CArray<VxShip>& ships, const CString& missing,
                                       int nation) {
    const bool everyNation = std::none_of(
        ships.begin(), ships.end(), [&](const VxShip& ship) { return ship.m_nNation == nation; });
    std::unordered_set<std::string_view> seen;
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < ships.size(); ++i) {
        const VxShip& ship = ships[i];
        if (!everyNation && ship.m_nNation != nation) continue;
        if (ship.m_strName != missing && seen.insert(ship.m_strName).second) positions.push_back(i);
    }
    return positions;
}

}  // namespace

ShipNameChoice::ShipNameChoice(const CArray<VxShip>& ships, const CString& missing, int nation)
    : m_missing(missing) {
    const std::vector<std::size_t> positions = ShipsToChoose(ships, missing, nation);
    const std::string folded = Folded(missing);
    std::vector<std::pair<Closeness, std::size_t>> ranked;
    ranked.reserve(positions.size());
    for (const std::size_t i : positions) {
        ranked.emplace_back(Closeness(folded, Folded(ships[i].m_strName)), i);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    m_choices.reserve(ranked.size());
    for (const auto& [closeness, position] : ranked) m_choices.push_back(position);
}

void ShipNameChoice::Apply(CBrinnowDoc& doc, std::size_t ship) const {
    const VxShip& chosen = doc.m_ships[ship];
    const ShipNameUses uses =
        FindShipNameUses(doc.m_squadrons, doc.m_scenarios, m_missing, chosen.m_nNation);
    RenameShipUses(doc.m_squadrons, doc.m_scenarios, uses, m_missing, chosen.m_strName,
                   chosen.m_nNation);
}
