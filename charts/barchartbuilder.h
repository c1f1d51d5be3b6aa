#pragma once

#include <cstddef>

#include "compare/comparechart.h"

class QChart;

// How a chart is coloured: a colour per force on the desktop's light or dark
// palette, or black on white for paper, each force told by its fill pattern.
enum class ChartInk { Day, Night, Paper };

// A grouped bar chart of the figures: a bar set per force with its legend
// entry, the figure written on each bar. The caller owns the chart.
QChart* BuildBarChart(const CompareChart& chart, ChartInk ink);
