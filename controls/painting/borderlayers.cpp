#include "controls/painting/borderlayers.h"

#include "controls/painting/colorarithmetic.h"
#include "controls/painting/framepainting.h"

#include <QPainter>
#include <QPalette>

namespace {

void PaintCutCorners(QPainter &canvas, const QRect &rect, TSides sides, const QColor &color) {
    const auto corner = [&](TSide a, TSide b, int x, int y) {
        if (sides.Has(a) && sides.Has(b))
            canvas.fillRect(QRect(x, y, 1, 1), color);
    };
    corner(sdLeft, sdTop, rect.left(), rect.top());
    corner(sdRight, sdTop, rect.right(), rect.top());
    corner(sdLeft, sdBottom, rect.left(), rect.bottom());
    corner(sdRight, sdBottom, rect.right(), rect.bottom());
}

QRect PaintBorderLayer(QPainter &canvas, const QPalette &palette, const QRect &rect,
                       TFrameStyleEx style, const BorderLayers &layers, const QColor &control,
                       const QColor &parent, bool transparent) {
    const QColor flat = ShadeColor(layers.flatColor.Resolve(palette), layers.flatColorAdjustment);
    const QColor highlight = layers.highlightColor.Resolve(palette);
    const QColor shadow = layers.shadowColor.Resolve(palette);
    switch (style) {
    case fsNone:
        return rect;
    case fsFlat:
        return PaintFrameSides(canvas, rect, flat, flat, layers.sides);
    case fsFlatBold:
        return PaintBevelLines(canvas, rect, flat, flat, layers.sides, 2);
    case fsFlatRounded: {
        const QRect ring = Inset(rect, layers.sides, 1);
        if (!transparent) {
            PaintFrameSides(canvas, ring, control, control, layers.sides);
            PaintCutCorners(canvas, rect, layers.sides, parent);
        }
        PaintCutCornerBorder(canvas, rect, flat, layers.sides);
        return Inset(ring, layers.sides, 1);
    }
    case fsStatus:
        return PaintBevelLines(canvas, rect, shadow, highlight, layers.sides, layers.bevelWidth);
    case fsPopup:
        return PaintBevelLines(canvas, rect, highlight, shadow, layers.sides, layers.bevelWidth);
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp:
        break;
    }
    // The 3-D styles in the system colours, with the border's own highlight and shadow.
    QPalette colors = palette;
    colors.setColor(QPalette::Light, highlight);
    colors.setColor(QPalette::Dark, shadow);
    return PaintStyledBorder(canvas, colors, rect, style, layers.sides);
}

} // namespace

int BorderLayerWidth(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
    case fsNone:
        return 0;
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return bevelWidth;
    default:
        return 2;
    }
}

QRect InsideBorderLayers(const QRect &rect, const BorderLayers &layers, bool withBorderWidth) {
    QRect inner = rect;
    if (withBorderWidth)
        inner.adjust(layers.borderWidth, layers.borderWidth, -layers.borderWidth,
                     -layers.borderWidth);
    inner = Inset(inner, layers.sides, BorderLayerWidth(layers.outer, layers.bevelWidth));
    return Inset(inner, layers.sides, BorderLayerWidth(layers.inner, layers.bevelWidth));
}

QRect PaintBorderLayers(QPainter &canvas, const QPalette &palette, const QRect &rect,
                        const BorderLayers &layers, const QColor &controlColor,
                        const QColor &parentColor, bool transparent) {
    QRect inner = PaintBorderLayer(canvas, palette, rect, layers.outer, layers, controlColor,
                                   parentColor, transparent);
    const QColor band = layers.borderColor.Resolve(palette);
    inner = PaintBevelLines(canvas, inner, band, band, TSides::All(), layers.borderWidth);
    return PaintBorderLayer(canvas, palette, inner, layers.inner, layers, controlColor, parentColor,
                            transparent);
}
