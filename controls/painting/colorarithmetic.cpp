#include "controls/painting/colorarithmetic.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Rounding to the nearest integer, halves to the even neighbour.
int RoundEven(double value) {
    return int(std::nearbyint(value));
}

int Channel(double fraction) {
    return RoundEven(std::clamp(fraction, 0.0, 1.0) * 255.0);
}

} // namespace

Hsl RgbToHsl(const QColor &color) {
    const double r = color.red() / 255.0;
    const double g = color.green() / 255.0;
    const double b = color.blue() / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double l = (max + min) / 2;
    double h = 0;
    double s = 0;
    if (max != min) {
        const double d = max - min;
        s = l < 0.5 ? d / (max + min) : d / (2 - max - min);
        if (r == max)
            h = (g - b) / d;
        else if (g == max)
            h = 2 + (b - r) / d;
        else
            h = 4 + (r - g) / d;
        h /= 6;
        if (h < 0)
            h += 1;
    }
    return {RoundEven(h * 240), RoundEven(s * 240), RoundEven(l * 240)};
}

QColor HslToRgb(int hue, int saturation, int luminance) {
    const double l = luminance / 240.0;
    const double s = saturation / 240.0;
    const double m2 = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (m2 <= 0)
        return QColor(0, 0, 0);
    const double m1 = 2 * l - m2;
    // The hue divisor is 239, so hue 239 lands on sector 6, drawn as sector 0.
    const double x = std::max(hue, 0) / 239.0 * 6;
    const int sector = int(x);
    const double ramp = (m2 - m1) * (x - sector);
    double red = m2;
    double green = m1 + ramp;
    double blue = m1;
    switch (sector) {
    case 1:
        red = m2 - ramp, green = m2, blue = m1;
        break;
    case 2:
        red = m1, green = m2, blue = m1 + ramp;
        break;
    case 3:
        red = m1, green = m2 - ramp, blue = m2;
        break;
    case 4:
        red = m1 + ramp, green = m1, blue = m2;
        break;
    case 5:
        red = m2, green = m1, blue = m2 - ramp;
        break;
    default:
        break;
    }
    return QColor(Channel(red), Channel(green), Channel(blue));
}

QColor ShadeDarker(const QColor &color, int amount) {
    const Hsl hsl = RgbToHsl(color);
    return HslToRgb(hsl.h, hsl.s, std::max(hsl.l - amount, 0));
}

QColor ShadeLighter(const QColor &color, int amount) {
    const Hsl hsl = RgbToHsl(color);
    return HslToRgb(hsl.h, hsl.s, std::min(hsl.l + amount, 255));
}

QColor ShadeColor(const QColor &color, int amount) {
    if (amount < 0)
        return ShadeDarker(color, -amount);
    if (amount > 0)
        return ShadeLighter(color, amount);
    return color;
}

QColor MixColors(const QColor &a, const QColor &b, int weight) {
    const double w = weight / 255.0;
    const auto mix = [w](int x, int y) {
        return std::clamp(RoundEven(w * x + (1 - w) * y), 0, 255);
    };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

bool ColorsNearlyAlike(const QColor &a, const QColor &b) {
    const Hsl x = RgbToHsl(a);
    const Hsl y = RgbToHsl(b);
    return std::abs(x.h - y.h) < 20 && std::abs(x.l - y.l) < 60;
}

QColor OppositeHueColor(const QColor &color, int luminance) {
    const Hsl hsl = RgbToHsl(color);
    const int hue = hsl.h < 120 ? hsl.h + 120 : hsl.h - 120;
    return HslToRgb(hue, 240, luminance);
}
