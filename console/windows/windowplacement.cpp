#include "console/windows/windowplacement.h"

#include <algorithm>
#include <array>

namespace {

// `at` moved so that [at, at + length) lies in [first, end), or at `first` when it is longer.
int inside(int at, int length, int first, int end) {
    return std::max(first, std::min(at, end - length));
}

} // namespace

QRect moveInside(QRect frame, const QRect &available) {
    frame.moveTo(inside(frame.left(), frame.width(), available.left(), available.right() + 1),
                 inside(frame.top(), frame.height(), available.top(), available.bottom() + 1));
    return frame;
}

QSize fittedDialogSize(const QSize &defined, const QSize &frameExtra, const QRect &available,
                       int scrollBar) {
    const QSize room = (available.size() - frameExtra).expandedTo(QSize(1, 1));
    QSize size = defined.boundedTo(room);
    if (size.height() < defined.height())
        size.setWidth(std::min(defined.width() + scrollBar, room.width()));
    if (size.width() < defined.width())
        size.setHeight(std::min(defined.height() + scrollBar, room.height()));
    return size;
}

QPoint besideRect(const QSize &box, const QRect &keep, const QRect &available) {
    const std::array<QPoint, 4> places{
        QPoint(keep.left() - box.width(), keep.top()), QPoint(keep.right() + 1, keep.top()),
        QPoint(keep.left(), keep.top() - box.height()), QPoint(keep.left(), keep.bottom() + 1)};
    for (const QPoint &at : places)
        if (available.contains(QRect(at, box)))
            return at;
    return moveInside(QRect(places[0], box), available).topLeft();
}
