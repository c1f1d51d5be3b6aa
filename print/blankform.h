#pragma once

#include "platform/cdc.h"

// The grid of empty cards that fills one page of the blank ship form.
struct BlankFormGrid {
    int columns = 0;
    int rows = 0;
    int gap = 0;
    int cardWidth = 0;
    int cardHeight = 0;
    int firstX = 0;
    int firstY = 0;

    static BlankFormGrid Of(const CDC& dc, double p);
};

// One page of empty record cards for ships that are not in the document.
void PrintBlankShipForm(CDC& printer);
