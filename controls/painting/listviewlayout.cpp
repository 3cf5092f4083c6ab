#include "controls/painting/listviewlayout.h"

#include <algorithm>
#include <numeric>

QRect SortArrowBox(const QRect &textRect) {
    const int top = textRect.top();
    const int bottom = textRect.top() + textRect.height();
    const int size = (top + bottom) / 2 - 1;
    const int boxTop = ((top + bottom) - size) / 2 - 1;
    return QRect(textRect.left(), boxTop, size + 1, size);
}

bool SortArrowFits(const QRect &box, int columnWidth) {
    return 2 * box.width() < columnWidth;
}

std::array<QPoint, 3> SortArrowTriangle(const QRect &box, bool ascending) {
    const int left = box.left();
    const int bottom = box.top() + box.height();
    const int h = box.height() * 3 / 4;
    const int w = 2 * h - 1;
    const int base = bottom - h;
    if (ascending)
        return {QPoint(left + w / 2, base), QPoint(left, base + h - 1),
                QPoint(left + w - 1, base + h - 1)};
    return {QPoint(left + w / 2, base + h - 1), QPoint(left, base), QPoint(left + w - 1, base)};
}

int CompareListTexts(const QString &a, const QString &b) {
    if (a.isEmpty() != b.isEmpty())
        return a.isEmpty() ? 1 : -1;
    return QString::compare(a, b, Qt::CaseInsensitive);
}

ColumnSort ColumnClickSort(int lastAscending, int clickedColumn) {
    if (clickedColumn == lastAscending)
        return {clickedColumn, false, -1};
    return {clickedColumn, true, clickedColumn};
}

int StretchedLastColumnWidth(const std::vector<int> &columnWidths, int availableWidth) {
    if (columnWidths.empty())
        return -1;
    const int others = std::accumulate(columnWidths.begin(), columnWidths.end() - 1, 0);
    if (others >= availableWidth)
        return -1;
    return std::max(kMinLastColumnWidth, availableWidth - others);
}

int ListWheelScrollPixels(int wheelLines) {
    return wheelLines * 16;
}
