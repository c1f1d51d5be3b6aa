#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>

// The one way the program asks and refuses: a modal box with fixed texts.
// Tests replace it to answer questions and to see the exact wording.
enum MessageBoxType : unsigned {
    MB_OK = 0x0,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    // The second button (No) is the default: for questions that throw work away.
    MB_DEFBUTTON2 = 0x100,
};
enum MessageBoxAnswer { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// text is in the document code page.
int AfxMessageBox(const std::string& text, unsigned type = MB_OK | MB_ICONEXCLAMATION);
// A question that may lose data: only Yes goes on.
bool AskYesNo(const std::string& question);
// The same for text the code page may not hold (file names).
bool AskYesNoUnicode(const QString& question);
// Text that the code page may not hold (file names, characters refused);
// a hook sees it in UTF-8.
int AfxMessageBoxUnicode(const QString& text, unsigned type = MB_OK | MB_ICONEXCLAMATION);

using MessageBoxHook = std::function<int(const std::string& text, unsigned type)>;
// Installs a replacement; an empty hook restores the real box.
void SetMessageBoxHook(MessageBoxHook hook);

// A question whose answers are named buttons: returns the index of the one
// chosen. Escape and closing the box choose the default, which must be the
// answer that loses nothing.
int AskChoice(const QString& title, const QString& text, const QStringList& buttons,
              int defaultButton);
// Tests answer choices through this hook; empty restores the real box.
using ChoiceHook =
    std::function<int(const std::string& text, const QStringList& buttons, int defaultButton)>;
void SetChoiceHook(ChoiceHook hook);
