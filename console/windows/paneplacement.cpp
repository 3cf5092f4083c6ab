#include "console/windows/paneplacement.h"

#include "console/windows/windowplacement.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace {

int overlapArea(const QRect &a, const QRect &b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : both.width() * both.height();
}

// The position for `frame` nearest to it that covers none of `keepClear`, preferring one that
// covers `other` least; `frame` itself when every place covers a kept rectangle.
QPoint clearOf(const QRect &frame, const QRect &available, const std::vector<QRect> &keepClear,
               const QRect &other) {
    // Beside each kept rectangle, and at each edge of the area.
    std::vector<QRect> candidates{frame, frame.translated(available.left() - frame.left(), 0),
                                  frame.translated(available.right() - frame.right(), 0),
                                  frame.translated(0, available.top() - frame.top()),
                                  frame.translated(0, available.bottom() - frame.bottom())};
    for (const QRect &k : keepClear) {
        candidates.push_back(frame.translated(0, k.top() - frame.bottom() - 1));
        candidates.push_back(frame.translated(0, k.bottom() + 1 - frame.top()));
        candidates.push_back(frame.translated(k.left() - frame.right() - 1, 0));
        candidates.push_back(frame.translated(k.right() + 1 - frame.left(), 0));
    }
    const auto score = [&](const QRect &c) {
        const bool covers = std::any_of(keepClear.begin(), keepClear.end(),
                                        [&](const QRect &k) { return c.intersects(k); });
        const int distance = std::abs(c.left() - frame.left()) + std::abs(c.top() - frame.top());
        return std::make_tuple(covers, overlapArea(c, other), distance);
    };
    QRect best = frame;
    auto bestScore = score(frame);
    for (QRect c : candidates) {
        c = moveInside(c, available);
        if (const auto s = score(c); s < bestScore) {
            best = c;
            bestScore = s;
        }
    }
    // Covering a kept rectangle anyway: stay where the pair put the pane.
    return std::get<0>(bestScore) ? frame.topLeft() : best.topLeft();
}

} // namespace

std::array<QPoint, 2> firstPanePositions(const std::array<QRect, 2> &wanted, const QRect &available,
                                         const std::vector<QRect> &keepClear) {
    std::array<QRect, 2> frames{moveInside(wanted[0], available), moveInside(wanted[1], available)};
    const int left = available.left();
    const int end = available.right() + 1;
    const int pairLeft = std::min(wanted[0].left(), wanted[1].left());
    const int pairEnd = std::max(wanted[0].right(), wanted[1].right()) + 1;
    if (pairEnd - pairLeft <= end - left) {
        // The pair fits as it is wanted: shifted as one, its gap kept.
        const QRect row(left, available.top(), end - left, 1);
        const int shift =
            moveInside(QRect(pairLeft, row.top(), pairEnd - pairLeft, 1), row).left() - pairLeft;
        frames[0].moveLeft(wanted[0].left() + shift);
        frames[1].moveLeft(wanted[1].left() + shift);
    } else {
        // Side by side at the area's edges, or overlapping as little as the area allows.
        frames[0].moveLeft(left);
        frames[1].moveLeft(std::max(left, end - frames[1].width()));
    }
    std::array<QPoint, 2> placed;
    // Pane 1 first, where it is best for itself; pane 2 then also keeps off pane 1.
    placed[0] = clearOf(frames[0], available, keepClear, QRect());
    placed[1] = clearOf(frames[1], available, keepClear, QRect(placed[0], frames[0].size()));
    return placed;
}
