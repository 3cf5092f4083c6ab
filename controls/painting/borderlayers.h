#pragma once

#include "controls/framework/frametypes.h"
#include "controls/framework/tcolor.h"

#include <QColor>
#include <QRect>

class QPainter;
class QPalette;

// Labels and panels name their inner and outer borders with the frame styles.
using TFrameStyleEx = TFrameStyle;

// The borders of a label or panel, from the outside in: the outer border on the named sides, a
// band of the border width on all sides, the inner border on the named sides.
struct BorderLayers {
    TFrameStyleEx outer = fsNone;
    TFrameStyleEx inner = fsNone;
    TSides sides = TSides::All();
    int borderWidth = 0;
    int bevelWidth = 1;
    TColor borderColor = clBtnFace;
    TColor highlightColor = clBtnHighlight;
    TColor shadowColor = clBtnShadow;
    // The flat styles draw this colour, made darker (negative) or lighter by the adjustment.
    TColor flatColor = clBtnShadow;
    int flatColorAdjustment = 30;
};

// Pixels that one border of the style takes on each named side.
int BorderLayerWidth(TFrameStyleEx style, int bevelWidth);
// The rect left inside the two borders; with the flag also inside the border-width band.
QRect InsideBorderLayers(const QRect &rect, const BorderLayers &layers, bool withBorderWidth);

// Paints the borders over the rect and returns what they leave inside (the band included).
// The cut corners of fsFlatRounded show the parent's colour unless the control is transparent.
QRect PaintBorderLayers(QPainter &canvas, const QPalette &palette, const QRect &rect,
                        const BorderLayers &layers, const QColor &controlColor,
                        const QColor &parentColor, bool transparent);
