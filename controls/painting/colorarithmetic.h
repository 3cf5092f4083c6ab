#pragma once

#include <QColor>

// Hue, saturation and luminance on the 0..240 scale.
struct Hsl {
    int h = 0;
    int s = 0;
    int l = 0;
    friend bool operator==(const Hsl &, const Hsl &) = default;
};

Hsl RgbToHsl(const QColor &color);
QColor HslToRgb(int hue, int saturation, int luminance);

// Luminance minus n (not below 0) or plus n (not above 255), hue and saturation kept.
QColor ShadeDarker(const QColor &color, int amount);
QColor ShadeLighter(const QColor &color, int amount);
// Darker for a negative amount, lighter for a positive one, unchanged for 0.
QColor ShadeColor(const QColor &color, int amount);

// Each channel: weight/255 of a plus the rest of b, rounded.
QColor MixColors(const QColor &a, const QColor &b, int weight);
bool ColorsNearlyAlike(const QColor &a, const QColor &b);
QColor OppositeHueColor(const QColor &color, int luminance);
