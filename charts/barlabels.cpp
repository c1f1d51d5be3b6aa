#include "charts/barlabels.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsSimpleTextItem>

#include "platform/qtstrings.h"

BarLabels::BarLabels(QChart& chart, QBarSeries& series, const CompareChart& figures,
                     const QColor& ink)
    : QObject(&chart), m_chart(chart), m_series(series) {
    const std::size_t sets = std::size_t(series.count());
    for (std::size_t s = 0; s < sets; ++s) {
        m_labels.emplace_back();
        m_heights.emplace_back();
        for (const CompareChart::Bar& bar : figures.bars[s]) {
            auto* label = new QGraphicsSimpleTextItem(ToQt(bar.label), &chart);
            label->setBrush(ink);
            label->setZValue(10);
            m_labels.back().push_back(label);
            m_heights.back().push_back(bar.height);
        }
    }
    connect(&chart, &QChart::plotAreaChanged, this, &BarLabels::Place);
    Place();
}

// QBarSeries shares each category's width between its sets, the bars
// together filling barWidth() of it around the category's middle.
void BarLabels::Place() {
    const double sets = double(m_labels.size());
    const double width = m_series.barWidth();
    for (std::size_t s = 0; s < m_labels.size(); ++s) {
        for (std::size_t c = 0; c < m_labels[s].size(); ++c) {
            const double x = double(c) - width / 2 + (double(s) + 0.5) * width / sets;
            const QPointF top = m_chart.mapToPosition(QPointF(x, m_heights[s][c]), &m_series);
            QGraphicsSimpleTextItem* label = m_labels[s][c];
            const QRectF box = label->boundingRect();
            label->setPos(top.x() - box.width() / 2, top.y() - box.height());
            label->setVisible(m_chart.plotArea().width() > 0);
        }
    }
}
