#include "controls/painting/schemecolors.h"

#include "controls/framework/controlservices.h"
#include "controls/framework/tcolor.h"
#include "controls/painting/colorarithmetic.h"

#include <QGuiApplication>
#include <QScreen>

#include <array>

namespace {

struct SchemeColors {
    QColor selectionFrame;
    QColor selectionStart;
    QColor selectionStop;
    QColor barStart;
    QColor barStop;
    QColor barFrame;
};

const std::array<SchemeColors, 3> &Schemes() {
    static const std::array<SchemeColors, 3> schemes{{
        {QColor(0, 0, 128), QColor(255, 238, 194), QColor(255, 217, 160), QColor(227, 239, 255),
         QColor(153, 187, 234), QColor(87, 127, 191)},
        {QColor(63, 93, 56), QColor(255, 238, 194), QColor(255, 217, 160), QColor(255, 255, 237),
         QColor(184, 199, 146), QColor(127, 161, 119)},
        {QColor(75, 75, 111), QColor(255, 238, 194), QColor(255, 217, 160), QColor(249, 249, 255),
         QColor(189, 188, 208), QColor(159, 159, 177)},
    }};
    return schemes;
}

const SchemeColors &CurrentScheme() {
    return Schemes()[std::size_t(ColorScheme())];
}

} // namespace

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

int ColorScheme() {
    return 0;
}

bool FullColorDisplay() {
    static const bool fullColor = [] {
        const QScreen *screen = QGuiApplication::primaryScreen();
        return screen == nullptr || screen->depth() > 8;
    }();
    return fullColor;
}

SelectionColorSet SelectionColors(const QPalette &palette) {
    SelectionColorSet colors;
    if (ThemesActive()) {
        const SchemeColors &scheme = CurrentScheme();
        colors = {scheme.selectionFrame, scheme.selectionStart, scheme.selectionStop};
    } else {
        const QColor highlight = clHighlight.Resolve(palette);
        const QColor blend = MixColors(highlight, clWindow.Resolve(palette), 77);
        colors = {highlight, ShadeLighter(blend, 20), blend};
    }
    if (!FullColorDisplay())
        colors.gradientStart = colors.gradientStop;
    return colors;
}

GradientPair GradientPanelColors(const QPalette &palette) {
    if (ThemesActive())
        return {CurrentScheme().barStart, CurrentScheme().barStop};
    return {clWindow.Resolve(palette), ShadeDarker(clBtnFace.Resolve(palette), 10)};
}

QColor GradientFrameColor(const QPalette &palette) {
    if (ThemesActive())
        return CurrentScheme().barFrame;
    return ShadeLighter(clBtnShadow.Resolve(palette), 30);
}

StatusBarColorSet StatusBarColors(const QPalette &palette) {
    if (ThemesActive())
        return {CurrentScheme().barStop, CurrentScheme().barStart, CurrentScheme().barStop};
    const QColor face = clBtnFace.Resolve(palette);
    return {ShadeDarker(face, 20), clWindow.Resolve(palette), ShadeDarker(face, 40)};
}
