#pragma once

#include <string>
#include <vector>

#include "compare/comparechart.h"

// A chart as an SVG element to put inside an HTML page: the bars in the
// window's colours, each with its figure, the categories under them and a
// legend of the forces. Text stays in the campaign's code page, escaped.
std::string CompareSvg(const CompareChart& chart);

// The "Forces compared" section of a scenario's HTML page: every chart.
std::string ForcesComparedSection(const std::vector<ForceComparison>& forces);
