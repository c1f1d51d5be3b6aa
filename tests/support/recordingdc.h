#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/cdc.h"

// A device context that draws nothing and logs every primitive with its
// device coordinates. Text metrics are deterministic: every character is
// half the font's em height wide, and a text is exactly the em height tall.
class RecordingDC : public CDC {
  public:
    // A page of width x height pixels on widthMm x heightMm.
    RecordingDC(int width = 4960, int height = 7016, int widthMm = 210, int heightMm = 297);

    int GetDeviceCaps(DeviceCap index) const override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void PatBlt(int x, int y, int width, int height, RasterOp op) override;
    void TextOut(int x, int y, const std::string& text) override;
    void TabbedTextOut(int x, int y, const std::string& text, int tabOrigin) override;
    CSize GetTextExtent(const std::string& text) const override;
    unsigned SetTextAlign(unsigned align) override;
    int SetBkMode(int mode) override;
    COLORREF SetTextColor(COLORREF color) override;
    CFont SelectObject(const CFont& font) override;
    CPen SelectObject(const CPen& pen) override;
    CBrush SelectObject(const CBrush& brush) override;
    CFont GetCurrentFont() const override { return m_font; }
    int StartDoc(const std::string& name) override { return Logged("StartDoc " + name); }
    int StartPage() override { return Logged("StartPage"); }
    int EndPage() override { return Logged("EndPage"); }
    int EndDoc() override { return Logged("EndDoc"); }

    // One entry per primitive, e.g. "Rectangle 0 161 966 506" or
    // "TextOut 484 163 align=0 h=36 BRIDGE".
    std::vector<std::string> log;
    unsigned align() const { return m_align; }
    const CPen& pen() const { return m_pen; }
    const CBrush& brush() const { return m_brush; }

    // Entries that begin with prefix.
    std::vector<std::string> Find(const std::string& prefix) const;
    bool Has(const std::string& entry) const;
    // The TextOut (or TabbedTextOut) entry that draws exactly text, or "".
    std::string TextEntry(const std::string& text) const;

  private:
    int Logged(std::string entry) {
        log.push_back(std::move(entry));
        return 1;
    }
    int m_width, m_height, m_widthMm, m_heightMm;
    int m_x = 0, m_y = 0;
    unsigned m_align = TA_LEFT | TA_TOP;
    int m_bkMode = OPAQUE;
    COLORREF m_textColor = 0;
    CFont m_font;
    CPen m_pen;
    CBrush m_brush;
};
