#pragma once

#include "controls/framework/frametypes.h"
#include "controls/framework/tcolor.h"

#include <QColor>
#include <QRect>
#include <QSize>

#include <utility>

class QPainter;

// Upper-left and lower-right system colours of a border style (fsNone..fsFlatBold).
std::pair<TColor, TColor> StyleColors(TFrameStyle style);

// The rect shrunk by an amount on each of the chosen sides.
QRect Inset(const QRect &rect, TSides sides, int amount);

// 1-pixel lines on the chosen sides, left and top in the first colour, right and bottom in the
// second; an invalid colour (clNone) skips its sides. Returns the rect shrunk on each chosen side.
QRect PaintFrameSides(QPainter &canvas, const QRect &rect, const QColor &upperLeft,
                      const QColor &lowerRight, TSides sides);
QRect PaintBevelLines(QPainter &canvas, const QRect &rect, const QColor &upperLeft,
                      const QColor &lowerRight, TSides sides, int count);

// A border of one style in the system colours; returns the inner rect.
QRect PaintStyledBorder(QPainter &canvas, const QPalette &palette, const QRect &rect,
                        TFrameStyle style, TSides sides);
// The same border with colours derived from one base colour.
QRect PaintTintedBorder(QPainter &canvas, const QRect &rect, const QColor &base, TSides sides,
                        TFrameStyle style);

void PaintBoxOutline(QPainter &canvas, const QRect &rect, const QColor &color);
void PaintBoxCorners(QPainter &canvas, const QRect &rect, const QColor &color, int length);
// Flat 1-pixel border with a dot set diagonally inside each corner whose two sides are drawn.
QRect PaintCutCornerBorder(QPainter &canvas, const QRect &rect, const QColor &color, TSides sides);
// Every second pixel along each side, starting at the second, in black.
void PaintDottedBorder(QPainter &canvas, const QRect &rect);
QRect PaintDoubleBorder(QPainter &canvas, const QPalette &palette, const QRect &rect,
                        TFrameStyle outerStyle, TFrameStyle innerStyle, int borderWidth,
                        const QColor &controlColor);

// The frame of a framed control over its whole area: a 2-pixel band in the control colour, then
// the frame of the style on the chosen sides.
void PaintControlFrame(QPainter &canvas, const QPalette &palette, QSize size, TSides sides,
                       TColor frameColor, TColor controlColor, TFrameStyle style);
