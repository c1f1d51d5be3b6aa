#pragma once

#include <string>

#include "model/ship.h"

// A battlecruiser with every field set to something other than its default,
// so that a field lost or mixed up anywhere shows.
inline VxShip SampleLion() {
    VxShip ship;
    ship.m_strName = "Lion";
    ship.m_nNation = 1;
    ship.m_nMainArmament = 8;
    ship.m_dMainAF = {3, 3, 2, 2};
    ship.m_nSecondaryArmament = 1;
    ship.m_dSecondaryAF = {1, 1, 0.5, 0.5};
    ship.m_nTorpedo = 1;
    ship.m_nTorpedoAF = {2, 1, 1, 0};
    ship.m_dDF = 14;
    ship.m_nShipType = 7;
    ship.m_nAARating = 2;
    ship.m_nTurnSpeed = {28, 24, 20, 16, 8};
    ship.m_strIdentifier = "BC-1";
    ship.m_strNotes = "Beatty's flagship";
    return ship;
}

// A battlecruiser whose figures are the widest a card shows: half factors,
// double-figure factors, wing turrets, a 21-inch torpedo count.
inline VxShip ShipWithWideFigures() {
    VxShip ship;
    ship.m_strName = std::string(29, 'W');
    ship.m_nShipType = 7;
    ship.m_nMainArmament = 8;
    ship.m_nSecondaryArmament = 1;
    ship.m_dMainAF = {0.5, 1.5, 10, 12.5};
    ship.m_dSecondaryAF = {0.5, 1.5, 10, 2.5};
    ship.m_nTorpedo = 1;
    ship.m_nTorpedoAF = {2, 1, 12, 0};
    ship.m_bWingTurrets = TRUE;
    ship.m_nAARating = 24;
    ship.m_nTurnSpeed = {28, 24, 20, 16, 12};
    return ship;
}
