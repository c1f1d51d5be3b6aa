#include "compare/comparesvg.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr double kWidth = 640;
constexpr double kLeft = 48, kRight = 16, kTop = 30, kPlotHeight = 170;
constexpr double kLegendTop = kTop + kPlotHeight + 34;
constexpr double kLegendRow = 16;
constexpr std::size_t kLegendColumns = 4;
constexpr double kBarShare = 0.6;  // of a category's width

std::string Number(double value) {
    char text[32];
    return std::string(
        text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1).ptr);
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Colour(std::size_t force) {
    static const char* const kHex = "0123456789ABCDEF";
    const unsigned rgb = kForceColours[force % kForceColours.size()];
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(rgb >> unsigned(shift)) & 0xF];
    return text;
}

std::string Text(double x, double y, const std::string& anchor, const std::string& text) {
    return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" text-anchor=\"" + anchor + "\">" +
           Escaped(text) + "</text>\n";
}

std::string Rect(double x, double y, double width, double height, const std::string& fill) {
    return "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) +
           "\" height=\"" + Number(height) + "\" fill=\"" + fill + "\"/>\n";
}

std::string Bars(const CompareChart& chart, std::size_t shown) {
    const double plotWidth = kWidth - kLeft - kRight;
    const double categoryWidth =
        plotWidth / double(std::max<std::size_t>(chart.categories.size(), 1));
    const double barWidth = categoryWidth * kBarShare / double(std::max<std::size_t>(shown, 1));
    const double highest = std::max(1.0, chart.Highest() * 1.15);
    const double base = kTop + kPlotHeight;
    std::string svg;
    for (std::size_t c = 0; c < chart.categories.size(); ++c) {
        const double left = kLeft + double(c) * categoryWidth + categoryWidth * (1 - kBarShare) / 2;
        for (std::size_t f = 0; f < shown; ++f) {
            const CompareChart::Bar& bar = chart.bars[f][c];
            const double height = std::max(0.0, bar.height) / highest * kPlotHeight;
            const double x = left + double(f) * barWidth;
            svg += Rect(x, base - height, barWidth, height, Colour(f));
            svg += Text(x + barWidth / 2, base - height - 3, "middle", bar.label);
        }
        svg += Text(kLeft + (double(c) + 0.5) * categoryWidth, base + 16, "middle",
                    chart.categories[c]);
    }
    return svg + "<line x1=\"" + Number(kLeft) + "\" y1=\"" + Number(base) + "\" x2=\"" +
           Number(kWidth - kRight) + "\" y2=\"" + Number(base) + "\" stroke=\"#000000\"/>\n";
}

std::string Legend(const CompareChart& chart, std::size_t shown) {
    const double columnWidth = (kWidth - kLeft - kRight) / double(kLegendColumns);
    std::string svg;
    for (std::size_t f = 0; f < shown; ++f) {
        const double x = kLeft + double(f % kLegendColumns) * columnWidth;
        const double y = kLegendTop + double(f / kLegendColumns) * kLegendRow;
        svg += Rect(x, y - 9, 10, 10, Colour(f));
        svg += Text(x + 14, y, "start", chart.forces[f]);
    }
    return svg;
}

}  // namespace

std::string CompareSvg(const CompareChart& chart) {
    const std::size_t shown = std::min(chart.bars.size(), kMostForcesInChart);
    const std::size_t legendRows = (shown + kLegendColumns - 1) / kLegendColumns;
    const double height = kLegendTop + double(legendRows) * kLegendRow;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(kWidth) +
                      "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " + Number(kWidth) + " " +
                      Number(height) + "\" font-family=\"Arial, sans-serif\" font-size=\"11\">\n";
    svg += Rect(0, 0, kWidth, height, "#FFFFFF");
    svg += "<text x=\"" + Number(kWidth / 2) +
           "\" y=\"18\" text-anchor=\"middle\" "
           "font-size=\"14\" font-weight=\"bold\">" +
           Escaped(chart.title) + "</text>\n";
    svg += Bars(chart, shown);
    svg += Legend(chart, shown);
    if (shown < chart.bars.size()) {
        svg += Text(
            kWidth - kRight, 18, "end",
            "forces 1 to " + std::to_string(shown) + " of " + std::to_string(chart.bars.size()));
    }
    return svg + "</svg>\n";
}

std::string ForcesComparedSection(const std::vector<ForceComparison>& forces) {
    std::string section = "<H2>Forces compared</H2>\n";
    for (const CompareChart& chart : CompareCharts(forces))
        section += "<P>\n" + CompareSvg(chart) + "</P>\n";
    return section;
}
