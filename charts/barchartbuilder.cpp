#include "charts/barchartbuilder.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QValueAxis>
#include <algorithm>
#include <array>

#include "charts/barlabels.h"
#include "platform/qtstrings.h"

namespace {

const std::array<Qt::BrushStyle, 6> kPaperPatterns = {Qt::SolidPattern,  Qt::BDiagPattern,
                                                      Qt::Dense6Pattern, Qt::CrossPattern,
                                                      Qt::FDiagPattern,  Qt::DiagCrossPattern};
const QColor kNightBackground{QRgb(kNightGround)};
const QColor kNightText{QRgb(kNightInk)};

QBrush ForceBrush(std::size_t force, ChartInk ink) {
    if (ink == ChartInk::Paper)
        return QBrush(Qt::black, kPaperPatterns[force % kPaperPatterns.size()]);
    return QBrush(QColor(QRgb(kForceColours[force % kForceColours.size()])));
}

QBarSet* ForceBars(const CompareChart& chart, std::size_t force, ChartInk ink) {
    auto* set = new QBarSet(ToQt(chart.forces[force]));
    for (const CompareChart::Bar& bar : chart.bars[force]) set->append(bar.height);
    set->setBrush(ForceBrush(force, ink));
    set->setPen(ink == ChartInk::Paper ? QPen(Qt::black) : QPen(Qt::NoPen));
    set->setLabelColor(ink == ChartInk::Night ? kNightText : Qt::black);
    return set;
}

struct Inks {
    QColor background, ink, grid;
};

Inks InksOf(ChartInk ink) {
    if (ink == ChartInk::Night) return {kNightBackground, kNightText, QColor(90, 90, 90)};
    return {Qt::white, Qt::black, QColor(200, 200, 200)};
}

// Every part coloured here rather than by a theme, so that paper stays
// black on white and night stays light on dark.
void Colour(QChart& chart, QAbstractAxis& x, QAbstractAxis& y, ChartInk ink) {
    const Inks inks = InksOf(ink);
    chart.setBackgroundBrush(inks.background);
    chart.setBackgroundPen(Qt::NoPen);
    chart.setBackgroundRoundness(0);
    chart.setTitleBrush(inks.ink);
    chart.legend()->setLabelColor(inks.ink);
    for (QAbstractAxis* axis : {&x, &y}) {
        axis->setLabelsColor(inks.ink);
        axis->setLinePenColor(inks.ink);
        axis->setGridLineColor(inks.grid);
    }
}

}  // namespace

QChart* BuildBarChart(const CompareChart& figures, ChartInk ink) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(ToQt(figures.title));
    auto* series = new QBarSeries;
    const std::size_t shown = std::min(figures.bars.size(), kMostForcesInChart);
    for (std::size_t f = 0; f < shown; ++f) {
        QBarSet* set = ForceBars(figures, f, ink);
        series->append(set);
    }
    chart->addSeries(series);

    auto* x = new QBarCategoryAxis;
    for (const std::string& category : figures.categories) x->append(ToQt(category));
    auto* y = new QValueAxis;
    y->setRange(0, std::max(1.0, figures.Highest() * 1.15));
    y->applyNiceNumbers();
    y->setLabelFormat("%g");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    Colour(*chart, *x, *y, ink);
    new BarLabels(*chart, *series, figures,
                  ink == ChartInk::Night ? kNightText : QColor(Qt::black));
    return chart;
}
