#include "controls/painting/toolbuttongeometry.h"

#include <algorithm>

ToolButtonGeometry ToolButtonLayout(QSize size, bool dropDown, bool rightToLeft, bool pushedIn) {
    const int w = size.width();
    const int h = size.height();
    ToolButtonGeometry geometry;
    QRect area(0, 0, w, h);
    if (dropDown) {
        geometry.arrowPart = rightToLeft ? QRect(0, 0, kDropArrowWidth, h)
                                         : QRect(w - kDropArrowWidth, 0, kDropArrowWidth, h);
        if (rightToLeft)
            area.setLeft(kDropArrowWidth);
        else
            area.setRight(w - kDropArrowWidth - 1);
    }
    geometry.content = area.adjusted(2, 2, -2, -2);
    const int shift = pushedIn ? 1 : 0;
    const int x = (rightToLeft ? 6 : w - 8) + shift;
    const int y = h / 2 + 2 + shift;
    geometry.arrow = {QPoint(x, y), QPoint(x - 2, y - 2), QPoint(x + 2, y - 2)};
    return geometry;
}

bool InDropArrowPart(int x, int width, bool rightToLeft) {
    return rightToLeft ? x <= kDropArrowWidth : x >= width - kDropArrowWidth;
}

QPoint DropDownMenuPoint(const QRect &button, bool rightToLeft, int menuWidth, int workAreaRight) {
    QPoint point(rightToLeft ? button.left() + button.width() : button.left(),
                 button.top() + button.height());
    if (point.x() + menuWidth > workAreaRight)
        point.rx() -= menuWidth - button.width();
    return point;
}

QSize GrownToImage(QSize size, QSize image) {
    return size.expandedTo(image);
}
