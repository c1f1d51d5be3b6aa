#pragma once

#include <string>

#include "compare/comparechart.h"
#include "compare/comparetable.h"

class CDC;

// The printed comparison, one page: the title, the chart black on white and
// the table under it, as many force columns as the page is wide.
void DrawComparisonPage(CDC& dc, const std::string& title, const CompareChart& chart,
                        const CompareTable& table);
