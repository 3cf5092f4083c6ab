#pragma once

#include "controls/framework/frametypes.h"
#include "controls/painting/borderlayers.h"

#include <QPoint>
#include <QRect>

#include <vector>

enum TRotation : int { roNone, roFlat, roCurve };
enum TCenterPoint : int {
    cpUpperLeft,
    cpUpperCenter,
    cpUpperRight,
    cpLeftCenter,
    cpCenter,
    cpRightCenter,
    cpLowerLeft,
    cpLowerCenter,
    cpLowerRight
};
enum TKxCondenseCaption : int { ccNone, ccAtEnd, ccWithinPath };
enum TTextLayout : int { tlTop, tlCenter, tlBottom };

// An angle in degrees brought into 0..359.
int NormalizeLabelAngle(int degrees);

// The text-drawing flag of a condensing mode (end or path ellipsis).
unsigned CondenseFlag(TKxCondenseCaption condense);

// What the label's auto-size growth depends on.
struct LabelGrowth {
    BorderLayers border;
    TRotation rotation = roNone;
    TTextStyle textStyle = tsNormal;
    int shadowDepth = 2;
    int angle = 0;
};

// The size a measured text rect at the origin grows to with borders, shadow and rotation.
QRect GrowByBorders(const QRect &textRect, const LabelGrowth &growth);

// The text rect of one layer placed vertically by the layout for a caption of that height;
// a shadow moves a right-aligned caption left, and a bottom-placed one up, by the depth.
QRect PlaceLabelTextRect(QRect rect, int textHeight, TTextLayout layout, bool rightAligned,
                         bool shadow, int shadowDepth);

// How a point anchors flat-rotated text.
enum class TextAnchor { TopLeft, TopCenter, BaselineLeft, BaselineCenter };

struct FlatTextPlacement {
    QPoint point;
    TextAnchor anchor = TextAnchor::TopLeft;
    friend bool operator==(const FlatTextPlacement &, const FlatTextPlacement &) = default;
};

struct FlatTextInput {
    int angle = 0;
    TAlignment alignment = taLeftJustify;
    QRect textRect;    // client less borders and text margin
    QSize controlSize; // for the reference point at the centre
    int captionWidth = 0;
    int lineHeight = 0;  // height of "Pp"
    int shadowExtra = 0; // ShadowDepth div 2 with a shadow, else 0
};

// Where a flat-rotated caption starts, by angle and alignment.
FlatTextPlacement PlaceFlatText(const FlatTextInput &input);

// The centre and the radii of arc text.
QPoint ArcCenter(TCenterPoint point, QSize size, int borderWidth);
QPoint ArcRadii(TCenterPoint point, QSize size, int borderWidth);

struct ArcCharacter {
    QPoint position;
    int escapementTenths = 0;
    friend bool operator==(const ArcCharacter &, const ArcCharacter &) = default;
};

// Each character's baseline centre and rotation along the arc, from the start angle in degrees;
// every step turns by (step width) / radius. No radius gives no characters.
std::vector<ArcCharacter> ArcCharacters(int count, int startDegrees, QPoint centre, QPoint radii,
                                        int charHeight, int stepWidth);
