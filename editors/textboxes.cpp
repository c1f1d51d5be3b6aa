#include "editors/textboxes.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "desktop/messagebox.h"
#include "platform/qtstrings.h"

namespace {

constexpr const char* kGivenBytes = "brinnowGivenBytes";
constexpr const char* kGivenText = "brinnowGivenText";
constexpr const char* kGuarded = "brinnowRefusesForeign";

void RememberGiven(QObject* box, const CString& bytes, const QString& shown) {
    box->setProperty(kGivenBytes, QByteArray(bytes.data(), qsizetype(bytes.size())));
    box->setProperty(kGivenText, shown);
}

// The given bytes while the box still shows what it was given.
bool Untouched(const QObject* box, const QString& shown, CString& bytes) {
    const QVariant given = box->property(kGivenText);
    if (!given.isValid() || given.toString() != shown) return false;
    const QByteArray original = box->property(kGivenBytes).toByteArray();
    bytes.assign(original.constData(), std::size_t(original.size()));
    return true;
}

// The box's text with its no-break spaces, which toPlainText would turn
// into plain spaces, and "\n" between paragraphs.
QString RawText(const QPlainTextEdit* box) {
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

bool FitsCodePage(QChar c) {
    const QString one(c);
    return c == QLatin1Char('?') || FromQt(one) != "?";
}

// The distinct characters of text that the code page cannot hold.
QList<char32_t> ForeignIn(const QString& text) {
    QList<char32_t> foreign;
    for (const char32_t code : text.toUcs4()) {
        const bool fits = code < 0x10000 && FitsCodePage(QChar(char16_t(code)));
        if (!fits && !foreign.contains(code)) foreign.append(code);
    }
    return foreign;
}

void SayRefused(const QList<char32_t>& foreign) {
    QStringList names;
    for (const char32_t code : foreign) {
        names << QStringLiteral("\"%1\" (U+%2)")
                     .arg(QString::fromUcs4(&code, 1),
                          QString::number(uint(code), 16).toUpper().rightJustified(4, '0'));
    }
    AfxMessageBoxUnicode(
        "A Brinnow document cannot hold these characters, so they were left out: " +
        names.join(", ") + ".");
}

QString WithoutForeign(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSurrogate() && FitsCodePage(c)) kept += c;
    }
    return kept;
}

void Guard(QLineEdit* box) {
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
        const QList<char32_t> foreign = ForeignIn(text);
        if (foreign.isEmpty()) return;
        const int cursor = box->cursorPosition();
        const QString kept = WithoutForeign(text);
        box->setText(kept);
        box->setCursorPosition(std::max(0, cursor - int(text.size() - kept.size())));
        SayRefused(foreign);
    });
}

void Guard(QPlainTextEdit* box) {
    QObject::connect(
        box->document(), &QTextDocument::contentsChange, box, [box](int position, int, int added) {
            if (added <= 0) return;
            // A change of the whole text counts the document's end, past
            // the last place a cursor can stand.
            const int end = std::min(position + added, box->document()->characterCount() - 1);
            QTextCursor range(box->document());
            range.setPosition(position);
            range.setPosition(end, QTextCursor::KeepAnchor);
            // A selection shows its line breaks as separators a document
            // holds as "\r\n".
            QString text = range.selectedText();
            text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
            text.replace(QChar::LineSeparator, QLatin1Char('\n'));
            const QList<char32_t> foreign = ForeignIn(text);
            if (foreign.isEmpty()) return;
            // Only removals follow, which add nothing to check.
            range.insertText(WithoutForeign(text));
            SayRefused(foreign);
        });
}

template <class Box>
void GuardAll(QWidget* root) {
    for (Box* box : root->findChildren<Box*>()) {
        if (box->property(kGuarded).toBool()) continue;
        box->setProperty(kGuarded, true);
        Guard(box);
    }
}

}  // namespace

void SetBoxText(QLineEdit* box, const CString& text) {
    const QString shown = ToQt(text);
    box->setText(shown);
    RememberGiven(box, text, box->text());
}

CString BoxText(const QLineEdit* box) {
    CString bytes;
    if (Untouched(box, box->text(), bytes)) return bytes;
    return FromQt(box->text());
}

void SetBoxText(QPlainTextEdit* box, const CString& text) {
    box->setPlainText(ToQtLines(text));
    RememberGiven(box, text, RawText(box));
}

CString BoxText(const QPlainTextEdit* box) {
    const QString shown = RawText(box);
    CString bytes;
    if (Untouched(box, shown, bytes)) return bytes;
    return FromQtLines(shown);
}

void RefuseForeignCharacters(QWidget* root) {
    GuardAll<QLineEdit>(root);
    GuardAll<QPlainTextEdit>(root);
}
