#pragma once

#include <string>
#include <vector>

#include "compare/forcecomparison.h"

// The figures of every force as a table of text: a column per force, or two
// from a game (now, then at the start). Names are in the campaign's code
// page, quoted as messages quote them.
struct CompareTable {
    struct Row {
        std::string label;
        std::vector<std::string> cells;
    };
    std::vector<std::string> header;
    // Under the header, from a game: "now" and "start" over each force's pair.
    std::vector<std::string> subheader;
    std::vector<Row> rows;

    static CompareTable Of(const std::vector<ForceComparison>& forces);
    // Columns lined up with spaces, a line a row.
    std::string Text() const;
};
