#pragma once

#include "platform/cdc.h"
#include "platform/types.h"

// Splits at "\r\n"; empty lines between breaks stay, a final empty one does not.
void SplitLines(const CString& text, CStringArray& lines);

// The next piece of a line that fits maxWidth, broken at the last blank,
// hyphen or comma of a proportional estimate. next reports where the piece
// ended: the caller resumes at next + 1, so the break character is not drawn.
// A piece with no usable break is cut at the width, so nothing else is lost.
CString FitTextLine(CDC& dc, int maxWidth, const CString& text, int start, int& next);

// The height of one line of text (no "\r\n") wrapped to maxWidth. Counting
// stops once the text is taller than the surface, as nothing shows below it.
int TextBlockHeight(CDC& dc, const CFont& font, int maxWidth, const CString& text);

// The pattern every caller draws wrapped text with: each line of SplitLines
// piece by piece, advancing y by lineHeight, down to the surface's bottom.
void DrawWrappedText(CDC& dc, int x, int y, int maxWidth, int lineHeight, const CString& text);

// Every piece that pattern draws, in order: the layout of a wrapped text,
// measured once and drawn as measured.
CStringArray WrappedPieces(CDC& dc, int maxWidth, const CString& text);
