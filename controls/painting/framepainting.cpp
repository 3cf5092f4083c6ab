#include "controls/painting/framepainting.h"

#include "controls/painting/colorarithmetic.h"

#include <QPainter>

#include <array>

namespace {

// The colours of a border: one pair for single or doubled lines and outlines, two pairs for
// the two bevels.
struct BorderColors {
    QColor outerUpperLeft;
    QColor outerLowerRight;
    QColor innerUpperLeft;
    QColor innerLowerRight;
};

void SetPixel(QPainter &canvas, int x, int y, const QColor &color) {
    canvas.fillRect(QRect(x, y, 1, 1), color);
}

// Two nested outlines, the lower-right colour offset by one pixel: a groove or a bump.
QRect PaintEtchedBorder(QPainter &canvas, const QRect &rect, const QColor &upperLeft,
                        const QColor &lowerRight, TSides sides) {
    PaintFrameSides(canvas, rect.adjusted(1, 1, 0, 0), lowerRight, lowerRight, sides);
    PaintFrameSides(canvas, rect.adjusted(0, 0, -1, -1), upperLeft, upperLeft, sides);
    if (sides.Has(sdTop) && sides.Has(sdRight))
        SetPixel(canvas, rect.right(), rect.top(), lowerRight);
    if (sides.Has(sdLeft) && sides.Has(sdBottom))
        SetPixel(canvas, rect.left(), rect.bottom(), lowerRight);
    return Inset(rect, sides, 2);
}

QRect PaintBorderShape(QPainter &canvas, const QRect &rect, TFrameStyle style,
                       const BorderColors &colors, TSides sides) {
    switch (style) {
    case fsNone:
        return rect;
    case fsFlat:
    case fsStatus:
    case fsPopup:
        return PaintFrameSides(canvas, rect, colors.outerUpperLeft, colors.outerLowerRight, sides);
    case fsFlatBold:
        return PaintBevelLines(canvas, rect, colors.outerUpperLeft, colors.outerLowerRight, sides,
                               2);
    case fsGroove:
    case fsBump:
        return PaintEtchedBorder(canvas, rect, colors.outerUpperLeft, colors.outerLowerRight,
                                 sides);
    case fsFlatRounded:
        return PaintCutCornerBorder(canvas, rect, colors.outerUpperLeft, sides);
    case fsLowered:
    case fsRaised:
    case fsButtonUp:
    case fsButtonDown:
        break;
    }
    const QRect inner =
        PaintFrameSides(canvas, rect, colors.outerUpperLeft, colors.outerLowerRight, sides);
    return PaintFrameSides(canvas, inner, colors.innerUpperLeft, colors.innerLowerRight, sides);
}

BorderColors SystemBorderColors(const QPalette &palette, TFrameStyle style) {
    const auto c = [&palette](TColor color) { return color.Resolve(palette); };
    switch (style) {
    case fsRaised:
        return {c(cl3DLight), c(cl3DDkShadow), c(clBtnHighlight), c(clBtnShadow)};
    case fsLowered:
        return {c(clBtnShadow), c(clBtnHighlight), c(cl3DDkShadow), c(cl3DLight)};
    case fsButtonUp:
        return {c(clBtnHighlight), c(cl3DDkShadow), c(cl3DLight), c(clBtnShadow)};
    case fsButtonDown:
        return {c(clBtnText), c(clBtnText), c(clBtnShadow), c(clBtnShadow)};
    default: {
        const auto [upperLeft, lowerRight] = StyleColors(style);
        return {c(upperLeft), c(lowerRight), {}, {}};
    }
    }
}

BorderColors TintedBorderColors(const QColor &base, TFrameStyle style) {
    const auto dark = [&base](int n) { return ShadeDarker(base, n); };
    const auto light = [&base](int n) { return ShadeLighter(base, n); };
    switch (style) {
    case fsGroove:
    case fsStatus:
        return {dark(50), light(100), {}, {}};
    case fsBump:
    case fsPopup:
        return {light(100), dark(50), {}, {}};
    case fsLowered:
        return {dark(50), light(100), dark(100), light(50)};
    case fsRaised:
        return {light(50), dark(100), light(100), dark(50)};
    case fsButtonUp:
        return {light(100), dark(100), light(40), dark(50)};
    case fsButtonDown:
        return {dark(100), dark(100), dark(50), dark(50)};
    default:
        return {dark(50), dark(50), {}, {}};
    }
}

} // namespace

QRect Inset(const QRect &rect, TSides sides, int amount) {
    return rect.adjusted(sides.Has(sdLeft) ? amount : 0, sides.Has(sdTop) ? amount : 0,
                         sides.Has(sdRight) ? -amount : 0, sides.Has(sdBottom) ? -amount : 0);
}

std::pair<TColor, TColor> StyleColors(TFrameStyle style) {
    switch (style) {
    case fsNone:
        return {clWindow, clWindow};
    case fsGroove:
    case fsStatus:
        return {clBtnShadow, clBtnHighlight};
    case fsBump:
    case fsPopup:
        return {clBtnHighlight, clBtnShadow};
    case fsFlatBold:
        return {clBtnShadow, clBtnShadow};
    default:
        return {cl3DDkShadow, cl3DDkShadow};
    }
}

QRect PaintFrameSides(QPainter &canvas, const QRect &rect, const QColor &upperLeft,
                      const QColor &lowerRight, TSides sides) {
    if (upperLeft.isValid()) {
        if (sides.Has(sdLeft))
            canvas.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), upperLeft);
        if (sides.Has(sdTop))
            canvas.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), upperLeft);
    }
    if (lowerRight.isValid()) {
        if (sides.Has(sdRight))
            canvas.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), lowerRight);
        if (sides.Has(sdBottom))
            canvas.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), lowerRight);
    }
    return Inset(rect, sides, 1);
}

QRect PaintBevelLines(QPainter &canvas, const QRect &rect, const QColor &upperLeft,
                      const QColor &lowerRight, TSides sides, int count) {
    QRect inner = rect;
    for (int i = 0; i < count; ++i)
        inner = PaintFrameSides(canvas, inner, upperLeft, lowerRight, sides);
    return inner;
}

QRect PaintStyledBorder(QPainter &canvas, const QPalette &palette, const QRect &rect,
                        TFrameStyle style, TSides sides) {
    return PaintBorderShape(canvas, rect, style, SystemBorderColors(palette, style), sides);
}

QRect PaintTintedBorder(QPainter &canvas, const QRect &rect, const QColor &base, TSides sides,
                        TFrameStyle style) {
    return PaintBorderShape(canvas, rect, style, TintedBorderColors(base, style), sides);
}

void PaintBoxOutline(QPainter &canvas, const QRect &rect, const QColor &color) {
    PaintFrameSides(canvas, rect, color, color, TSides::All());
}

void PaintBoxCorners(QPainter &canvas, const QRect &rect, const QColor &color, int length) {
    const int w = std::min(length, rect.width());
    const int h = std::min(length, rect.height());
    const std::array<QRect, 8> pieces{QRect(rect.left(), rect.top(), w, 1),
                                      QRect(rect.left(), rect.top(), 1, h),
                                      QRect(rect.right() - w + 1, rect.top(), w, 1),
                                      QRect(rect.right(), rect.top(), 1, h),
                                      QRect(rect.left(), rect.bottom(), w, 1),
                                      QRect(rect.left(), rect.bottom() - h + 1, 1, h),
                                      QRect(rect.right() - w + 1, rect.bottom(), w, 1),
                                      QRect(rect.right(), rect.bottom() - h + 1, 1, h)};
    for (const QRect &piece : pieces)
        canvas.fillRect(piece, color);
}

QRect PaintCutCornerBorder(QPainter &canvas, const QRect &rect, const QColor &color, TSides sides) {
    const bool left = sides.Has(sdLeft);
    const bool top = sides.Has(sdTop);
    const bool right = sides.Has(sdRight);
    const bool bottom = sides.Has(sdBottom);
    // Each side leaves out its end pixel where the neighbouring side is drawn too.
    const QRect r = rect;
    if (left)
        canvas.fillRect(QRect(r.left(), r.top() + top, 1, r.height() - top - bottom), color);
    if (right)
        canvas.fillRect(QRect(r.right(), r.top() + top, 1, r.height() - top - bottom), color);
    if (top)
        canvas.fillRect(QRect(r.left() + left, r.top(), r.width() - left - right, 1), color);
    if (bottom)
        canvas.fillRect(QRect(r.left() + left, r.bottom(), r.width() - left - right, 1), color);
    if (left && top)
        SetPixel(canvas, r.left() + 1, r.top() + 1, color);
    if (right && top)
        SetPixel(canvas, r.right() - 1, r.top() + 1, color);
    if (left && bottom)
        SetPixel(canvas, r.left() + 1, r.bottom() - 1, color);
    if (right && bottom)
        SetPixel(canvas, r.right() - 1, r.bottom() - 1, color);
    return Inset(rect, sides, 1);
}

void PaintDottedBorder(QPainter &canvas, const QRect &rect) {
    const QColor black(0, 0, 0);
    for (int x = rect.left() + 1; x <= rect.right(); x += 2) {
        SetPixel(canvas, x, rect.top(), black);
        SetPixel(canvas, x, rect.bottom(), black);
    }
    for (int y = rect.top() + 1; y <= rect.bottom(); y += 2) {
        SetPixel(canvas, rect.left(), y, black);
        SetPixel(canvas, rect.right(), y, black);
    }
}

QRect PaintDoubleBorder(QPainter &canvas, const QPalette &palette, const QRect &rect,
                        TFrameStyle outerStyle, TFrameStyle innerStyle, int borderWidth,
                        const QColor &controlColor) {
    QRect inner = PaintStyledBorder(canvas, palette, rect, outerStyle, TSides::All());
    inner = PaintBevelLines(canvas, inner, controlColor, controlColor, TSides::All(), borderWidth);
    return PaintStyledBorder(canvas, palette, inner, innerStyle, TSides::All());
}

void PaintControlFrame(QPainter &canvas, const QPalette &palette, QSize size, TSides sides,
                       TColor frameColor, TColor controlColor, TFrameStyle style) {
    const QRect rect(QPoint(0, 0), size);
    const QColor control = controlColor.Resolve(palette);
    const QColor frame = frameColor.Resolve(palette);
    PaintBevelLines(canvas, rect, control, control, TSides::All(), 2);
    if (style == fsFlat)
        PaintFrameSides(canvas, rect, frame, frame, sides);
    else if (style == fsFlatBold)
        PaintBevelLines(canvas, rect, frame, frame, sides, 2);
    else if (controlColor == clWindow)
        PaintStyledBorder(canvas, palette, rect, style, sides);
    else
        PaintTintedBorder(canvas, rect, control, sides, style);
}
