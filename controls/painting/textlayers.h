#pragma once

#include "controls/framework/frametypes.h"
#include "controls/framework/tcolor.h"

#include <QPoint>

#include <vector>

// One pass of a caption: the colour and the offset from the base position.
struct TextLayer {
    QPoint offset;
    TColor color;
    friend bool operator==(const TextLayer &, const TextLayer &) = default;
};

struct TextStyleColors {
    TColor highlight;
    TColor shadow;
    TColor text;
};

// The passes of an enabled caption in drawing order: raised puts the shadow colour at (+1, +1)
// and the highlight at (-1, -1) under the text, recessed the reverse, a light style keeps only
// the layer that gives the style its look; shadow puts the shadow colour at the shadow offset.
// The text itself comes last, at the text offset.
std::vector<TextLayer> StyledTextLayers(TTextStyle style, bool lightTextStyle,
                                        const TextStyleColors &colors, QPoint shadowOffset,
                                        QPoint textOffset);

// The passes of a disabled caption: clBtnHighlight at (+1, +1) under clBtnShadow.
std::vector<TextLayer> DisabledTextLayers();
