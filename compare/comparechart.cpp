#include "compare/comparechart.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "model/messagenames.h"

namespace {

using Figure = std::function<double(const ForceComparison&)>;

const ForceFigures& Shown(const ForceComparison& force) {
    return force.now ? *force.now : force.start;
}

class ChartBuilder {
  public:
    ChartBuilder(const std::vector<ForceComparison>& forces, std::string title) : m_forces(forces) {
        m_chart.title = std::move(title);
        m_chart.bars.resize(forces.size());
        for (const ForceComparison& force : forces) {
            m_chart.forces.push_back(std::to_string(force.force + 1) + " " + ShownName(force.name));
        }
    }

    void Add(std::string category, const Figure& figure) {
        m_chart.categories.push_back(std::move(category));
        for (std::size_t f = 0; f < m_forces.size(); ++f) {
            const double value = figure(m_forces[f]);
            m_chart.bars[f].push_back({std::isfinite(value) ? value : 0.0, FigureText(value)});
        }
    }

    void AddBands(std::array<double, 4> ForceFigures::*bands) {
        for (std::size_t i = 0; i < 4; ++i) {
            Add("AF " + std::to_string(i + 1),
                [=](const ForceComparison& f) { return (Shown(f).*bands)[i]; });
        }
    }

    template <std::size_t N>
    void AddCounts(std::array<int, N> ForceFigures::*counts, const char* (*slotName)(std::size_t),
                   const std::string& prefix) {
        for (const std::size_t slot : UsedSlots(m_forces, counts)) {
            Add(prefix + slotName(slot),
                [=](const ForceComparison& f) { return (Shown(f).*counts)[slot]; });
        }
    }

    CompareChart Take() { return std::move(m_chart); }

  private:
    const std::vector<ForceComparison>& m_forces;
    CompareChart m_chart;
};

CompareChart ShipsChart(const std::vector<ForceComparison>& forces) {
    ChartBuilder chart(forces, "Ships");
    chart.Add("All", [](const ForceComparison& f) { return Shown(f).ships; });
    chart.AddCounts(&ForceFigures::byType, TypeSlotName, "");
    chart.Add("Missing", [](const ForceComparison& f) { return double(Shown(f).missing.size()); });
    if (!forces.empty() && forces.front().now) {
        chart.Add("Damage boxes", [](const ForceComparison& f) { return f.damageBoxes; });
    }
    return chart.Take();
}

CompareChart BandsChart(const std::vector<ForceComparison>& forces, std::string title,
                        std::array<double, 4> ForceFigures::*bands) {
    ChartBuilder chart(forces, std::move(title));
    chart.AddBands(bands);
    return chart.Take();
}

CompareChart DefenceAndSpeedChart(const std::vector<ForceComparison>& forces) {
    ChartBuilder chart(forces, "Defence and speed");
    chart.Add("DF", [](const ForceComparison& f) { return Shown(f).df; });
    chart.Add("Slowest speed",
              [](const ForceComparison& f) { return Shown(f).slowestSpeed.value_or(0); });
    chart.Add("Median speed",
              [](const ForceComparison& f) { return Shown(f).medianSpeed.value_or(0.0); });
    return chart.Take();
}

CompareChart AAChart(const std::vector<ForceComparison>& forces) {
    ChartBuilder chart(forces, "AA ratings");
    chart.AddCounts(&ForceFigures::aa, AASlotName, "AA ");
    return chart.Take();
}

}  // namespace

double CompareChart::Highest() const {
    double highest = 0.0;
    for (const auto& force : bars) {
        for (const Bar& bar : force) highest = std::max(highest, bar.height);
    }
    return highest;
}

std::vector<CompareChart> CompareCharts(const std::vector<ForceComparison>& forces) {
    return {ShipsChart(forces),
            DefenceAndSpeedChart(forces),
            BandsChart(forces, "Main armament", &ForceFigures::mainAF),
            BandsChart(forces, "Secondary armament", &ForceFigures::secondaryAF),
            BandsChart(forces, "Torpedoes", &ForceFigures::torpedoAF),
            AAChart(forces)};
}
