#pragma once

#include <QString>
#include <QStringList>

// Row lookups of the list box, on the row texts.

// First row (from the top) whose text begins with the text, letter case ignored; -1 for none.
int FindPrefixRow(const QStringList &rows, const QString &text);
// First row whose whole text equals the text, letter case ignored; -1 for none.
int ExactTextRow(const QStringList &rows, const QString &text);
// A group row's text begins with the prefix, letter case included.
bool IsGroupText(const QString &text, const QString &groupPrefix);
// The nearest group row at or above the index, -1 for none.
int GroupRowAbove(const QStringList &rows, const QString &groupPrefix, int index);
// The number of group rows above a group row; -1 for any other row.
int GroupRowOrdinal(const QStringList &rows, const QString &groupPrefix, int index);
