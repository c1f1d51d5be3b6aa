#pragma once

#include <string>

#include "platform/gdi.h"

// A device context: the drawing operations the print, card and export code
// need, in device pixels with GDI's meaning. Selecting an object returns the
// one it replaces so that callers can put it back.
class CDC {
  public:
    virtual ~CDC() = default;

    virtual int GetDeviceCaps(DeviceCap index) const = 0;
    // Whether the device draws italic faces (printers may not).
    virtual bool CanItalic() const { return true; }
    // Whether figures must keep inside the boxes they are written in. Paper
    // lets a wide figure run over a rule; a screen's coarse pixels would
    // draw the rule through it, so there the figures are fitted.
    virtual bool KeepsFiguresInBoxes() const { return false; }

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Right and bottom edges are outside the shape; the interior is filled
    // with the current brush.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void PatBlt(int x, int y, int width, int height, RasterOp op) = 0;

    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Without tab stops every tab expands to eight average character widths.
    virtual void TabbedTextOut(int x, int y, const std::string& text, int tabOrigin) = 0;
    virtual CSize GetTextExtent(const std::string& text) const = 0;

    virtual unsigned SetTextAlign(unsigned align) = 0;
    virtual int SetBkMode(int mode) = 0;
    virtual COLORREF SetTextColor(COLORREF color) = 0;
    virtual CFont SelectObject(const CFont& font) = 0;
    virtual CPen SelectObject(const CPen& pen) = 0;
    virtual CBrush SelectObject(const CBrush& brush) = 0;
    virtual CFont GetCurrentFont() const = 0;

    // Printer document and page calls; other surfaces ignore them.
    virtual int StartDoc(const std::string& /*name*/) { return 1; }
    virtual int StartPage() { return 1; }
    virtual int EndPage() { return 1; }
    virtual int EndDoc() { return 1; }
};
