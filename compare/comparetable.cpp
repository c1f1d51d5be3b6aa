#include "compare/comparetable.h"

#include <algorithm>
#include <functional>

#include "model/messagenames.h"

namespace {

using Figure = std::function<std::string(const ForceFigures&)>;
constexpr int kGap = 2;

std::string Count(int value) { return std::to_string(value); }

std::string Speed(const std::optional<double>& value) { return value ? FigureText(*value) : "-"; }

class TableBuilder {
  public:
    TableBuilder(CompareTable& table, const std::vector<ForceComparison>& forces)
        : m_table(table), m_forces(forces) {}

    void Add(std::string label, const Figure& figure) {
        CompareTable::Row row{std::move(label), {}};
        for (const ForceComparison& force : m_forces) {
            if (force.now) row.cells.push_back(figure(*force.now));
            row.cells.push_back(figure(force.start));
        }
        m_table.rows.push_back(std::move(row));
    }

    void AddBands(const std::string& label, std::array<double, 4> ForceFigures::*bands) {
        for (std::size_t i = 0; i < 4; ++i) {
            Add(label + " " + std::to_string(i + 1),
                [=](const ForceFigures& f) { return FigureText((f.*bands)[i]); });
        }
    }

  private:
    CompareTable& m_table;
    const std::vector<ForceComparison>& m_forces;
};

void AddHeader(CompareTable& table, const std::vector<ForceComparison>& forces) {
    table.header.push_back("Force");
    table.subheader.push_back("");
    for (const ForceComparison& force : forces) {
        table.header.push_back(std::to_string(force.force + 1) + " " + ShownName(force.name));
        if (force.now) {
            table.header.push_back("");
            table.subheader.push_back("now");
        }
        table.subheader.push_back(force.now ? "start" : "");
    }
    if (std::all_of(table.subheader.begin(), table.subheader.end(),
                    [](const std::string& cell) { return cell.empty(); })) {
        table.subheader.clear();
    }
}

}  // namespace

CompareTable CompareTable::Of(const std::vector<ForceComparison>& forces) {
    CompareTable table;
    AddHeader(table, forces);
    TableBuilder rows(table, forces);
    rows.Add("Ships", [](const ForceFigures& f) { return Count(f.ships); });
    for (const std::size_t slot : UsedSlots(forces, &ForceFigures::byType)) {
        rows.Add(std::string("  ") + TypeSlotName(slot),
                 [slot](const ForceFigures& f) { return Count(f.byType[slot]); });
    }
    rows.Add("Missing", [](const ForceFigures& f) { return Count(int(f.missing.size())); });
    rows.Add("DF", [](const ForceFigures& f) { return FigureText(f.df); });
    rows.AddBands("Main AF", &ForceFigures::mainAF);
    rows.AddBands("Secondary AF", &ForceFigures::secondaryAF);
    rows.AddBands("Torpedo AF", &ForceFigures::torpedoAF);
    rows.Add("Slowest speed",
             [](const ForceFigures& f) { return f.slowestSpeed ? Count(*f.slowestSpeed) : "-"; });
    rows.Add("Median speed", [](const ForceFigures& f) { return Speed(f.medianSpeed); });
    for (const std::size_t slot : UsedSlots(forces, &ForceFigures::aa)) {
        rows.Add(std::string("AA ") + AASlotName(slot),
                 [slot](const ForceFigures& f) { return Count(f.aa[slot]); });
    }
    if (!forces.empty() && forces.front().now) {
        CompareTable::Row damage{"Damage boxes", {}};
        for (const ForceComparison& force : forces) {
            damage.cells.push_back(Count(force.damageBoxes));
            damage.cells.push_back("");
        }
        table.rows.push_back(std::move(damage));
    }
    return table;
}

std::string CompareTable::Text() const {
    std::vector<std::size_t> widths(header.size(), 0);
    const auto widen = [&widths](std::size_t column, const std::string& text) {
        widths[column] = std::max(widths[column], text.size());
    };
    for (std::size_t c = 0; c < header.size(); ++c) widen(c, header[c]);
    for (std::size_t c = 0; c < subheader.size(); ++c) widen(c, subheader[c]);
    for (const Row& row : rows) {
        widen(0, row.label);
        for (std::size_t c = 0; c < row.cells.size(); ++c) widen(c + 1, row.cells[c]);
    }
    std::string text;
    const auto line = [&](const std::string& first, const std::vector<std::string>& rest,
                          std::size_t from) {
        std::string out = first + std::string(widths[0] - first.size(), ' ');
        for (std::size_t c = from; c < rest.size(); ++c) {
            const std::size_t column = c - from + 1;
            out += std::string(kGap + widths[column] - rest[c].size(), ' ') + rest[c];
        }
        out.erase(out.find_last_not_of(' ') + 1);
        text += out + "\n";
    };
    line(header.front(), header, 1);
    if (!subheader.empty()) line(subheader.front(), subheader, 1);
    for (const Row& row : rows) line(row.label, row.cells, 0);
    return text;
}
