#pragma once

#include <QColor>
#include <QObject>
#include <vector>

#include "compare/comparechart.h"

class QBarSeries;
class QChart;
class QGraphicsSimpleTextItem;

// The figure written above each bar as the table writes it, so that an
// infinity or a NaN reads as such over its empty bar. Qt Charts' own labels
// can only print the bar's height. Owned by the chart; follows its plot area.
class BarLabels : public QObject {
    Q_OBJECT
  public:
    BarLabels(QChart& chart, QBarSeries& series, const CompareChart& figures, const QColor& ink);

  private:
    void Place();

    QChart& m_chart;
    QBarSeries& m_series;
    // m_labels[set][category]
    std::vector<std::vector<QGraphicsSimpleTextItem*>> m_labels;
    std::vector<std::vector<double>> m_heights;
};
