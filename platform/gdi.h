#pragma once

#include <cstdint>
#include <string>

// GDI's names and values for what the drawing code asks of a device.
using COLORREF = std::uint32_t;
constexpr COLORREF RGB(int r, int g, int b) {
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr int GetRValue(COLORREF c) { return int(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return int((c >> 16) & 0xFF); }

enum DeviceCap { HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10 };

enum TextAlign : unsigned {
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
};
constexpr unsigned kHorizontalAlignMask = TA_CENTER;
constexpr unsigned kVerticalAlignMask = TA_BASELINE;

enum BkMode { TRANSPARENT = 1, OPAQUE = 2 };

enum RasterOp : std::uint32_t { WHITENESS = 0x00FF0062 };

struct CSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const CSize&) const = default;
};

// A logical font: lfHeight is negative for an em height in pixels, as the
// print code always makes it.
struct CFont {
    int lfHeight = 0;
    int lfWeight = 400;
    bool lfItalic = false;
    std::string lfFaceName = "Arial";
    bool operator==(const CFont&) const = default;
};

struct CPen {
    int width = 1;
    COLORREF color = RGB(0, 0, 0);
    bool operator==(const CPen&) const = default;
};

struct CBrush {
    COLORREF color = RGB(255, 255, 255);
    bool operator==(const CBrush&) const = default;
};
