#pragma once

#include "platform/types.h"

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Document text in edit boxes. A box hands back the very bytes it was given
// until the user changes its text, so that opening and closing an editor
// changes nothing: a box would turn a no-break space into a plain one and a
// lone CR or LF into a line break.
void SetBoxText(QLineEdit* box, const CString& text);
CString BoxText(const QLineEdit* box);
// Multi-line: "\r\n" in the document, one line per paragraph in the box.
void SetBoxText(QPlainTextEdit* box, const CString& text);
CString BoxText(const QPlainTextEdit* box);

// Takes characters that a document cannot hold (outside Windows-1252) out of
// every edit box under root as soon as they are typed or pasted, and says
// which they were.
void RefuseForeignCharacters(QWidget* root);
