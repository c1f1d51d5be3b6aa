#include "compare/forcetally.h"

#include <algorithm>

namespace {

std::size_t Slot(int index, std::size_t slots) {
    return index >= 0 && std::size_t(index) < slots - 1 ? std::size_t(index) : slots - 1;
}

// The middle speed, or the mean of the two middle ones.
double Median(std::vector<int> speeds) {
    const std::size_t half = speeds.size() / 2;
    std::nth_element(speeds.begin(), speeds.begin() + long(half), speeds.end());
    const double upper = speeds[half];
    if (speeds.size() % 2 == 1) return upper;
    const double lower = *std::max_element(speeds.begin(), speeds.begin() + long(half));
    return (lower + upper) / 2;
}

}  // namespace

void ForceTally::Add(const VxShip& ship) {
    ForceFigures& f = m_figures;
    ++f.ships;
    ++f.byType[Slot(ship.m_nShipType, kTypeSlots)];
    ++f.aa[Slot(ship.m_nAARating, kAASlots)];
    f.df += ship.m_dDF;
    // The card prints the secondary and torpedo factors only for a ship that
    // carries them.
    for (std::size_t i = 0; i < 4; ++i) {
        f.mainAF[i] += ship.m_dMainAF[i];
        if (ship.HasSecondary()) f.secondaryAF[i] += ship.m_dSecondaryAF[i];
        if (ship.HasTorpedoes()) f.torpedoAF[i] += ship.m_nTorpedoAF[i];
    }
    m_firstSpeeds.push_back(ship.m_nTurnSpeed[0]);
}

ForceFigures ForceTally::Figures() const {
    ForceFigures figures = m_figures;
    if (!m_firstSpeeds.empty()) {
        figures.slowestSpeed = *std::min_element(m_firstSpeeds.begin(), m_firstSpeeds.end());
        figures.medianSpeed = Median(m_firstSpeeds);
    }
    return figures;
}
