#include "controls/painting/textlayers.h"

std::vector<TextLayer> StyledTextLayers(TTextStyle style, bool lightTextStyle,
                                        const TextStyleColors &colors, QPoint shadowOffset,
                                        QPoint textOffset) {
    std::vector<TextLayer> layers;
    if (style == tsRaised || style == tsRecessed) {
        const bool raised = style == tsRaised;
        const TColor offsetColor = raised ? colors.shadow : colors.highlight;
        const TColor topColor = raised ? colors.highlight : colors.shadow;
        if (!raised || !lightTextStyle)
            layers.push_back({QPoint(1, 1), offsetColor});
        if (raised || !lightTextStyle)
            layers.push_back({QPoint(-1, -1), topColor});
    } else if (style == tsShadow) {
        layers.push_back({shadowOffset, colors.shadow});
    }
    layers.push_back({textOffset, colors.text});
    return layers;
}

std::vector<TextLayer> DisabledTextLayers() {
    return {{QPoint(1, 1), clBtnHighlight}, {QPoint(0, 0), clBtnShadow}};
}
