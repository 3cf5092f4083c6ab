#pragma once

#include <QColor>
#include <QPalette>

// Colour kinds read from the visual style.
enum TThemedColorKind : int {
    tcEditFill,
    tcHeaderFill,
    tcHeaderText,
    tcItemText,
    tcGroupFill,
    tcGroupText,
    tcButtonText
};

// One colour of the visual style; without themes clBtnFace, and white for an unknown kind.
QColor ThemedSchemeColor(int kind, const QPalette &palette);

// The colour scheme of the visual style (0, 1 or 2); this platform has only scheme 0.
int ColorScheme();
// The display shows full colour (no palette limit); determined once.
bool FullColorDisplay();

struct SelectionColorSet {
    QColor frame;
    QColor gradientStart;
    QColor gradientStop;
};

// Frame and gradient of hot or selected tool buttons.
SelectionColorSet SelectionColors(const QPalette &palette);

struct GradientPair {
    QColor start;
    QColor stop;
};

// The bar gradient of panels and its frame colour.
GradientPair GradientPanelColors(const QPalette &palette);
QColor GradientFrameColor(const QPalette &palette);

struct StatusBarColorSet {
    QColor first;
    QColor second;
    QColor third;
};

// The status bar's three colours: the bar gradient stop, start and stop again.
StatusBarColorSet StatusBarColors(const QPalette &palette);
