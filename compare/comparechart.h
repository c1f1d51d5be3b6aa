#pragma once

#include <array>
#include <string>
#include <vector>

#include "compare/forcecomparison.h"

// A colour per force (0xRRGGBB), told apart by people with the commoner
// colour blindnesses; they repeat past the eighth force.
inline constexpr std::array<unsigned, 8> kForceColours = {0x0072B2, 0xE69F00, 0x009E73, 0xCC79A7,
                                                          0x56B4E9, 0xD55E00, 0xF0E442, 0x787878};
// The most forces a chart draws bars for; the table holds them all.
inline constexpr std::size_t kMostForcesInChart = 12;

// One grouped bar chart of the comparison: a group of bars per category, a
// bar per force in each. The window draws it with Qt Charts, the HTML page
// as SVG, from the same figures.
struct CompareChart {
    struct Bar {
        double height = 0.0;  // 0 for a figure that is not a finite number
        std::string label;    // the figure as the table shows it
    };
    std::string title;
    std::vector<std::string> categories;
    // bars[force][category]
    std::vector<std::vector<Bar>> bars;
    // The force names of the legend, "1 Name", quoted as messages quote them.
    std::vector<std::string> forces;

    double Highest() const;
};

// The charts of the comparison, from a game as the forces stand now: ships
// (in all, by type, missing, damage boxes), DF, the three armaments by
// band, speeds and AA ratings.
std::vector<CompareChart> CompareCharts(const std::vector<ForceComparison>& forces);
