#pragma once

#include <QStringList>

class QComboBox;
class QListWidget;
class QStringListModel;

// Lists that keep their entries in alphabetical order ignoring letter case,
// as a sorting list box does: the order in which entries arrive does not
// matter, and entries that differ only in case stay in arrival order.
bool SortsBefore(const QString& a, const QString& b);
// Inserts one entry in its place and returns its row.
int AddSorted(QListWidget* list, const QString& text);
int AddSorted(QStringListModel* list, const QString& text);
// The texts in that order, sorted at once (a whole document's names).
QStringList Sorted(QStringList texts);
// Replaces the entries, sorted once (a whole document's names at a time).
void FillSorted(QListWidget* list, QStringList texts);
void FillSorted(QComboBox* combo, QStringList texts);
