#include "console/windows/paneplacement.h"

#include <algorithm>

QPoint firstPanePosition(const QRect &wanted, const QRect &available, const QRect &keepClear) {
    const auto inside = [](int at, int length, int first, int end) {
        return std::max(first, std::min(at, end - length));
    };
    const int areaEnd = available.top() + available.height();
    const int x = inside(wanted.left(), wanted.width(), available.left(),
                         available.left() + available.width());
    int y = inside(wanted.top(), wanted.height(), available.top(), areaEnd);
    if (QRect(QPoint(x, y), wanted.size()).intersects(keepClear))
        y = std::max(available.top(), std::min(y, keepClear.top() - wanted.height()));
    return {x, y};
}
