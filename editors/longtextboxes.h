#pragma once

#include "platform/types.h"

class QLineEdit;
class QPlainTextEdit;

// The scenario editor's text boxes. A text longer than a box can lay out
// quickly is shown in part, read-only, and kept as it is; a text shown
// afresh goes back only once the user has typed in its box.
QLineEdit* MakeLineBox(const char* objectName);
QPlainTextEdit* MakeNotesBox(const char* objectName);

void ShowText(QLineEdit* box, const CString& text);
void ShowText(QPlainTextEdit* box, const CString& text);
void TakeText(const QLineEdit* box, CString& text);
void TakeText(const QPlainTextEdit* box, CString& text);
