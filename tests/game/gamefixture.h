#pragma once

#include "model/brinnowdoc.h"

// A campaign with one scenario of two forces: "Home" with squadron "First"
// (flagship Alpha, members Bravo and Charlie, attachment Delta) and single
// ships Echo and Foxtrot; "Away" with single ships Golf and a second Alpha.
// Every name but Alpha is found once.
inline CBrinnowDoc GameCampaign() {
    CBrinnowDoc doc;
    doc.OnNewDocument();
    for (const char* name : {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot", "Golf"}) {
        VxShip ship;
        ship.m_strName = name;
        ship.m_dMainAF = {3, 2, 1, 1};
        ship.m_nTurnSpeed = {20, 16, 12, 8, 4};
        doc.m_ships.push_back(ship);
    }
    VxSquadron first;
    first.m_strName = "First";
    first.m_strFlagship = "Alpha";
    first.m_shipNames = {"Bravo", "Charlie"};
    first.m_attachmentNames = {"Delta"};
    VxForce home;
    home.m_strName = "Home";
    home.m_squadrons.push_back(first);
    home.m_ships = {doc.m_ships[4], doc.m_ships[5]};
    VxForce away;
    away.m_strName = "Away";
    away.m_ships = {doc.m_ships[6], doc.m_ships[0]};
    VxScenario scenario;
    scenario.m_strName = "Skirmish";
    scenario.m_forces = {home, away};
    doc.m_scenarios.push_back(scenario);
    return doc;
}
