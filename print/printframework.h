#pragma once

#include "platform/cdc.h"
#include "platform/types.h"

// The notice on every printed page and at the foot of every HTML page.
inline constexpr const char* kCopyrightNotice = "\xA9 2026 The Brinnow developers";

// Device pixels per millimetre: the larger of the two whole-number ratios of
// the device's pixels to its millimetres.
double PixelsPerMm(const CDC& dc);

// A length of k millimetres in device pixels, truncated.
inline int Mm(double p, double k) { return static_cast<int>(p * k); }

// The frame every printed page shares.
struct PageGeometry {
    int width = 0;   // HORZRES
    int height = 0;  // VERTRES
    int margin = 0;
    int printableWidth = 0;
    int bottomLimit = 0;

    static PageGeometry Of(const CDC& dc, double p);
};

void PrintTitleBlock(CDC& dc, double p);
void PrintPageFooter(CDC& dc, double p, int page);
// Footer, end of page, next number, new page, title block.
void NewPrintPage(CDC& dc, double p, int& page);
void MakePrintFont(const CDC& dc, CFont& font, int heightPx, const CString& face, BOOL bold,
                   BOOL italic);
// Selects upright Arial of that height, as the program's own pages print.
void SelectArial(CDC& dc, int heightPx, BOOL bold);

// Frees a font, pen or brush selection when the scope ends, as every drawing
// routine must leave the device as it found it.
template <class T>
class ScopedSelection {
  public:
    ScopedSelection(CDC& dc, const T& object) : m_dc(dc), m_previous(dc.SelectObject(object)) {}
    ~ScopedSelection() { m_dc.SelectObject(m_previous); }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

  private:
    CDC& m_dc;
    T m_previous;
};

class ScopedTextAlign {
  public:
    ScopedTextAlign(CDC& dc, unsigned align) : m_dc(dc), m_previous(dc.SetTextAlign(align)) {}
    ~ScopedTextAlign() { m_dc.SetTextAlign(m_previous); }
    ScopedTextAlign(const ScopedTextAlign&) = delete;
    ScopedTextAlign& operator=(const ScopedTextAlign&) = delete;

  private:
    CDC& m_dc;
    unsigned m_previous;
};
