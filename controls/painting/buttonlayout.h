#pragma once

#include "controls/framework/frametypes.h"

#include <QPoint>
#include <QRect>

// Placement of a glyph (or image) beside a caption.
enum TButtonLayout : int { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Edges as the painters use them: right and bottom lie just outside the rectangle.
struct Edges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    static Edges Of(const QRect &rect) {
        return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
    }
    QRect ToRect() const { return QRect(left, top, right - left, bottom - top); }
    friend bool operator==(const Edges &, const Edges &) = default;
};

// The caption's rectangle placed vertically in the given one for a text of height h.
Edges PlaceCaptionVertically(Edges rect, int textHeight, TAlignmentVertical alignment);

// A push button's caption area: the client inset by 5, moved by (1, 1) when shown pushed in.
Edges ButtonCaptionArea(Edges client, bool shiftedPressed);

struct GlyphPlacement {
    TButtonLayout layout = blGlyphLeft;
    int margin = 2;
    int spacing = 4;
    QPoint glyphSize;
    int captionHeight = 0;
    int controlHeight = 0;
};

// A bit button's caption area beside its glyph (the glyph is assumed present).
Edges BitBtnCaptionArea(Edges captionArea, const GlyphPlacement &placement);

// A bit button's glyph rectangle, from the push button's caption area.
Edges BitBtnGlyphArea(Edges captionArea, const GlyphPlacement &placement, bool showPressed,
                      bool themed);

// The glyph-strip cell shown: 3 down (four cells), 2 pressed (three or more), 1 disabled (two or
// more), else 0.
int GlyphCell(int numGlyphs, bool exclusive, bool pressed, bool enabled);

// The cell count a glyph implies: width / height when the width is a multiple of the height
// (1 when that lies outside 1..4); the current count otherwise.
int NumGlyphsForGlyph(int width, int height, int current);

// A tool button's image and caption rectangles in its area.
struct ToolLayout {
    QRect image;
    QRect caption;
    friend bool operator==(const ToolLayout &, const ToolLayout &) = default;
};

// Image (gx, gy) and caption (tw, th; zero without a caption) laid out in area A; then aligned
// and moved by the pressed offset.
ToolLayout LayoutToolImageAndCaption(Edges area, QPoint imageSize, QPoint captionSize,
                                     bool hasCaption, TButtonLayout layout, TAlignment alignment,
                                     QPoint pressedOffset);
