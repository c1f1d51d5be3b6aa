#pragma once

#include "model/ship.h"

// Which ships the card listing shows: those of one nation, of one ship type,
// or both; a negative choice admits every ship.
struct ShipFilter {
    int nation = -1;
    int shipType = -1;

    bool IsActive() const { return nation >= 0 || shipType >= 0; }
    bool Admits(const VxShip& ship) const {
        return (nation < 0 || ship.m_nNation == nation) &&
               (shipType < 0 || ship.m_nShipType == shipType);
    }
};
