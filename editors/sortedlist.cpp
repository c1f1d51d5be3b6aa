#include "editors/sortedlist.h"

#include <QComboBox>
#include <QListWidget>
#include <QStringListModel>
#include <algorithm>
#include <utility>
#include <vector>

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

int AddSorted(QStringListModel* list, const QString& text) {
    const QStringList texts = list->stringList();
    const int row =
        int(std::upper_bound(texts.begin(), texts.end(), text, SortsBefore) - texts.begin());
    list->insertRows(row, 1);
    list->setData(list->index(row), text);
    return row;
}

// The texts in the order of SortsBefore. Each is folded once, character by
// character as the comparison does it, so that the sort compares plain
// strings: a campaign's hundred thousand names take a couple of million
// comparisons.
QStringList Sorted(QStringList texts) {
    std::vector<std::pair<QString, qsizetype>> keys;
    keys.reserve(std::size_t(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        QString key = texts[i];
        for (QChar& c : key) c = c.toCaseFolded();
        keys.emplace_back(std::move(key), i);
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList sorted;
    sorted.reserve(texts.size());
    for (const auto& key : keys) sorted.append(std::move(texts[key.second]));
    return sorted;
}

void FillSorted(QListWidget* list, QStringList texts) {
    list->clear();
    list->addItems(Sorted(std::move(texts)));
}

void FillSorted(QComboBox* combo, QStringList texts) {
    combo->clear();
    combo->addItems(Sorted(std::move(texts)));
}
