#pragma once

#include <cstddef>

#include "compare/comparechart.h"

class QChart;

// How a chart is coloured: a colour per force on the desktop's light or dark
// palette, or black on white for paper, each force told by its fill pattern.
enum class ChartInk { Day, Night, Paper };

// The ground and the ink of the charts and of the table beside them at
// night, as 0xRRGGBB.
inline constexpr unsigned kNightGround = 0x202020;
inline constexpr unsigned kNightInk = 0xE6E6E6;

// A grouped bar chart of the figures: a bar set per force with its legend
// entry, the figure written on each bar. The caller owns the chart.
QChart* BuildBarChart(const CompareChart& chart, ChartInk ink);
