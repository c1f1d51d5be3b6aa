#include "editors/accesskeys.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QSet>
#include <QWidget>
#include <optional>
#include <vector>

namespace {

// A widget a label can name: one that takes the focus and is no caption itself.
bool IsField(const QWidget* widget) {
    return widget && (widget->focusPolicy() & Qt::TabFocus) &&
           !qobject_cast<const QAbstractButton*>(widget) && !qobject_cast<const QLabel*>(widget);
}

QWidget* FirstField(QLayoutItem* item) {
    if (!item) return nullptr;
    if (IsField(item->widget())) return item->widget();
    if (QLayout* nested = item->layout()) {
        for (int i = 0; i < nested->count(); ++i) {
            if (QWidget* field = FirstField(nested->itemAt(i))) return field;
        }
    }
    return nullptr;
}

// The field after the label in the layout that holds it: to its right in a
// grid, else below it; the next item in a row or a column.
QWidget* FieldBeside(QLayout* layout, const QLabel* label) {
    const int index = layout->indexOf(label);
    if (index < 0) {
        for (int i = 0; i < layout->count(); ++i) {
            QLayout* nested = layout->itemAt(i)->layout();
            if (QWidget* field = nested ? FieldBeside(nested, label) : nullptr) return field;
        }
        return nullptr;
    }
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        int row, column, rows, columns;
        grid->getItemPosition(index, &row, &column, &rows, &columns);
        if (QWidget* right = FirstField(grid->itemAtPosition(row, column + columns))) return right;
        return FirstField(grid->itemAtPosition(row + rows, column));
    }
    return index + 1 < layout->count() ? FirstField(layout->itemAt(index + 1)) : nullptr;
}

QWidget* FieldBeside(const QLabel* label) {
    for (QWidget* holder = label->parentWidget(); holder; holder = holder->parentWidget()) {
        if (QLayout* layout = holder->layout()) {
            if (QWidget* field = FieldBeside(layout, label)) return field;
        }
        if (holder->isWindow()) break;
    }
    return nullptr;
}

// A sentence, such as a status line, names no field.
bool IsCaption(const QString& text) {
    const QString trimmed = text.trimmed();
    return !trimmed.isEmpty() && !trimmed.endsWith('.') && !trimmed.contains('\n');
}

struct Caption {
    QWidget* widget;
    QString text;
};

std::optional<qsizetype> FreeKeyAt(const QString& text, const QSet<QChar>& used) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
        if (wordStart && text[i].isLetterOrNumber() && !used.contains(text[i].toUpper())) return i;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLetterOrNumber() && !used.contains(text[i].toUpper())) return i;
    }
    return std::nullopt;
}

void SetCaption(QWidget* widget, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text);
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text);
}

}  // namespace

QChar AccessKeyOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

void AssignAccessKeys(QWidget* dialog) {
    std::vector<Caption> captions;
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty()) captions.push_back({button, button->text()});
    }
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->buddy() && IsCaption(label->text())) label->setBuddy(FieldBeside(label));
        if (label->buddy() && !label->text().isEmpty()) captions.push_back({label, label->text()});
    }
    QSet<QChar> used;
    for (const Caption& caption : captions) {
        if (const QChar key = AccessKeyOf(caption.text); !key.isNull()) used.insert(key);
    }
    for (const Caption& caption : captions) {
        if (!AccessKeyOf(caption.text).isNull()) continue;
        const std::optional<qsizetype> at = FreeKeyAt(caption.text, used);
        if (!at) continue;
        used.insert(caption.text[*at].toUpper());
        SetCaption(caption.widget, QString(caption.text).insert(*at, '&'));
    }
}
