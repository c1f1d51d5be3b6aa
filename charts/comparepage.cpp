#include "charts/comparepage.h"

#include <QChart>
#include <QGraphicsScene>
#include <algorithm>
#include <memory>

#include "charts/barchartbuilder.h"
#include "platform/qpainterdc.h"
#include "print/printframework.h"

namespace {

constexpr double kMarginMm = 12;
constexpr double kTitleMm = 5;
constexpr double kTextMm = 3;
constexpr double kRowMm = 4.5;
constexpr double kGapMm = 3;
constexpr double kChartShare = 0.45;
constexpr double kPointsPerMm = 72 / 25.4;

struct Page {
    double pxPerMm;
    int left, top, width, height;
    int Mm(double mm) const { return int(mm * pxPerMm); }
};

Page PageOf(CDC& dc) {
    const double pxPerMm = double(dc.GetDeviceCaps(HORZRES)) / dc.GetDeviceCaps(HORZSIZE);
    const int margin = int(kMarginMm * pxPerMm);
    return {pxPerMm, margin, margin, dc.GetDeviceCaps(HORZRES) - 2 * margin,
            dc.GetDeviceCaps(VERTRES) - 2 * margin};
}

// The chart is laid out in points, as on a screen, and scaled onto the
// page, so that its lettering keeps the size it has in the window.
void DrawChart(CDC& dc, const CompareChart& figures, const QRect& area, double pxPerMm) {
    auto* painterDc = dynamic_cast<QPainterDC*>(&dc);
    if (painterDc == nullptr) return;
    QGraphicsScene scene;
    QChart* chart = BuildBarChart(figures, ChartInk::Paper);
    scene.addItem(chart);
    const QSizeF points(area.width() / pxPerMm * kPointsPerMm,
                        area.height() / pxPerMm * kPointsPerMm);
    chart->setGeometry(QRectF(QPointF(0, 0), points));
    scene.setSceneRect(QRectF(QPointF(0, 0), points));
    scene.render(&painterDc->Painter(), QRectF(area), scene.sceneRect());
}

std::vector<int> ColumnWidths(CDC& dc, const CompareTable& table, int gap) {
    std::vector<int> widths(table.header.size(), 0);
    const auto widen = [&](std::size_t column, const std::string& text) {
        widths[column] = std::max(widths[column], dc.GetTextExtent(text).cx + gap);
    };
    for (std::size_t c = 0; c < table.header.size(); ++c) widen(c, table.header[c]);
    for (const CompareTable::Row& row : table.rows) {
        widen(0, row.label);
        for (std::size_t c = 0; c < row.cells.size(); ++c) widen(c + 1, row.cells[c]);
    }
    return widths;
}

// The columns that fit the width, the labels' always.
std::size_t ColumnsThatFit(const std::vector<int>& widths, int width) {
    std::size_t count = 1;
    int used = widths[0];
    while (count < widths.size() && used + widths[count] <= width) used += widths[count++];
    return count;
}

void DrawTable(CDC& dc, const CompareTable& table, const Page& page, int top) {
    if (table.header.empty()) return;
    const int lines = int(table.rows.size()) + 2 + (table.subheader.empty() ? 0 : 1);
    const int row = std::min(page.Mm(kRowMm), (page.top + page.height - top) / std::max(lines, 1));
    SelectArial(dc, std::max(1, row * int(kTextMm * 10) / int(kRowMm * 10)), FALSE);
    const std::vector<int> widths = ColumnWidths(dc, table, page.Mm(kGapMm));
    const std::size_t columns = ColumnsThatFit(widths, page.width);
    const auto line = [&](int y, const std::string& label, const std::vector<std::string>& cells,
                          std::size_t from) {
        dc.SetTextAlign(TA_LEFT | TA_TOP);
        dc.TextOut(page.left, y, label);
        dc.SetTextAlign(TA_RIGHT | TA_TOP);
        int x = page.left + widths[0];
        for (std::size_t c = 1; c < columns && c - 1 + from < cells.size(); ++c) {
            x += widths[c];
            dc.TextOut(x, y, cells[c - 1 + from]);
        }
    };
    int y = top;
    line(y, table.header[0], table.header, 1);
    if (!table.subheader.empty()) line(y += row, table.subheader[0], table.subheader, 1);
    for (const CompareTable::Row& r : table.rows) line(y += row, r.label, r.cells, 0);
    if (columns < widths.size()) {
        dc.SetTextAlign(TA_LEFT | TA_TOP);
        dc.TextOut(page.left, y + row,
                   std::to_string(widths.size() - columns) + " more columns do not fit the page.");
    }
}

}  // namespace

void DrawComparisonPage(CDC& dc, const std::string& title, const CompareChart& chart,
                        const CompareTable& table) {
    const Page page = PageOf(dc);
    dc.StartDoc(title);
    dc.StartPage();
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    SelectArial(dc, page.Mm(kTitleMm), TRUE);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(page.left, page.top, title);
    const int chartTop = page.top + page.Mm(kTitleMm * 1.6);
    const int chartHeight = int(page.height * kChartShare);
    DrawChart(dc, chart, QRect(page.left, chartTop, page.width, chartHeight), page.pxPerMm);
    DrawTable(dc, table, page, chartTop + chartHeight + page.Mm(kRowMm));
    dc.EndPage();
    dc.EndDoc();
}
