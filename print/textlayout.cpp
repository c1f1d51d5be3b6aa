#include "print/textlayout.h"

#include <algorithm>
#include <cstdlib>

#include "print/printframework.h"

namespace {

// Lines are measured a window at a time: far longer than any line a page
// holds, and short enough that a hostile megabyte of text without a line
// break costs time in proportion to its length, not its square.
constexpr std::size_t kMeasureWindow = 4096;
constexpr std::size_t kFirstWindow = 256;

// Characters of text estimated to fit maxWidth when the whole is width wide.
int EstimatedFit(std::size_t length, int maxWidth, int width) {
    return static_cast<int>(static_cast<double>(length) * maxWidth / width) + 1;
}

int LastBreak(const CString& text, int within) {
    const CString piece = text.substr(0, static_cast<std::size_t>(std::max(within, 0)));
    const std::size_t at = piece.find_last_of(" -,");
    return at == CString::npos ? -1 : static_cast<int>(at);
}

// With no break character to use, the most characters that fit (at least one).
int ForcedBreak(CDC& dc, const CString& text, int maxWidth, int estimate) {
    int count = std::clamp(estimate - 1, 1, static_cast<int>(text.size()));
    while (count > 1 && dc.GetTextExtent(text.substr(0, std::size_t(count))).cx > maxWidth) --count;
    return count;
}

}  // namespace

void SplitLines(const CString& text, CStringArray& lines) {
    lines.clear();
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != CString::npos; from = at + 2) {
        lines.push_back(text.substr(from, at - from));
    }
    if (from < text.size()) lines.push_back(text.substr(from));
}

CString FitTextLine(CDC& dc, int maxWidth, const CString& text, int start, int& next) {
    const std::size_t from = std::min(std::size_t(std::max(start, 0)), text.size());
    const bool windowed = text.size() - from > kMeasureWindow;
    CString rest = text.substr(from, windowed ? kFirstWindow : kMeasureWindow);
    int width = dc.GetTextExtent(rest).cx;
    // Past a whole window's length the window widens only while it fits, so
    // that each piece of a hostile line costs time for its own length.
    while (windowed && width <= maxWidth && rest.size() < kMeasureWindow) {
        rest = text.substr(from, rest.size() * 2);
        width = dc.GetTextExtent(rest).cx;
    }
    if (width <= maxWidth) {
        // A window that fits ends a piece without a break character to skip.
        next = start + static_cast<int>(rest.size()) - (windowed ? 1 : 0);
        return rest;
    }
    const int estimate = EstimatedFit(rest.size(), maxWidth, width);
    const int b = LastBreak(rest, estimate);
    // A piece keeps a leading blank (the second of a run at a wrap point):
    // dropping it as well would lose a character besides the break.
    if (b <= 0) {
        const int count = ForcedBreak(dc, rest, maxWidth, estimate);
        next = start + count - 1;
        return rest.substr(0, std::size_t(count));
    }
    next = b + start;
    return rest.substr(0, std::size_t(b));
}

int TextBlockHeight(CDC& dc, const CFont& font, int maxWidth, const CString& text) {
    ScopedSelection<CFont> selected(dc, font);
    const int lineHeight = std::abs(font.lfHeight);
    const int surfaceHeight = dc.GetDeviceCaps(VERTRES);
    int lines = 0;
    for (std::size_t at = 0; lineHeight * lines <= surfaceHeight;) {
        const bool windowed = text.size() - at > kMeasureWindow;
        const CString rest = text.substr(at, kMeasureWindow);
        const int width = dc.GetTextExtent(rest).cx;
        if (width <= maxWidth) {
            if (width > 0) ++lines;
            if (!windowed) break;
            at += rest.size();
            continue;
        }
        ++lines;
        const int estimate = EstimatedFit(rest.size(), maxWidth, width);
        const int b = LastBreak(rest, estimate);
        at += std::size_t(b > 0 ? b : ForcedBreak(dc, rest, maxWidth, estimate));
        if (at < text.size() && text[at] == ' ') ++at;
    }
    return lineHeight * lines;
}

namespace {

// The callers' pattern: each line of SplitLines piece by piece, until the
// visitor asks to stop.
template <class Visit>
void ForEachPiece(CDC& dc, int maxWidth, const CString& text, Visit visit) {
    CStringArray lines;
    SplitLines(text, lines);
    for (const CString& line : lines) {
        int next = 0;
        for (CString piece = FitTextLine(dc, maxWidth, line, 0, next); !piece.empty();
             piece = FitTextLine(dc, maxWidth, line, next + 1, next)) {
            if (!visit(std::move(piece))) return;
        }
    }
}

}  // namespace

void DrawWrappedText(CDC& dc, int x, int y, int maxWidth, int lineHeight, const CString& text) {
    ForEachPiece(dc, maxWidth, text, [&](const CString& piece) {
        if (y > dc.GetDeviceCaps(VERTRES)) return false;  // nothing shows below the surface
        dc.TabbedTextOut(x, y, piece, 0);
        y += lineHeight;
        return true;
    });
}

CStringArray WrappedPieces(CDC& dc, int maxWidth, const CString& text) {
    CStringArray pieces;
    ForEachPiece(dc, maxWidth, text, [&pieces](CString piece) {
        pieces.push_back(std::move(piece));
        return true;
    });
    return pieces;
}
