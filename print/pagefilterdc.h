#pragma once

#include "platform/cdc.h"

// A device context in front of another that lets only some pages through:
// measuring and state reach the device always, drawing and page calls only
// for pages first to last (from 1). With an empty range it draws nothing and
// counts the pages of a job.
class PageFilterDC : public CDC {
  public:
    PageFilterDC(CDC& target, int first, int last)
        : m_target(target), m_first(first), m_last(last) {}

    int Pages() const { return m_page; }

    int GetDeviceCaps(DeviceCap index) const override { return m_target.GetDeviceCaps(index); }
    bool CanItalic() const override { return m_target.CanItalic(); }
    bool KeepsFiguresInBoxes() const override { return m_target.KeepsFiguresInBoxes(); }
    void MoveTo(int x, int y) override { m_target.MoveTo(x, y); }
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void PatBlt(int x, int y, int width, int height, RasterOp op) override;
    void TextOut(int x, int y, const std::string& text) override;
    void TabbedTextOut(int x, int y, const std::string& text, int tabOrigin) override;
    CSize GetTextExtent(const std::string& text) const override {
        return m_target.GetTextExtent(text);
    }
    unsigned SetTextAlign(unsigned align) override { return m_target.SetTextAlign(align); }
    int SetBkMode(int mode) override { return m_target.SetBkMode(mode); }
    COLORREF SetTextColor(COLORREF color) override { return m_target.SetTextColor(color); }
    CFont SelectObject(const CFont& font) override { return m_target.SelectObject(font); }
    CPen SelectObject(const CPen& pen) override { return m_target.SelectObject(pen); }
    CBrush SelectObject(const CBrush& brush) override { return m_target.SelectObject(brush); }
    CFont GetCurrentFont() const override { return m_target.GetCurrentFont(); }

    int StartDoc(const std::string& name) override;
    int StartPage() override;
    int EndPage() override;
    int EndDoc() override;

  private:
    bool Passes() const { return m_page >= m_first && m_page <= m_last; }

    CDC& m_target;
    int m_first;
    int m_last;
    int m_page = 0;
    bool m_docStarted = false;
};
