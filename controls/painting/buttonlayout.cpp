#include "controls/painting/buttonlayout.h"

#include <algorithm>

Edges PlaceCaptionVertically(Edges rect, int textHeight, TAlignmentVertical alignment) {
    switch (alignment) {
    case avTop:
        rect.bottom = rect.top + textHeight;
        break;
    case avCenter:
        rect.top = (rect.top + rect.bottom - textHeight) / 2;
        rect.bottom = rect.top + textHeight;
        break;
    case avBottom:
        rect.top = rect.bottom - textHeight - 1;
        break;
    }
    return rect;
}

Edges ButtonCaptionArea(Edges client, bool shiftedPressed) {
    Edges area{client.left + 5, client.top + 5, client.right - 5, client.bottom - 5};
    if (shiftedPressed)
        area = {area.left + 1, area.top + 1, area.right + 1, area.bottom + 1};
    return area;
}

namespace {

// The free height around glyph, spacing and caption, halved for the centred layout.
int CentredOffset(const GlyphPlacement &p) {
    return (p.controlHeight - (p.glyphSize.y() + p.captionHeight + p.spacing)) / 2;
}

} // namespace

Edges BitBtnCaptionArea(Edges area, const GlyphPlacement &p) {
    const int across = p.margin + p.spacing;
    switch (p.layout) {
    case blGlyphLeft:
        area.left += across + p.glyphSize.x();
        break;
    case blGlyphRight:
        area.right -= across + p.glyphSize.x();
        break;
    case blGlyphTop:
        if (p.margin >= 0) {
            area.top += across + p.glyphSize.y();
        } else {
            area.top += CentredOffset(p) + p.glyphSize.y();
            area.bottom = area.top + p.captionHeight;
        }
        break;
    case blGlyphBottom:
        if (p.margin >= 0) {
            area.bottom -= across + p.glyphSize.y();
        } else {
            area.top += CentredOffset(p);
            area.bottom = area.top + p.captionHeight;
        }
        break;
    }
    return area;
}

Edges BitBtnGlyphArea(Edges r, const GlyphPlacement &p, bool showPressed, bool themed) {
    const QPoint press = !showPressed ? QPoint(0, 0) : themed ? QPoint(-1, 0) : QPoint(-1, -1);
    r = {r.left + press.x(), r.top + press.y(), r.right + press.x(), r.bottom + press.y()};
    const QPoint g = p.glyphSize;
    if (p.margin >= 0) {
        switch (p.layout) {
        case blGlyphLeft:
            r.left += p.margin;
            break;
        case blGlyphRight:
            r.left = r.right - p.margin - g.x();
            break;
        case blGlyphTop:
            r.top += p.margin;
            break;
        case blGlyphBottom:
            r.top = r.bottom - p.margin - g.y();
            break;
        }
    } else {
        const int d = CentredOffset(p);
        switch (p.layout) {
        case blGlyphLeft:
            break;
        case blGlyphRight:
            r.left = r.right - g.x();
            break;
        case blGlyphTop:
            r.top = d;
            break;
        case blGlyphBottom:
            r.top += p.captionHeight + d;
            break;
        }
    }
    if (p.layout == blGlyphTop || p.layout == blGlyphBottom)
        r.left += (r.right - r.left - g.x() + 1) / 2;
    else
        r.top += (r.bottom - r.top - g.y() + 1) / 2;
    r.right = r.left + g.x();
    r.bottom = r.top + g.y();
    if (showPressed) {
        const QPoint back = themed ? QPoint(2, 0) : QPoint(1, 1);
        r = {r.left + back.x(), r.top + back.y(), r.right + back.x(), r.bottom + back.y()};
    }
    return r;
}

int GlyphCell(int numGlyphs, bool exclusive, bool pressed, bool enabled) {
    if (numGlyphs == 4 && exclusive)
        return 3;
    if (numGlyphs >= 3 && pressed)
        return 2;
    if (numGlyphs >= 2 && !enabled)
        return 1;
    return 0;
}

int NumGlyphsForGlyph(int width, int height, int current) {
    if (height == 0 || width % height != 0)
        return current;
    const int count = width / height;
    return count >= 1 && count <= 4 ? count : 1;
}

ToolLayout LayoutToolImageAndCaption(Edges a, QPoint imageSize, QPoint captionSize, bool hasCaption,
                                     TButtonLayout layout, TAlignment alignment,
                                     QPoint pressedOffset) {
    const int gx = imageSize.x();
    const int gy = imageSize.y();
    const int tw = hasCaption ? captionSize.x() : 0;
    const int th = hasCaption ? captionSize.y() : 0;
    int il = 0;
    int it = 0;
    int cl = 0;
    int ct = 0;
    int shift = 0;
    // Start of a run of the given length centred between two edges.
    const auto centre = [](int low, int high, int length) {
        return low + (high - low - length) / 2;
    };
    if (!hasCaption) {
        il = centre(a.left, a.right, gx);
        it = centre(a.top, a.bottom, gy);
        shift = il - 4;
    } else if (layout == blGlyphLeft || layout == blGlyphRight) {
        // Image and caption side by side, 4 pixels apart, each centred vertically.
        const int free = (a.right - a.left - gx - tw - 4) / 2;
        il = layout == blGlyphLeft ? a.left + free : a.right - gx - free;
        cl = layout == blGlyphLeft ? il + gx + 4 : il - tw - 4;
        it = centre(a.top, a.bottom, gy);
        ct = centre(a.top, a.bottom, th);
        shift = gx > 0 ? il - 4 : il;
    } else {
        // Image above or below the caption, each centred horizontally.
        const int free = (a.bottom - a.top - gy - th - 4) / 2;
        it = layout == blGlyphTop ? a.top + free : a.bottom - gy - free;
        ct = layout == blGlyphTop ? it + gy + 4 : it - th - 4;
        il = centre(a.left, a.right, gx);
        cl = centre(a.left, a.right, tw);
        shift = std::min(il, cl) - 4;
    }
    ToolLayout result{QRect(il, it, gx, gy), hasCaption ? QRect(cl, ct, tw, th) : QRect()};
    const int dx = alignment == taLeftJustify ? -shift : alignment == taRightJustify ? shift : 0;
    result.image.translate(dx + pressedOffset.x(), pressedOffset.y());
    if (hasCaption)
        result.caption.translate(dx + pressedOffset.x(), pressedOffset.y());
    return result;
}
