#include "controls/painting/panellayout.h"

#include <algorithm>
#include <cmath>

namespace {

// A rect from its edges, right and bottom exclusive.
QRect FromEdges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

int RightOf(const QRect &rect) {
    return rect.left() + rect.width();
}

int BottomOf(const QRect &rect) {
    return rect.top() + rect.height();
}

} // namespace

QRect PanelCaptionRect(const QRect &rect, int margin, int captionHeight,
                       TAlignmentVertical alignment) {
    const int left = rect.left() + margin;
    const int right = RightOf(rect) - margin;
    int top = rect.top() + margin;
    int bottom = BottomOf(rect) - margin;
    switch (alignment) {
    case avTop:
        bottom = std::min(bottom, top + captionHeight);
        break;
    case avCenter:
        top = (top + bottom - captionHeight) / 2;
        bottom = std::min(bottom, top + captionHeight);
        break;
    case avBottom:
        top = std::max(top, bottom - captionHeight - 1);
        break;
    }
    return FromEdges(left, top, right, bottom);
}

PanelGrid PanelGridLines(const QRect &rect, int spacingX, int spacingY) {
    PanelGrid grid;
    const int nx = spacingX > 0 ? rect.width() / spacingX : 0;
    const int ny = spacingY > 0 ? rect.height() / spacingY : 0;
    for (int i = 1; i <= nx; ++i)
        grid.xs.push_back(rect.left() + i * spacingX - 1);
    for (int j = 1; j <= ny; ++j)
        grid.ys.push_back(rect.top() + j * spacingY - 1);
    return grid;
}

std::vector<QRect> PanelResizeStrips(QSize oldSize, QSize newSize, const QRect &oldBorderArea,
                                     const QRect &newBorderArea, QPoint frameMargin) {
    std::vector<QRect> strips;
    if (oldSize.width() != newSize.width()) {
        const int from = std::min(RightOf(oldBorderArea), RightOf(newBorderArea)) - frameMargin.x();
        strips.push_back(FromEdges(from, 0, newSize.width(), newSize.height()));
    }
    if (oldSize.height() != newSize.height()) {
        const int from =
            std::min(BottomOf(oldBorderArea), BottomOf(newBorderArea)) - frameMargin.y();
        strips.push_back(FromEdges(0, from, newSize.width(), newSize.height()));
    }
    return strips;
}

StatusBarGeometry StatusBarLayout(QSize size, bool themesAvailable, bool simpleStatus) {
    int left = 0;
    int top = 0;
    int right = size.width();
    int bottom = size.height();
    if (!themesAvailable) {
        ++bottom;
        if (simpleStatus) {
            top = 2;
        } else {
            top = 1;
            --left;
            ++right;
        }
    } else if (simpleStatus) {
        ++left;
        ++top;
        --right;
    }
    StatusBarGeometry geometry;
    geometry.client = FromEdges(left, top, right, bottom);
    geometry.pane = FromEdges(left, top, right, bottom - 1);
    geometry.grip = FromEdges(size.width() - 13, 0, size.width(), size.height());
    return geometry;
}

std::array<QRect, 6> SizeGripSquares(const QRect &rect) {
    const int r = RightOf(rect);
    const int b = BottomOf(rect);
    return {FromEdges(r - 5, b - 12, r - 3, b - 10), FromEdges(r - 5, b - 8, r - 3, b - 6),
            FromEdges(r - 5, b - 4, r - 3, b - 2),   FromEdges(r - 9, b - 8, r - 7, b - 6),
            FromEdges(r - 9, b - 4, r - 7, b - 2),   FromEdges(r - 13, b - 4, r - 11, b - 2)};
}

int ScaledPaneWidth(int paneWidth, int delta, int recordedWidth) {
    if (recordedWidth == 0)
        return paneWidth;
    // Halves round to even, as the platform's rounding does.
    return paneWidth + int(std::lrint(double(delta) * paneWidth / recordedWidth));
}

DockGrabber DockGrabberLayout(const QRect &zone, bool grabberOnLeft) {
    const int left = zone.left();
    const int top = zone.top();
    const int right = RightOf(zone);
    const int bottom = BottomOf(zone);
    if (grabberOnLeft) {
        const QRect bar = FromEdges(left, top, left + kDockGrabberSize, bottom);
        return {bar, QPoint(RightOf(bar) - 2, bottom - 3),
                FromEdges(left + 1, top + 1, left + 12, top + 12)};
    }
    return {FromEdges(left, top, right, top + kDockGrabberSize), QPoint(left + 2, top),
            FromEdges(right - 15, top + 1, right - 2, top + 12)};
}

QRect AdjustDockRect(const QRect &zone, bool grabberOnLeft) {
    return grabberOnLeft ? zone.adjusted(kDockGrabberSize, 0, 0, 0)
                         : zone.adjusted(0, kDockGrabberSize, 0, 0);
}

std::vector<QRect> DockZones(const QRect &area, int count, bool sideBySide) {
    std::vector<QRect> zones;
    if (count <= 0)
        return zones;
    const int total = sideBySide ? area.width() : area.height();
    for (int i = 0; i < count; ++i) {
        const int from = total * i / count;
        const int to = total * (i + 1) / count;
        zones.push_back(sideBySide
                            ? QRect(area.left() + from, area.top(), to - from, area.height())
                            : QRect(area.left(), area.top() + from, area.width(), to - from));
    }
    return zones;
}
