#include "editors/longtextboxes.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "platform/qtstrings.h"

namespace {

// A box lays out a long unbroken line in quadratic time, and a part typed
// over would lose the rest.
constexpr std::size_t kLongestEditableText = 16384;

bool Editable(const CString& text) { return text.size() <= kLongestEditableText; }

// The part of a text a box shows.
QString ShownPart(const CString& text) {
    return ToQt(Editable(text) ? text : text.substr(0, kLongestEditableText));
}

template <class Box>
void MarkWhole(Box* box, bool whole) {
    box->setReadOnly(!whole);
    box->setToolTip(whole ? QString()
                          : QStringLiteral("This text is too long to edit here; it is kept as "
                                           "it is."));
}

}  // namespace

QLineEdit* MakeLineBox(const char* objectName) {
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    return edit;
}

QPlainTextEdit* MakeNotesBox(const char* objectName) {
    auto* edit = new QPlainTextEdit;
    edit->setObjectName(objectName);
    edit->setTabChangesFocus(true);
    return edit;
}

void ShowText(QLineEdit* box, const CString& text) {
    box->setText(ShownPart(text));
    MarkWhole(box, Editable(text));
}

void ShowText(QPlainTextEdit* box, const CString& text) {
    const QSignalBlocker quiet(box);
    box->setPlainText(ShownPart(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box->document()->setModified(false);
    MarkWhole(box, Editable(text));
}

void TakeText(const QLineEdit* box, CString& text) {
    if (box->isModified()) text = FromQt(box->text());
}

void TakeText(const QPlainTextEdit* box, CString& text) {
    if (box->document()->isModified()) text = FromQtLines(box->toPlainText());
}
