#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

// The box of a column's sort arrow, taken from a text rect (right and bottom exclusive).
QRect SortArrowBox(const QRect &textRect);
// The arrow is drawn only where the column is wider than twice its box.
bool SortArrowFits(const QRect &box, int columnWidth);
// The arrow's apex and two corners in its box: pointing up when ascending.
std::array<QPoint, 3> SortArrowTriangle(const QRect &box, bool ascending);

// Two cells of a column compared as the list sorts them ascending: case-insensitive, an empty
// text after a non-empty one. Negative, zero or positive.
int CompareListTexts(const QString &a, const QString &b);

// What a click on a column header does to the sort: the arrow's column and direction, and the
// column to remember as sorted ascending (-1 for none).
struct ColumnSort {
    int arrowColumn = -1;
    bool ascending = true;
    int lastAscending = -1;
    friend bool operator==(const ColumnSort &, const ColumnSort &) = default;
};
ColumnSort ColumnClickSort(int lastAscending, int clickedColumn);

// The width that fills the last column to the available width, or -1 when the other columns
// already take it all; never less than kMinLastColumnWidth.
inline constexpr int kMinLastColumnWidth = 5;
int StretchedLastColumnWidth(const std::vector<int> &columnWidths, int availableWidth);

// Pixels a wheel step scrolls in report view: lines of 16 pixels.
int ListWheelScrollPixels(int wheelLines);
