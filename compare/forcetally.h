#pragma once

#include <vector>

#include "compare/forcefigures.h"
#include "model/ship.h"

// Adds up one force's ships as their cards print them, one ship at a time in
// print order. It applies no rule of the game.
class ForceTally {
  public:
    void Add(const VxShip& ship);
    void AddMissing(const CString& name) { m_figures.missing.push_back(name); }
    // The figures of every ship added so far.
    ForceFigures Figures() const;

  private:
    ForceFigures m_figures;
    std::vector<int> m_firstSpeeds;
};
