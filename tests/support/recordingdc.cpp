#include "tests/support/recordingdc.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {
std::string Numbers(std::initializer_list<int> values) {
    std::string out;
    for (const int v : values) out += " " + std::to_string(v);
    return out;
}
}  // namespace

RecordingDC::RecordingDC(int width, int height, int widthMm, int heightMm)
    : m_width(width), m_height(height), m_widthMm(widthMm), m_heightMm(heightMm) {
    m_font.lfHeight = -10;
}

int RecordingDC::GetDeviceCaps(DeviceCap index) const {
    return index == HORZRES    ? m_width
           : index == VERTRES  ? m_height
           : index == HORZSIZE ? m_widthMm
           : index == VERTSIZE ? m_heightMm
                               : 0;
}

void RecordingDC::MoveTo(int x, int y) {
    m_x = x;
    m_y = y;
}

void RecordingDC::LineTo(int x, int y) {
    log.push_back("Line" + Numbers({m_x, m_y, x, y}) + " w=" + std::to_string(m_pen.width));
    MoveTo(x, y);
}

void RecordingDC::Rectangle(int left, int top, int right, int bottom) {
    log.push_back("Rectangle" + Numbers({left, top, right, bottom}));
}

void RecordingDC::Ellipse(int left, int top, int right, int bottom) {
    log.push_back("Ellipse" + Numbers({left, top, right, bottom}));
}

void RecordingDC::PatBlt(int x, int y, int width, int height, RasterOp) {
    log.push_back("PatBlt" + Numbers({x, y, width, height}));
}

void RecordingDC::TextOut(int x, int y, const std::string& text) {
    log.push_back("TextOut" + Numbers({x, y}) + " align=" + std::to_string(m_align) +
                  " h=" + std::to_string(std::abs(m_font.lfHeight)) + " " + text);
}

void RecordingDC::TabbedTextOut(int x, int y, const std::string& text, int) {
    log.push_back("TabbedTextOut" + Numbers({x, y}) + " " + text);
}

CSize RecordingDC::GetTextExtent(const std::string& text) const {
    const int h = std::abs(m_font.lfHeight);
    return {static_cast<int>(text.size()) * (h / 2), h};
}

unsigned RecordingDC::SetTextAlign(unsigned align) { return std::exchange(m_align, align); }
int RecordingDC::SetBkMode(int mode) { return std::exchange(m_bkMode, mode); }
COLORREF RecordingDC::SetTextColor(COLORREF color) { return std::exchange(m_textColor, color); }
CFont RecordingDC::SelectObject(const CFont& font) { return std::exchange(m_font, font); }
CPen RecordingDC::SelectObject(const CPen& pen) { return std::exchange(m_pen, pen); }
CBrush RecordingDC::SelectObject(const CBrush& brush) { return std::exchange(m_brush, brush); }

std::vector<std::string> RecordingDC::Find(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& entry : log)
        if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
    return found;
}

bool RecordingDC::Has(const std::string& entry) const {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

std::string RecordingDC::TextEntry(const std::string& text) const {
    for (const std::string& entry : log) {
        const bool isText = entry.rfind("TextOut", 0) == 0 || entry.rfind("TabbedTextOut", 0) == 0;
        if (isText && entry.size() > text.size() &&
            entry.compare(entry.size() - text.size() - 1, std::string::npos, " " + text) == 0)
            return entry;
    }
    return {};
}
