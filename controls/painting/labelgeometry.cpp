#include "controls/painting/labelgeometry.h"

#include "controls/painting/textflags.h"

#include <cmath>
#include <numbers>

int NormalizeLabelAngle(int degrees) {
    const int rest = degrees % 360;
    return rest < 0 ? rest + 360 : rest;
}

unsigned CondenseFlag(TKxCondenseCaption condense) {
    switch (condense) {
    case ccAtEnd:
        return DT_END_ELLIPSIS;
    case ccWithinPath:
        return DT_PATH_ELLIPSIS;
    case ccNone:
        break;
    }
    return 0;
}

namespace {

// What a style adds per side when the label grows to its text; the bold and rounded flat
// styles add nothing although they take two pixels of the text area.
int GrowthOf(TFrameStyleEx style, int bevelWidth) {
    return style == fsFlatBold || style == fsFlatRounded ? 0 : BorderLayerWidth(style, bevelWidth);
}

int Round(double value) {
    return int(std::lround(value));
}

} // namespace

QRect GrowByBorders(const QRect &textRect, const LabelGrowth &g) {
    const TSides sides = g.border.sides;
    const int across = int(sides.Has(sdLeft)) + int(sides.Has(sdRight));
    const int down = int(sides.Has(sdTop)) + int(sides.Has(sdBottom));
    int right = textRect.left() + textRect.width();
    int bottom = textRect.top() + textRect.height();
    for (const int each : {GrowthOf(g.border.outer, g.border.bevelWidth), g.border.borderWidth,
                           GrowthOf(g.border.inner, g.border.bevelWidth)}) {
        right += each * across;
        bottom += each * down;
    }
    if (g.rotation == roNone && g.textStyle == tsShadow) {
        right += g.shadowDepth;
        bottom += g.shadowDepth;
    }
    if (g.rotation == roFlat && g.angle != 0 && g.angle != 180) {
        if (g.textStyle == tsShadow) {
            right += g.shadowDepth / 2;
            bottom += g.shadowDepth / 2;
        }
        const double w = right;
        const double h = bottom;
        double t = (g.angle % 90) * std::numbers::pi / 180.0;
        if (g.angle == 90 || g.angle == 270)
            t += std::numbers::pi / 2;
        right = Round(std::cos(t) * w + std::sin(t) * h);
        bottom = Round(std::sin(t) * w + std::cos(t) * h);
    }
    return QRect(textRect.left(), textRect.top(), right - textRect.left(), bottom - textRect.top());
}

QRect PlaceLabelTextRect(QRect rect, int textHeight, TTextLayout layout, bool rightAligned,
                         bool shadow, int shadowDepth) {
    const int free = rect.height() - textHeight;
    if (layout == tlBottom)
        rect.translate(0, free);
    else if (layout == tlCenter)
        rect.translate(0, free / 2);
    if (shadow && rightAligned)
        rect.translate(-shadowDepth, 0);
    if (shadow && layout == tlBottom)
        rect.translate(0, -shadowDepth);
    return rect;
}

FlatTextPlacement PlaceFlatText(const FlatTextInput &in) {
    const QPoint p(in.controlSize.width() / 2, in.controlSize.height() / 2);
    const int e = in.shadowExtra;
    const int w = in.captionWidth + e;
    const int h = in.lineHeight + e;
    const int q = in.lineHeight / 4;
    const double a = (in.angle + 90) * std::numbers::pi / 180.0;
    const int left = in.textRect.left();
    const int top = in.textRect.top();
    const int right = left + in.textRect.width();
    const int bottom = top + in.textRect.height();
    const int across = p.x() - Round(std::cos(a) * q);
    const auto pick = [&](int centred, int rightAligned, int leftAligned) {
        return in.alignment == taCenter         ? centred
               : in.alignment == taRightJustify ? rightAligned
                                                : leftAligned;
    };
    switch (in.angle) {
    case 0:
    case 360:
        return {QPoint(pick(p.x(), right - in.captionWidth - 2 * e, left + e), p.y() - h / 2),
                in.alignment == taCenter ? TextAnchor::TopCenter : TextAnchor::TopLeft};
    case 90:
        return {QPoint(across, pick(bottom - (bottom - w) / 2, top + e + w, bottom - e)),
                TextAnchor::BaselineLeft};
    case 180:
        return {QPoint(pick(right - (right - w) / 2, left + w, right - e), p.y() - h / 4),
                TextAnchor::BaselineLeft};
    case 270:
        return {QPoint(across, pick((bottom - w) / 2, bottom - w - e, top + e)),
                TextAnchor::BaselineLeft};
    default:
        return {QPoint(across, p.y() + Round(std::sin(a) * q)), TextAnchor::BaselineCenter};
    }
}

QPoint ArcCenter(TCenterPoint point, QSize size, int bw) {
    const int w = size.width();
    const int h = size.height();
    switch (point) {
    case cpUpperLeft:
        return {bw, bw};
    case cpUpperCenter:
        return {w / 2, bw};
    case cpUpperRight:
        return {w, bw};
    case cpLeftCenter:
        return {bw, h / 2};
    case cpCenter:
        break;
    case cpRightCenter:
        return {w - bw, h / 2};
    case cpLowerLeft:
        return {bw, h - bw};
    case cpLowerCenter:
        return {w / 2, h - bw};
    case cpLowerRight:
        return {w - bw, h - bw};
    }
    return {w / 2, h / 2};
}

QPoint ArcRadii(TCenterPoint point, QSize size, int borderWidth) {
    const int b = 2 * borderWidth;
    const int w = size.width();
    const int h = size.height();
    switch (point) {
    case cpUpperCenter:
    case cpLowerCenter:
        return {w / 2 - b, h - b};
    case cpLeftCenter:
    case cpRightCenter:
        return {w - b, h / 2 - b};
    case cpCenter:
        return {w / 2 - b, h / 2 - b};
    case cpUpperLeft:
    case cpUpperRight:
    case cpLowerLeft:
    case cpLowerRight:
        break;
    }
    return {w - b, h - b};
}

std::vector<ArcCharacter> ArcCharacters(int count, int startDegrees, QPoint centre, QPoint radii,
                                        int charHeight, int stepWidth) {
    std::vector<ArcCharacter> characters;
    if (radii.x() <= 0)
        return characters;
    double t = startDegrees * std::numbers::pi / 180.0;
    const double step = double(stepWidth) / radii.x();
    for (int i = 0; i < count; ++i) {
        characters.push_back({QPoint(centre.x() - Round(std::sin(t) * (radii.x() - charHeight)),
                                     centre.y() - Round(std::cos(t) * (radii.y() - charHeight))),
                              Round(t * 1800.0 / std::numbers::pi)});
        t -= step;
    }
    return characters;
}
