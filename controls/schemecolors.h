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
