#include "editors/sortedlist.h"

#include <QComboBox>
#include <QListWidget>
#include <algorithm>

bool SortsBefore(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

int AddSorted(QListWidget* list, const QString& text) {
    // Binary search for the first entry that sorts after the new one.
    int low = 0;
    int high = list->count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (SortsBefore(text, list->item(middle)->text())) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    list->insertItem(low, text);
    return low;
}

void FillSorted(QListWidget* list, QStringList texts) {
    std::stable_sort(texts.begin(), texts.end(), SortsBefore);
    list->clear();
    list->addItems(texts);
}

void FillSorted(QComboBox* combo, QStringList texts) {
    std::stable_sort(texts.begin(), texts.end(), SortsBefore);
    combo->clear();
    combo->addItems(texts);
}
