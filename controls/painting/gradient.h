#pragma once

#include "controls/framework/frametypes.h"

#include <QColor>
#include <QRect>

#include <vector>

class QPainter;

// A run of lines filled with one solid colour.
struct GradientBand {
    int first = 0;
    int count = 0;
    QColor color;
    friend bool operator==(const GradientBand &, const GradientBand &) = default;
};

// The bands of a gradient over a number of lines, from one colour towards another: colours are
// stepped per line in 16.16 fixed point; a band covers at least the lines that the colour steps
// ask for and grows while the next line's colour is the band's. No lines give no bands.
std::vector<GradientBand> GradientBands(int lines, const QColor &from, const QColor &to,
                                        int colorSteps, bool boxMode);

void FillGradientRect(QPainter &canvas, const QRect &rect, TGradientDirection direction,
                      int colorSteps, const QColor &first, const QColor &second);
