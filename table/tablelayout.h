#pragma once

#include <vector>

#include "game/scenariosnapshot.h"

// Where the headings and cards of a game stand on the table, in device
// pixels at scale p: each force under its name, each squadron and the single
// ships under theirs, their cards in as many columns as the width holds.
class TableLayout {
  public:
    enum class Level { Force, Group };
    struct Heading {
        CString text;
        Level level;
        int x;
        int y;
    };
    struct Cell {
        int x;
        int y;
    };

    TableLayout(const ScenarioSnapshot& snapshot, double p, int width);

    const std::vector<Heading>& Headings() const { return m_headings; }
    // The origin of each roster ship's card.
    const std::vector<Cell>& Cards() const { return m_cards; }
    int Height() const { return m_height; }
    int Columns() const { return m_columns; }
    int CellWidth() const { return m_cellWidth; }
    int CellHeight() const { return m_cellHeight; }
    int HeadingHeight(Level level) const;

    // The card whose cell holds the point, or -1.
    int CardAt(int x, int y) const;
    // The card in the row above or below (step -1 or 1) nearest in x, or
    // the card itself at the first or last row.
    int CardInNextRow(int card, int step) const;
    // The scale at which columns cards fill the width.
    static double ScaleToFill(int width, int columns);

  private:
    void Group(const CString& heading, Level level, int x, int& y);

    double m_p;
    int m_margin;
    int m_cellWidth;
    int m_cellHeight;
    int m_columns = 1;
    std::vector<Heading> m_headings;
    std::vector<Cell> m_cards;
    int m_height = 0;
};
