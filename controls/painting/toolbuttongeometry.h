#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

// Width of the arrow part of a drop-down tool button.
inline constexpr int kDropArrowWidth = 14;

// Where the parts of a tool button lie for its size and style.
struct ToolButtonGeometry {
    // Image and caption are laid out in here.
    QRect content;
    // The arrow part beside the click area (empty without a drop-down style).
    QRect arrowPart;
    // The arrow's three points: the tip and the two upper corners.
    std::array<QPoint, 3> arrow;
};

// The parts of a button; pushedIn moves the arrow by one pixel.
ToolButtonGeometry ToolButtonLayout(QSize size, bool dropDown, bool rightToLeft, bool pushedIn);

// A press at x opens a split button's menu: the 14 pixels at the right (left for right-to-left).
bool InDropArrowPart(int x, int width, bool rightToLeft);

// Where a drop-down menu opens: under the button's bottom-left corner (bottom-right for
// right-to-left), moved left to end under the button's right edge when it would leave the
// work area on the right.
QPoint DropDownMenuPoint(const QRect &buttonOnScreen, bool rightToLeft, int menuWidth,
                         int workAreaRight);

// A size grown to hold an image.
QSize GrownToImage(QSize size, QSize image);
