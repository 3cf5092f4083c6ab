#include "controls/schemecolors.h"

#include "controls/controlservices.h"
#include "controls/tcolor.h"

QColor ThemedSchemeColor(int kind, const QPalette &palette) {
    if (!ThemesActive())
        return clBtnFace.Resolve(palette);
    switch (kind) {
    case tcEditFill:
        return palette.color(QPalette::Base);
    case tcHeaderFill:
        return palette.color(QPalette::Button);
    case tcHeaderText:
    case tcButtonText:
        return palette.color(QPalette::ButtonText);
    case tcItemText:
        return palette.color(QPalette::Text);
    case tcGroupFill:
        return palette.color(QPalette::AlternateBase);
    case tcGroupText:
        return palette.color(QPalette::Highlight);
    default:
        return QColor(255, 255, 255);
    }
}
